// Scans taken up in the middle of a line give what a scan from the line's start gives: for
// every language at any token, and on long lines through random edits, for the tokens near a
// place far into a line and for the ranges after it.

#include "LanguageFragments.h"
#include "codeedit/SynEditRanges.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

struct Token {
    ByteColumn start;
    std::size_t length;
    int kind;
    const TSynHighlighterAttributes* attribute;
    TSynRange rangeAfter;
    bool operator==(const Token&) const = default;
};

void PrintTo(const Token& token, std::ostream* out) {
    *out << "{" << token.start.Value() << ", " << token.length << ", kind " << token.kind
         << ", range " << token.rangeAfter << "}";
}

// Up to count tokens from the current one on (the range is the one in force past each).
std::vector<Token> TokensOn(TSynCustomHighlighter& highlighter, std::size_t count) {
    std::vector<Token> tokens;
    for (; tokens.size() < count && !highlighter.AtLineEnd(); highlighter.NextToken()) {
        const ByteColumn start = highlighter.TokenStart();
        const std::size_t length = highlighter.TokenLength();
        const int kind = highlighter.TokenKind();
        const TSynHighlighterAttributes* attribute = highlighter.TokenAttribute();
        tokens.push_back({start, length, kind, attribute, highlighter.CurrentRange()});
    }
    return tokens;
}

// Moves on to the token that holds column (or the first after it).
void SkipTo(TSynCustomHighlighter& highlighter, ByteColumn column) {
    while (!highlighter.AtLineEnd() &&
           highlighter.TokenStart() + highlighter.TokenLength() <= column)
        highlighter.NextToken();
}

ByteColumn LastTokenStart(TSynCustomHighlighter& highlighter, std::string_view line) {
    highlighter.ClearRange();
    highlighter.StartLine(line, LineIndex(0));
    return TokensOn(highlighter, SIZE_MAX).back().start;
}

class LineScans : public testing::TestWithParam<THighlighterClass> {
protected:
    void SetUp() override {
        // A fragment that makes the rest of a line one token whatever follows (a line comment)
        // comes only at a line's end: anywhere else it would leave nothing to scan after it.
        auto highlighter = GetParam().create();
        const std::vector<std::string_view>& all = FragmentsOf(GetParam().className).fragments;
        const std::string words = " w0 w0 w0 w0 w0 w0";
        for (const std::string_view fragment : all) {
            const bool endsLine = std::none_of(all.begin(), all.end(), [&](std::string_view other) {
                const std::string closed = std::string(fragment) + words + std::string(other);
                return LastTokenStart(*highlighter, closed + words) >= ByteColumn(closed.size());
            });
            (endsLine ? lineEnders : fragments).push_back(fragment);
        }
    }
    // Fragments apart: put together, two of them can make a third ("*/" "/*" holds "//").
    std::string RandomText(std::mt19937& random, std::size_t bytes) const {
        std::string text;
        while (text.size() < bytes)
            text.append(fragments[random() % fragments.size()]).append(" ");
        if (!lineEnders.empty() && random() % 4 == 0)
            text += lineEnders[random() % lineEnders.size()];
        return text;
    }

private:
    std::vector<std::string_view> fragments, lineEnders;
};

TEST_P(LineScans, ResumingAtAnyTokenGivesTheTokensOfTheWholeScan) {
    auto highlighter = GetParam().create();
    ASSERT_TRUE(highlighter->ScanState().has_value()) << "every language can take up a line";
    std::set<TSynRange> startRanges{highlighter->CurrentRange()};
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        const std::string line = RandomText(random, 8000);
        for (const TSynRange start :
             std::vector<TSynRange>(startRanges.begin(), startRanges.end())) {
            highlighter->RestoreRange(start);
            highlighter->StartLine(line, LineIndex(3));
            std::vector<TSynScanState> states;
            std::vector<Token> tokens;
            while (!highlighter->AtLineEnd()) {
                states.push_back(*highlighter->ScanState());
                tokens.push_back(TokensOn(*highlighter, 1).front());
            }
            ASSERT_GT(states.size(), 50u) << "a line of few tokens tests little";
            startRanges.insert(highlighter->CurrentRange());
            // Some other line was scanned in between, as when the view paints another line.
            for (std::size_t i = 0; i < states.size(); i += 1 + random() % 3) {
                highlighter->ClearRange();
                highlighter->StartLine("x \"<!-- {", LineIndex(0));
                highlighter->ResumeLine(line, LineIndex(3), states[i]);
                const std::vector<Token> expected(
                    tokens.begin() + std::ptrdiff_t(i),
                    tokens.begin() + std::ptrdiff_t(std::min(tokens.size(), i + 20)));
                ASSERT_EQ(TokensOn(*highlighter, 20), expected)
                    << "seed " << seed << ", token " << i << " at " << states[i].tokenStart.Value();
            }
        }
    }
}

TEST_P(LineScans, LongLinesKeepTheirTokensAndRangesThroughEdits) {
    const std::string extension(GetParam().extensions.front());
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        const auto below = [&](std::size_t n) { return std::size_t(random() % n); };
        auto highlighter = GetParam().create();
        TSynEditStringList lines;
        for (int i = 0; i < 6; ++i)
            lines.Add(RandomText(random, i % 2 == 0 ? 25000 : 20));
        TSynLineScans scans;
        LineIndex valid =
            ScanThrough(lines, highlighter.get(), NoLine, LineIndex(lines.Count() - 1), &scans);
        std::vector<TSynLinesChange> changes;
        lines.SetOnChange([&](const TSynLinesChange& change) { changes.push_back(change); });
        for (int step = 0; step < 150; ++step) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
            changes.clear();
            const LineIndex line(int(below(std::size_t(lines.Count()))));
            const std::size_t length = lines.Get(line).size();
            // Mostly typing and deleting inside a line; now and then a line comes or goes.
            std::size_t prefix = 0, suffix = 0;
            switch (below(10)) {
            case 0:
                lines.Insert(line, RandomText(random, 10));
                break;
            case 1:
                if (lines.Count() > 3)
                    lines.Delete(line);
                break;
            default: {
                const std::size_t at = below(length + 1);
                const std::size_t removed = std::min(length - at, below(4));
                prefix = at;
                suffix = length - at - removed;
                lines.ReplaceInLine(line, ByteColumn(at), removed, RandomText(random, below(3)));
            }
            }
            for (const TSynLinesChange& change : changes) {
                scans.Changed(change, prefix, suffix, length, lines);
                valid = RescanCurrent(lines, highlighter.get(), change, valid, &scans).validThrough;
            }
            if (below(4) == 0)
                valid = ScanThrough(lines, highlighter.get(), valid, LineIndex(lines.Count() - 1),
                                    &scans);

            TSynEditStringList scratch;
            scratch.Assign(lines);
            auto fresh = CreateHighlighter(extension);
            ScanAll(scratch, fresh.get());
            for (LineIndex i(0); i <= valid; ++i)
                ASSERT_EQ(lines.Ranges(i), scratch.Ranges(i)) << "line " << i.Value();

            // Tokens near a place far into a line, as painting asks for them.
            const LineIndex shown(int(below(std::size_t(lines.Count()))));
            valid = ScanThrough(lines, highlighter.get(), valid, shown, &scans);
            const ByteColumn column(below(lines.Get(shown).size() + 1));
            highlighter->RestoreRange(lines.Ranges(shown));
            highlighter->StartLine(lines.Get(shown), shown);
            SkipTo(*highlighter, column);
            const std::vector<Token> expected = TokensOn(*highlighter, 30);
            std::size_t budget = SIZE_MAX;
            ASSERT_TRUE(scans.StartAt(*highlighter, lines, shown, column, budget));
            SkipTo(*highlighter, column);
            ASSERT_EQ(TokensOn(*highlighter, 30), expected)
                << "line " << shown.Value() << " at " << column.Value();
        }
    }
}

// Enter cuts a long line in two, Backspace joins the halves again: the ranges stay those of a
// scan from scratch, and the tokens far into each half and into the joined line those of a
// scan of the whole line, with the states each took along; cuts at the start, early, in the
// middle and at the end.
TEST_P(LineScans, LongLinesKeepTheirTokensAndRangesThroughCutsAndJoins) {
    const std::string extension(GetParam().extensions.front());
    for (const double place : {0.0, 0.1, 0.5, 1.0}) {
        SCOPED_TRACE("cut at " + std::to_string(place));
        std::mt19937 random(unsigned(place * 10) + 5);
        auto highlighter = GetParam().create();
        TSynEditStringList lines;
        for (const std::size_t bytes : {20, 60000, 20})
            lines.Add(RandomText(random, bytes));
        TSynLineScans scans;
        LineIndex valid =
            ScanThrough(lines, highlighter.get(), NoLine, LineIndex(lines.Count() - 1), &scans);
        std::vector<TSynLinesChange> changes;
        lines.SetOnChange([&](const TSynLinesChange& change) { changes.push_back(change); });
        // Tokens far along, as painting asks for them, leave states to carry.
        const auto expectAsFresh = [&](std::initializer_list<LineIndex> shown) {
            TSynEditStringList scratch;
            scratch.Assign(lines);
            auto fresh = CreateHighlighter(extension);
            ScanAll(scratch, fresh.get());
            for (LineIndex i(0); i <= valid; ++i)
                ASSERT_EQ(lines.Ranges(i), scratch.Ranges(i)) << "line " << i.Value();
            for (const LineIndex line : shown) {
                valid = ScanThrough(lines, highlighter.get(), valid, line, &scans);
                for (const double along : {0.9, 0.3}) {
                    const ByteColumn column(std::size_t(double(lines.Get(line).size()) * along));
                    highlighter->RestoreRange(lines.Ranges(line));
                    highlighter->StartLine(lines.Get(line), line);
                    SkipTo(*highlighter, column);
                    const std::vector<Token> expected = TokensOn(*highlighter, 30);
                    std::size_t budget = SIZE_MAX;
                    ASSERT_TRUE(scans.StartAt(*highlighter, lines, line, column, budget));
                    SkipTo(*highlighter, column);
                    ASSERT_EQ(TokensOn(*highlighter, 30), expected)
                        << "line " << line.Value() << " at " << column.Value();
                }
            }
        };
        expectAsFresh({LineIndex(1)});
        const std::size_t length = lines.Get(LineIndex(1)).size();
        const auto cut = std::size_t(double(length) * place);
        const auto apply = [&](std::size_t prefix, std::size_t suffix, std::size_t oldLength) {
            ASSERT_EQ(changes.size(), 1u);
            scans.Changed(changes.front(), prefix, suffix, oldLength, lines);
            valid = RescanCurrent(lines, highlighter.get(), changes.front(), valid, &scans)
                        .validThrough;
            changes.clear();
        };
        lines.CutLine(LineIndex(1), ByteColumn(cut));
        apply(cut, length - cut, length);
        expectAsFresh({LineIndex(1), LineIndex(2)});
        lines.BeginUpdate();
        lines.ReplaceInLine(LineIndex(1), ByteColumn(cut), 0, std::string(lines.Get(LineIndex(2))));
        lines.DeleteLines(LineIndex(2), 1);
        lines.EndUpdate();
        apply(cut, length - cut, length - cut);
        expectAsFresh({LineIndex(1), LineIndex(2)});
    }
}

// A scan that runs out of its budget stops, and the next goes on where it stopped, also after
// an edit in between: however small the share, the tokens far into the line come out as those
// of a scan of the whole line.
TEST_P(LineScans, ABudgetedScanGoesOnWhereItStoppedToTheTokensOfTheWholeScan) {
    const struct {
        std::size_t share;
        double place; // of the line's length
        bool editBetween;
    } cases[] = {{0, 0.2, false}, {700, 0.5, false}, {60000, 0.99, false}, {3000, 0.7, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE("share " + std::to_string(c.share) + (c.editBetween ? ", edited" : ""));
        std::mt19937 random(unsigned(c.share) + 3);
        auto highlighter = GetParam().create();
        TSynEditStringList lines;
        lines.Add(RandomText(random, 150000));
        ScanAll(lines, highlighter.get());
        TSynLineScans scans;
        const ByteColumn column(std::size_t(double(lines.Get(LineIndex(0)).size()) * c.place));
        std::size_t budget = c.share;
        ASSERT_FALSE(scans.StartAt(*highlighter, lines, LineIndex(0), column, budget));
        if (c.editBetween) {
            const std::size_t at = column.Value() / 3, oldLength = lines.Get(LineIndex(0)).size();
            lines.ReplaceInLine(LineIndex(0), ByteColumn(at), 2, RandomText(random, 3));
            scans.Changed(TSynLinesChange{LineIndex(0), 1, 1}, at, oldLength - at - 2, oldLength,
                          lines);
        }
        // Each call gets further than its share, but for the last.
        std::size_t calls = 0;
        do {
            ASSERT_LE(++calls, column.Value() / (c.share + 1) + 2);
            budget = c.share;
        } while (!scans.StartAt(*highlighter, lines, LineIndex(0), column, budget));
        SkipTo(*highlighter, column);
        const std::vector<Token> resumed = TokensOn(*highlighter, 30);
        highlighter->RestoreRange(lines.Ranges(LineIndex(0)));
        highlighter->StartLine(lines.Get(LineIndex(0)), LineIndex(0));
        SkipTo(*highlighter, column);
        ASSERT_EQ(resumed, TokensOn(*highlighter, 30));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, LineScans, testing::ValuesIn(HighlighterClasses()),
                         [](const testing::TestParamInfo<THighlighterClass>& info) {
                             return std::string(info.param.className);
                         });

} // namespace
