// Incremental equals full: after any edit, the start ranges that Rescan keeps must equal
// those of a scan from scratch. Catches state a highlighter hides between lines.

#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditRanges.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace {

const char* const fragments[] = {"<!--", "-->",  "<%",      "%>",    "<a",  "<b>", ">", "=",
                                 "\"",   "href", "x=\"y\"", "&amp;", "&#1", ";",   " ", "text",
                                 "\t",   "<",    "/",       "-",     "%",   "&"};

std::string RandomLine(std::mt19937& random) {
    std::string line;
    const int parts = static_cast<int>(random() % 5);
    for (int i = 0; i < parts; ++i) {
        line += fragments[random() % std::size(fragments)];
    }
    return line;
}

std::vector<TSynRange> ScratchRanges(const TSynEditStringList& lines, const std::string& ext) {
    TSynEditStringList copy;
    copy.Assign(lines);
    auto highlighter = CreateHighlighter(ext);
    ScanAll(copy, highlighter.get());
    std::vector<TSynRange> ranges;
    for (int i = 0; i < copy.Count(); ++i) {
        ranges.push_back(copy.Ranges(i));
    }
    return ranges;
}

void Edit(TSynEditStringList& lines, std::mt19937& random) {
    const int count = lines.Count();
    const int at = count == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(count));
    switch (count == 0 ? 1 : random() % 6) {
    case 0:
        lines.Put(at, RandomLine(random));
        break;
    case 1:
        lines.Insert(count == 0 ? 0 : at, RandomLine(random));
        break;
    case 2: {
        std::vector<std::string> inserted(random() % 4 + 1);
        for (auto& line : inserted) {
            line = RandomLine(random);
        }
        lines.InsertLines(at, inserted);
        break;
    }
    case 3:
        lines.Delete(at);
        break;
    case 4:
        lines.DeleteLines(at, std::min(count - at, static_cast<int>(random() % 4) + 1));
        break;
    default:
        lines.Exchange(at, static_cast<int>(random() % static_cast<unsigned>(count)));
        break;
    }
}

TEST(RangesIncremental, RescanAfterRandomEditsEqualsScanFromScratch) {
    for (const auto& highlighterClass : HighlighterClasses()) {
        const std::string extension(highlighterClass.extensions.front());
        for (unsigned seed = 1; seed <= 20; ++seed) {
            std::mt19937 random(seed);
            auto highlighter = highlighterClass.create();
            TSynEditStringList lines;
            std::vector<TSynLinesChange> changes;
            lines.SetOnChange([&](const TSynLinesChange& change) { changes.push_back(change); });
            for (int i = 0; i < 20; ++i) {
                lines.Add(RandomLine(random));
            }
            for (const auto& change : changes) {
                Rescan(lines, highlighter.get(), change);
            }
            for (int step = 0; step < 200; ++step) {
                changes.clear();
                Edit(lines, random);
                for (const auto& change : changes) {
                    Rescan(lines, highlighter.get(), change);
                }
                std::vector<TSynRange> ranges;
                for (int i = 0; i < lines.Count(); ++i) {
                    ranges.push_back(lines.Ranges(i));
                }
                ASSERT_EQ(ranges, ScratchRanges(lines, extension))
                    << highlighterClass.className << " seed " << seed << " step " << step;
            }
        }
    }
}

} // namespace
