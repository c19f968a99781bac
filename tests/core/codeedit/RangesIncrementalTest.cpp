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

// Ranges kept current only as far as a view asks: after every edit, the lines reported current
// hold the ranges of a scan from scratch, and scanning on from there reaches the same ranges.
TEST(RangesIncremental, LazyRescanKeepsTheCurrentLinesRight) {
    for (const auto& highlighterClass : HighlighterClasses()) {
        const std::string extension(highlighterClass.extensions.front());
        for (unsigned seed = 1; seed <= 20; ++seed) {
            std::mt19937 random(seed);
            auto highlighter = highlighterClass.create();
            TSynEditStringList lines;
            std::vector<TSynLinesChange> changes;
            lines.SetOnChange([&](const TSynLinesChange& change) { changes.push_back(change); });
            for (int i = 0; i < 30; ++i) {
                lines.Add(RandomLine(random));
            }
            int valid = -1;
            for (int step = 0; step < 200; ++step) {
                changes.clear();
                Edit(lines, random);
                for (const auto& change : changes) {
                    valid = RescanCurrent(lines, highlighter.get(), change, valid).validThrough;
                }
                ASSERT_LT(valid, lines.Count());
                // A view shows some lines now and then.
                if (lines.Count() > 0 && random() % 3 == 0) {
                    const int shown = static_cast<int>(random() % unsigned(lines.Count()));
                    valid = ScanThrough(lines, highlighter.get(), valid, shown);
                    ASSERT_GE(valid, shown);
                }
                const std::vector<TSynRange> scratch = ScratchRanges(lines, extension);
                for (int i = 0; i <= valid; ++i) {
                    ASSERT_EQ(lines.Ranges(i), scratch[std::size_t(i)])
                        << highlighterClass.className << " seed " << seed << " step " << step
                        << " line " << i << " of " << valid;
                }
            }
            ASSERT_EQ(ScanThrough(lines, highlighter.get(), valid, lines.Count() - 1),
                      lines.Count() - 1);
            std::vector<TSynRange> ranges;
            for (int i = 0; i < lines.Count(); ++i) {
                ranges.push_back(lines.Ranges(i));
            }
            ASSERT_EQ(ranges, ScratchRanges(lines, extension)) << highlighterClass.className;
        }
    }
}

TEST(RangesIncremental, AWholeTextChangeLeavesNothingCurrentUntilAsked) {
    auto highlighter = CreateHighlighter(".html");
    TSynEditStringList lines;
    lines.SetText("<!--\r\na\r\n-->\r\nb");
    const TSynLazyRescan rescan =
        RescanCurrent(lines, highlighter.get(), {0, 0, lines.Count(), true}, 3);
    EXPECT_EQ(rescan.validThrough, -1);
    EXPECT_EQ(rescan.lastRescanned, -1);
    EXPECT_EQ(ScanThrough(lines, highlighter.get(), -1, 1), 1);
    EXPECT_EQ(ScanThrough(lines, highlighter.get(), 1, 99), 3) << "clamped to the list";
    const std::vector<TSynRange> scratch = ScratchRanges(lines, ".html");
    for (int i = 0; i < lines.Count(); ++i) {
        EXPECT_EQ(lines.Ranges(i), scratch[std::size_t(i)]) << i;
    }
    EXPECT_NE(lines.Ranges(1), lines.Ranges(0)) << "inside the comment";
}

} // namespace
