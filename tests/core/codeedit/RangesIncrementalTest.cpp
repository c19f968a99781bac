// Incremental equals full: after any edit, the start ranges that Rescan keeps must equal
// those of a scan from scratch. Catches state a highlighter hides between lines.

#include "HighlighterTestSupport.h"
#include "LanguageFragments.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditRanges.h"
#include "core/support/PositionTestSupport.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <string_view>

namespace {

class RangesIncremental : public testing::TestWithParam<THighlighterClass> {
protected:
    std::string RandomLine(std::mt19937& random) const {
        const std::vector<std::string_view>& fragments =
            FragmentsOf(GetParam().className).fragments;
        std::string line;
        const int parts = static_cast<int>(random() % 5);
        for (int i = 0; i < parts; ++i) {
            line += fragments[random() % fragments.size()];
        }
        return line;
    }
    std::string Extension() const { return std::string(GetParam().extensions.front()); }
    void Edit(TSynEditStringList& lines, std::mt19937& random) const;
    // count random lines, each change they make recorded in changes.
    void Fill(TSynEditStringList& lines, std::vector<TSynLinesChange>& changes,
              std::mt19937& random, int count) const {
        lines.SetOnChange([&changes](const TSynLinesChange& change) { changes.push_back(change); });
        for (int i = 0; i < count; ++i) {
            lines.Add(RandomLine(random));
        }
    }
    // Some line left the language's first state: the comparison is not of nothing but it.
    void CountStates(const std::vector<TSynRange>& ranges) {
        for (const TSynRange range : ranges) {
            states.insert(range);
        }
    }
    void ExpectStatesSeen() const {
        if (FragmentsOf(GetParam().className).spansLines) {
            EXPECT_GE(states.size(), 2u) << "the edits never opened a construct spanning lines";
        } else {
            EXPECT_EQ(states.size(), 1u) << "a language without ranges kept one";
        }
    }

private:
    std::set<TSynRange> states;
};

std::vector<TSynRange> StoredRanges(const TSynEditStringList& lines) {
    std::vector<TSynRange> ranges;
    for (int i = 0; i < lines.Count(); ++i) {
        ranges.push_back(lines.Ranges(LineIndex(i)));
    }
    return ranges;
}

std::vector<TSynRange> ScratchRanges(const TSynEditStringList& lines, const std::string& ext) {
    TSynEditStringList copy;
    copy.Assign(lines);
    auto highlighter = CreateHighlighter(ext);
    ScanAll(copy, highlighter.get());
    return StoredRanges(copy);
}

void RangesIncremental::Edit(TSynEditStringList& lines, std::mt19937& random) const {
    const int count = lines.Count();
    const LineIndex at(count == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(count)));
    switch (count == 0 ? 1 : random() % 6) {
    case 0:
        lines.Put(at, RandomLine(random));
        break;
    case 1:
        lines.Insert(count == 0 ? LineIndex(0) : at, RandomLine(random));
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
        lines.DeleteLines(at, std::min(count - at.Value(), static_cast<int>(random() % 4) + 1));
        break;
    default:
        lines.Exchange(at, LineIndex(static_cast<int>(random() % static_cast<unsigned>(count))));
        break;
    }
}

TEST_P(RangesIncremental, RescanAfterRandomEditsEqualsScanFromScratch) {
    const std::string extension = Extension();
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        auto highlighter = GetParam().create();
        TSynEditStringList lines;
        std::vector<TSynLinesChange> changes;
        Fill(lines, changes, random, 20);
        for (const auto& change : changes) {
            Rescan(lines, highlighter.get(), change);
        }
        for (int step = 0; step < 200; ++step) {
            changes.clear();
            Edit(lines, random);
            for (const auto& change : changes) {
                Rescan(lines, highlighter.get(), change);
            }
            const std::vector<TSynRange> ranges = StoredRanges(lines);
            ASSERT_EQ(ranges, ScratchRanges(lines, extension))
                << "seed " << seed << " step " << step;
            CountStates(ranges);
        }
    }
    ExpectStatesSeen();
}

// Ranges kept current only as far as a view asks: after every edit, the lines reported current
// hold the ranges of a scan from scratch, and scanning on from there reaches the same ranges.
TEST_P(RangesIncremental, LazyRescanKeepsTheCurrentLinesRight) {
    const std::string extension = Extension();
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        auto highlighter = GetParam().create();
        TSynEditStringList lines;
        std::vector<TSynLinesChange> changes;
        Fill(lines, changes, random, 30);
        LineIndex valid = NoLine;
        for (int step = 0; step < 200; ++step) {
            changes.clear();
            Edit(lines, random);
            for (const auto& change : changes) {
                valid = RescanCurrent(lines, highlighter.get(), change, valid).validThrough;
            }
            ASSERT_LT(valid, LineIndex(lines.Count()));
            // A view shows some lines now and then.
            if (lines.Count() > 0 && random() % 3 == 0) {
                const LineIndex shown(static_cast<int>(random() % unsigned(lines.Count())));
                valid = ScanThrough(lines, highlighter.get(), valid, shown);
                ASSERT_GE(valid, shown);
            }
            const std::vector<TSynRange> scratch = ScratchRanges(lines, extension);
            for (LineIndex i(0); i <= valid; ++i) {
                ASSERT_EQ(lines.Ranges(i), scratch[std::size_t(i.Value())])
                    << "seed " << seed << " step " << step << " line " << i.Value() << " of "
                    << valid.Value();
            }
            CountStates(scratch);
        }
        ASSERT_EQ(ScanThrough(lines, highlighter.get(), valid, LineIndex(lines.Count() - 1)),
                  LineIndex(lines.Count() - 1));
        ASSERT_EQ(StoredRanges(lines), ScratchRanges(lines, extension)) << "seed " << seed;
    }
    ExpectStatesSeen();
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, RangesIncremental, testing::ValuesIn(HighlighterClasses()),
                         ClassNameOf);

TEST(RangesIncrementalHtml, AWholeTextChangeLeavesNothingCurrentUntilAsked) {
    auto highlighter = CreateHighlighter(".html");
    TSynEditStringList lines;
    lines.SetText("<!--\r\na\r\n-->\r\nb");
    const TSynLazyRescan rescan = RescanCurrent(
        lines, highlighter.get(), {LineIndex(0), 0, lines.Count(), true}, LineIndex(3));
    EXPECT_EQ(rescan.validThrough, NoLine);
    EXPECT_EQ(rescan.lastRescanned, NoLine);
    EXPECT_EQ(ScanThrough(lines, highlighter.get(), NoLine, LineIndex(1)), LineIndex(1));
    EXPECT_EQ(ScanThrough(lines, highlighter.get(), LineIndex(1), LineIndex(99)), LineIndex(3))
        << "clamped to the list";
    const std::vector<TSynRange> scratch = ScratchRanges(lines, ".html");
    for (int i = 0; i < lines.Count(); ++i) {
        EXPECT_EQ(lines.Ranges(LineIndex(i)), scratch[std::size_t(i)]) << i;
    }
    EXPECT_NE(lines.Ranges(LineIndex(1)), lines.Ranges(LineIndex(0))) << "inside the comment";
}

} // namespace
