#pragma once
// Scanning helpers shared by the highlighter tests: the tokens of one line as (text, kind)
// pairs, starting from a given range, the table rows the tests are written in, the fixtures
// that scan them and the names of tests run over the registry.

#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditHighlighter.h"
#include "core/support/PositionTestSupport.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Failures name the language rather than dump its registry row.
inline void PrintTo(const THighlighterClass& highlighterClass, std::ostream* out) {
    *out << highlighterClass.className;
}

// A test over the registry is named after the class.
inline std::string ClassNameOf(const testing::TestParamInfo<THighlighterClass>& info) {
    return std::string(info.param.className);
}

struct ScannedToken {
    std::string text;
    int kind;
    bool operator==(const ScannedToken&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ScannedToken& token) {
    return out << "{\"" << token.text << "\", " << token.kind << "}";
}

// Tokens of line from range; checks on the way that they cover the line in order.
inline std::vector<ScannedToken> ScanLine(TSynCustomHighlighter& highlighter, std::string_view line,
                                          TSynRange range, TSynRange* rangeAfter = nullptr) {
    std::vector<ScannedToken> tokens;
    highlighter.RestoreRange(range);
    highlighter.StartLine(line, LineIndex(0));
    ByteColumn expectedStart(0);
    while (!highlighter.AtLineEnd()) {
        if (highlighter.TokenStart() != expectedStart) {
            tokens.push_back({"<gap>", -1});
        }
        tokens.push_back({highlighter.TokenText(), highlighter.TokenKind()});
        expectedStart = highlighter.TokenStart() + highlighter.TokenLength();
        highlighter.NextToken();
    }
    if (highlighter.TokenStart() != ByteColumn(line.size())) {
        tokens.push_back({"<null token not at line end>", -1});
    }
    if (rangeAfter != nullptr) {
        *rangeAfter = highlighter.CurrentRange();
    }
    return tokens;
}

// One expected token, written with the language's own kind enumeration.
template <class Kind> ScannedToken T(std::string text, Kind kind) {
    return {std::move(text), static_cast<int>(kind)};
}

// A table row: a line scanned from a start range, its tokens and the range after it.
template <class Range> struct RangedLineCase {
    const char* name;
    std::string line;
    Range start;
    std::vector<ScannedToken> tokens;
    Range end;
};

template <class Range> void PrintTo(const RangedLineCase<Range>& c, std::ostream* out) {
    *out << c.name;
}

// A table row for languages whose lines all start in the initial range.
struct PlainLineCase {
    const char* name;
    std::string line;
    std::vector<ScannedToken> tokens;
};

inline void PrintTo(const PlainLineCase& c, std::ostream* out) {
    *out << c.name;
}

// Each row scanned by a fresh highlighter from its start range: its tokens and the range after.
template <class Highlighter, class Range>
class RangedLineTest : public testing::TestWithParam<RangedLineCase<Range>> {
protected:
    void ExpectTokensAndRange() const {
        const RangedLineCase<Range>& c = this->GetParam();
        Highlighter highlighter;
        TSynRange after = 99;
        EXPECT_EQ(ScanLine(highlighter, c.line, static_cast<TSynRange>(c.start), &after), c.tokens);
        EXPECT_EQ(after, static_cast<TSynRange>(c.end));
    }
};

// Each row scanned by a fresh highlighter of a language without ranges.
template <class Highlighter> class PlainLineTest : public testing::TestWithParam<PlainLineCase> {
protected:
    void ExpectTokensAndNoRange() const {
        const PlainLineCase& c = GetParam();
        Highlighter highlighter;
        TSynRange after = 99;
        EXPECT_EQ(ScanLine(highlighter, c.line, 0, &after), c.tokens);
        EXPECT_EQ(after, 0u);
    }
};
