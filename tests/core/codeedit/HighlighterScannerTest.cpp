// The scanning base every language builds on: blank runs, line breaks, NULs inside the line and
// keyword words hashed while they are scanned, driven by a two-rule test language.

#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterScanner.h"

#include <gtest/gtest.h>

namespace {

enum class K { Null, Space, Word, Keyword, Other };

constexpr bool IsLower(unsigned char c) {
    return c >= 'a' && c <= 'z';
}

constexpr TSynCharClass lowerChars(IsLower);

TSynWeights LowerWeights() {
    TSynWeights weights{};
    for (int c = 'a'; c <= 'z'; ++c) {
        weights[static_cast<std::size_t>(c)] = c - 'a' + 1;
    }
    return weights;
}

// Lower-case words against a table whose hashes stop at 30; a TAB starts its own blank run when
// tabsApart is set.
class TestScanner : public TSynScanningHighlighter {
public:
    explicit TestScanner(bool tabsApart)
        : TSynScanningHighlighter(static_cast<int>(K::Null), static_cast<int>(K::Space)),
          tabsApart(tabsApart), keywords(LowerWeights(), 30, TSynKeywordCase::Exact) {
        keywords.Add("if", static_cast<int>(K::Keyword)); // hash 15
        keywords.Add("zd", static_cast<int>(K::Keyword)); // hash 30, the last entry
    }
    TSynHighlighterAttributes* DefaultAttribute(int) const override { return nullptr; }
    void NextToken() override {
        tokenPos = run;
        const unsigned char c = At(run);
        if (c == 0) {
            NullProc();
        } else if (c == '\r' || c == '\n') {
            LineBreakProc();
        } else if (c <= 32) {
            tabsApart ? SpaceUpToTabProc() : SpaceProc();
        } else if (lowerChars(c)) {
            KeywordOrIdentifier(lowerChars, keywords, static_cast<int>(K::Word));
        } else {
            ++run;
            tokenKind = static_cast<int>(K::Other);
        }
    }

private:
    bool tabsApart;
    TSynKeywordTable keywords;
};

struct ScannerCase {
    const char* name;
    bool tabsApart;
    std::string line;
    std::vector<ScannedToken> tokens;
};

void PrintTo(const ScannerCase& c, std::ostream* out) {
    *out << c.name;
}

class HighlighterScannerTest : public testing::TestWithParam<ScannerCase> {};

TEST_P(HighlighterScannerTest, Tokens) {
    const ScannerCase& c = GetParam();
    TestScanner scanner(c.tabsApart);
    EXPECT_EQ(ScanLine(scanner, c.line, 0), c.tokens);
}

const ScannerCase scannerCases[] = {
    {"BlankRunStopsAtLineBreaks",
     false,
     " \t\x01 \r\n\n\r \x1f",
     {T(" \t\x01 ", K::Space), T("\r\n", K::Space), T("\n", K::Space), T("\r", K::Space),
      T(" \x1f", K::Space)}},
    {"TabStartsButDoesNotContinueARun",
     true,
     "\t\t  \t",
     {T("\t", K::Space), T("\t  ", K::Space), T("\t", K::Space)}},
    {"NulInsideTheLineIsASpaceOfItsOwn",
     false,
     std::string("a\0\0 b", 5),
     {T("a", K::Word), T(std::string(1, '\0'), K::Space), T(std::string(1, '\0'), K::Space),
      T(" ", K::Space), T("b", K::Word)}},
    {"WordsHashedWhileScanned",
     false,
     "if fi iff zd dz ze if!",
     {T("if", K::Keyword), T(" ", K::Space), T("fi", K::Word), T(" ", K::Space), T("iff", K::Word),
      T(" ", K::Space), T("zd", K::Keyword), T(" ", K::Space), T("dz", K::Word), T(" ", K::Space),
      T("ze", K::Word), T(" ", K::Space), T("if", K::Keyword), T("!", K::Other)}},
    {"WordAtTheLineEnd", false, "xif", {T("xif", K::Word)}},
    {"HighBytesAreNoWordCharacters", false, "a\xe9", {T("a", K::Word), T("\xe9", K::Other)}},
};

INSTANTIATE_TEST_SUITE_P(Scanner, HighlighterScannerTest, testing::ValuesIn(scannerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HighlighterScanner, HugeWordHashesOutOfRange) {
    // Two million "z" sum far past the table: a word, and the scan takes all of it.
    TestScanner scanner(false);
    const std::string huge(2'000'000, 'z');
    EXPECT_EQ(ScanLine(scanner, huge, 0), (std::vector{T(huge, K::Word)}));
}

TEST(HighlighterScanner, CharClassCoversEveryByte) {
    constexpr TSynCharClass high([](unsigned char c) { return c >= 0xFE; });
    EXPECT_FALSE(high(0));
    EXPECT_FALSE(high(0xFD));
    EXPECT_TRUE(high(0xFE));
    EXPECT_TRUE(high(0xFF));
}

} // namespace
