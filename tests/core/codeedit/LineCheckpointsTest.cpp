// Checkpoints along a long line stay what a walk from the line start gives while the line is
// edited: before the edit they are kept, after it they are moved, through tabs, wide
// characters and edits that split a two-byte character; and when Enter cuts the line in two
// and Backspace joins the halves again.

#include "codeedit/SynEditLineCheckpoints.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>

namespace {

using Checkpoints = TSynLineCheckpoints<long long>;

// A byte 0xC3 and the byte after it are one character; 'W' is two wide; a tab goes on to the
// next multiple of 8.
auto Walk(std::string_view line) {
    const auto steps = [line](std::size_t from, long long value, auto&& visit) {
        for (std::size_t pos = from; pos < line.size();) {
            const bool pair = line[pos] == '\xC3' && pos + 1 < line.size();
            const long long after =
                line[pos] == '\t' ? (value / 8 + 1) * 8 : value + (line[pos] == 'W' ? 2 : 1);
            const Checkpoints::Step step{pos, pair ? 2u : 1u, value, after, line[pos] == '\t'};
            if (!visit(step))
                return;
            value = after;
            pos += step.length;
        }
    };
    return TSynLineWalk{steps, [steps](std::size_t from, long long value, std::size_t to) {
                            return Checkpoints::StepTo(steps, from, value, to);
                        }};
}

// Every character start of the line with the position there, from the start.
std::vector<std::pair<std::size_t, long long>> Walked(std::string_view line) {
    std::vector<std::pair<std::size_t, long long>> positions;
    Walk(line)(0, 0, [&](const Checkpoints::Step& step) {
        positions.emplace_back(step.start, step.before);
        return true;
    });
    return positions;
}

TEST(LineCheckpoints, StayWhatAWalkFromTheStartGivesThroughEdits) {
    std::mt19937 random(31);
    const auto below = [&](std::size_t n) { return std::size_t(random() % n); };
    static const char* const pieces[] = {"\t", "ab", "W", "\xC3\xA9", "\xC3", "x\ty", "word "};
    std::string line;
    while (line.size() < 120000)
        line += pieces[below(std::size(pieces))];
    Checkpoints points;
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto walked = Walked(line);
        // Asking for columns far along makes checkpoints there, which later edits must move.
        for (int ask = 0; ask < 6; ++ask) {
            const auto& [column, value] = walked[below(walked.size())];
            const Checkpoints::Point byColumn = points.AtOrBefore(column + below(3), Walk(line));
            const auto at =
                std::lower_bound(walked.begin(), walked.end(), std::pair{byColumn.column, -1LL});
            ASSERT_TRUE(at != walked.end() && at->first == byColumn.column) << byColumn.column;
            ASSERT_EQ(byColumn.value, at->second) << "column " << byColumn.column;
            ASSERT_LE(byColumn.column, column + 2);
            const Checkpoints::Point byValue = points.AtOrBeforeValue(value, Walk(line));
            const auto atValue =
                std::lower_bound(walked.begin(), walked.end(), std::pair{byValue.column, -1LL});
            ASSERT_TRUE(atValue != walked.end() && atValue->first == byValue.column);
            ASSERT_EQ(byValue.value, atValue->second);
            ASSERT_LE(byValue.value, value);
        }
        // Edits near the start, in the middle and near the end, small and large.
        const std::size_t at = below(line.size() + 1);
        const std::size_t removed =
            std::min(line.size() - at, below(4) == 0 ? below(9000) : below(6));
        std::string inserted;
        for (std::size_t n = below(3) == 0 ? below(40) : below(3); n > 0; --n)
            inserted += pieces[below(std::size(pieces))];
        const std::size_t oldLength = line.size();
        line.replace(at, removed, inserted);
        points.Edited(at, oldLength - at - removed, oldLength, line.size(), Walk(line));
    }
}

TEST(LineCheckpoints, AnEditOfUnknownExtentKeepsOnlyWhatLiesBeforeIt) {
    std::string line;
    for (int i = 0; line.size() < 50000; ++i)
        line += i % 5 == 0 ? "\t" : "abc";
    Checkpoints points;
    points.AtOrBefore(line.size(), Walk(line));
    const std::size_t oldLength = line.size();
    line.insert(line.begin() + 20000, 'W');
    // Nothing known of the bytes after the edit: no suffix.
    points.Edited(20000, 0, oldLength, line.size(), Walk(line));
    const auto walked = Walked(line);
    for (const std::size_t column : {std::size_t(100), std::size_t(19999), std::size_t(40000)}) {
        const Checkpoints::Point point = points.AtOrBefore(column, Walk(line));
        const auto at =
            std::lower_bound(walked.begin(), walked.end(), std::pair{point.column, -1LL});
        ASSERT_TRUE(at != walked.end());
        EXPECT_EQ(point.value, at->second) << column;
    }
}

// A long line keeps its checkpoints while lines above it come and go: they are found where the
// line went, with no walk of the line again.
TEST(LinesCheckpoints, MoveWithTheirLineWhenLinesAboveComeAndGo) {
    const std::string longLine = std::string(60000, 'W') + "\tx";
    const struct {
        TSynLinesChange change;
        int lineAfter;
    } cases[] = {{{LineIndex(1), 0, 2}, 5},
                 {{LineIndex(0), 3, 0}, 0},
                 {{LineIndex(1), 1, 1}, 3},
                 {{LineIndex(4), 1, 0}, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.change.index.Value() << ", "
                                        << c.change.removed << " for " << c.change.inserted);
        std::size_t leaps = 0;
        const auto counting = [&](std::string_view) {
            return TSynLineWalk{Walk(longLine),
                                [&](std::size_t from, long long value, std::size_t to) {
                                    ++leaps;
                                    return Walk(longLine).Leap(from, value, to);
                                }};
        };
        TSynLinesCheckpoints<long long> points;
        const Checkpoints::Point before =
            points.Of(LineIndex(3), longLine.size())->AtOrBefore(50000, counting(""));
        points.Changed(c.change, 0, 0, 0, TSynEditStringList(), counting);
        leaps = 0;
        const Checkpoints::Point after =
            points.Of(LineIndex(c.lineAfter), longLine.size())->AtOrBefore(50000, counting(""));
        EXPECT_EQ(leaps, 0u) << "the checkpoints were made again";
        EXPECT_EQ(std::pair(after.column, after.value), std::pair(before.column, before.value));
    }
}

// Enter cuts a long line in two, Backspace joins the halves again, a paste of one line joins
// them with text between: each half and each joined line keeps the checkpoints it took along,
// right as a walk from its start gives them, with no walk of the line again.
TEST(LinesCheckpoints, CarriedOverACutAndAJoinStayWhatAWalkFromTheStartGives) {
    std::mt19937 random(32);
    static const char* const pieces[] = {"\t", "ab", "W", "\xC3\xA9", "x\ty", "word "};
    std::string line;
    while (line.size() < 120000)
        line += pieces[random() % std::size(pieces)];
    std::size_t leaps = 0;
    const auto walkOf = [&](std::string_view text) {
        return TSynLineWalk{Walk(text),
                            [&leaps, text](std::size_t from, long long value, std::size_t to) {
                                ++leaps;
                                return Walk(text).Leap(from, value, to);
                            }};
    };
    // Asked along the whole line, a line's checkpoints agree with a walk (its end among the
    // positions), and no more than the one that finds the end of a line cut short is made.
    const auto expectKept = [&](TSynLinesCheckpoints<long long>& points,
                                const TSynEditStringList& list, LineIndex index) {
        const std::string_view text = list.Get(index);
        Checkpoints* of = points.Of(index, text.size());
        if (!of)
            return;
        auto walked = Walked(text);
        long long end = 0;
        Walk(text)(0, 0, [&](const Checkpoints::Step& step) {
            end = step.after;
            return true;
        });
        walked.emplace_back(text.size(), end);
        leaps = 0;
        for (const std::size_t column :
             {text.size(), std::size_t(0), text.size() / 3, text.size() / 2, text.size() - 1}) {
            const Checkpoints::Point point = of->AtOrBefore(column, walkOf(text));
            const auto at =
                std::lower_bound(walked.begin(), walked.end(), std::pair{point.column, -1LL});
            ASSERT_TRUE(at != walked.end() && at->first == point.column) << point.column;
            EXPECT_EQ(point.value, at->second) << "column " << point.column;
        }
        EXPECT_LE(leaps, 1u) << "checkpoints of line " << index.Value() << " were made again";
    };
    const std::size_t tab = line.find('\t', 50000), pair = line.find('\xC3', 60000);
    const struct {
        const char* name;
        std::size_t cut;
        std::string pasted;
    } cases[] = {{"at the start", 0, ""},
                 {"after the first byte", 1, ""},
                 {"after a tab", tab + 1, ""},
                 {"before a tab", tab, "W\t"},
                 {"on a checkpoint", 40960, ""},
                 {"inside a two-byte character", pair + 1, ""},
                 {"in the middle", line.size() / 2, "\xC3\xA9 x\t"},
                 {"at the end", line.size(), ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSynEditStringList list;
        list.SetText(line);
        TSynLinesCheckpoints<long long> points;
        points.Of(LineIndex(0), line.size())
            ->AtOrBefore(line.size(), walkOf(list.Get(LineIndex(0))));
        list.CutLine(LineIndex(0), ByteColumn(c.cut));
        const std::size_t second = list.Get(LineIndex(1)).size();
        points.Changed({LineIndex(0), 1, 2}, c.cut, second, line.size(), list, walkOf);
        expectKept(points, list, LineIndex(0));
        expectKept(points, list, LineIndex(1));
        list.ReplaceInLine(LineIndex(0), ByteColumn(c.cut), 0,
                           c.pasted + std::string(list.Get(LineIndex(1))));
        list.DeleteLines(LineIndex(1), 1);
        points.Changed({LineIndex(0), 2, 1}, c.cut, second, second, list, walkOf);
        expectKept(points, list, LineIndex(0));
    }
}

} // namespace
