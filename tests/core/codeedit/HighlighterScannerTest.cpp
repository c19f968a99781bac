// The scanning base every language builds on: blank runs, line breaks, NULs inside the line,
// keyword words hashed while they are scanned, the shared dispatch entries, operators, what a
// language descriptor gives (attributes, role, kind and identifier tables, class data) and
// ranges kept by value, driven by two small test languages.

#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string_view>

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

const TSynLanguageDescriptor bareLanguage = {.name = "Bare", .filter = "Bare|*.bare"};

// Lower-case words against a table whose hashes stop at 30; a TAB starts its own blank run when
// tabsApart is set.
class TestScanner : public TSynScanningHighlighter {
public:
    explicit TestScanner(bool tabsApart)
        : TSynScanningHighlighter(bareLanguage, static_cast<int>(K::Null),
                                  static_cast<int>(K::Space)),
          tabsApart(tabsApart), keywords(LowerWeights(), 30, TSynKeywordCase::Exact) {
        keywords.Add("if", static_cast<int>(K::Keyword)); // hash 15
        keywords.Add("zd", static_cast<int>(K::Keyword)); // hash 30, the last entry
    }
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

enum class RK { Null, Space, Word, Symbol, Comment };
enum class RR : std::uint8_t { Normal = 0, Comment = 3 };

constexpr TSynAttributeDescriptor rangedAttributes[] = {
    {"Comment", SYN_ATTR_COMMENT, Kinds(RK::Comment), fsItalic},
    {"Word", SYN_ATTR_IDENTIFIER, Kinds(RK::Word)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(RK::Symbol), fsBold, clRed, clYellow},
};

const TSynLanguageDescriptor rangedLanguage = {.name = "Ranged",
                                               .filter = "Ranged|*.ranged",
                                               .sample = "a{b",
                                               .identifierChars = "$",
                                               .attributes = rangedAttributes};

// Words, operators of one or two characters and "{...}" comments that may span lines.
class RangedScanner : public TSynRangedHighlighter<RR> {
public:
    RangedScanner()
        : TSynRangedHighlighter(rangedLanguage, static_cast<int>(RK::Null),
                                static_cast<int>(RK::Space), RR::Normal, {RR::Comment}) {}
    void NextToken() override;

private:
    friend struct RangedDispatch;
    void WordProc() {
        TakeWord(lowerChars);
        SetKind(RK::Word);
    }
    void SymbolProc() { TakeOperator("=", RK::Symbol); }
    void CommentProc() {
        range = RR::Comment;
        while (!AtEnd(run)) {
            if (line[run++] == '}') {
                range = RR::Normal;
                break;
            }
        }
        SetKind(RK::Comment);
    }
};

struct RangedDispatch {
    static constexpr TSynDispatchTable<RangedScanner> Build() {
        auto t = RangedScanner::SharedDispatch<RangedScanner>(&RangedScanner::SymbolProc);
        for (unsigned char c = 'a'; c <= 'z'; ++c) {
            t[c] = &RangedScanner::WordProc;
        }
        SetDispatch(t, "{", &RangedScanner::CommentProc);
        return t;
    }
};

void RangedScanner::NextToken() {
    tokenPos = run;
    static constexpr TSynDispatchTable<RangedScanner> table = RangedDispatch::Build();
    if (range == RR::Comment && !AtEnd(run)) {
        CommentProc();
        return;
    }
    (this->*table[At(run)])();
}

class RangedScannerTest : public RangedLineTest<RangedScanner, RR> {};

TEST_P(RangedScannerTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const RangedLineCase<RR> rangedCases[] = {
    {"SharedEntriesAndOperators",
     "ab<=c\t\r\n<",
     RR::Normal,
     {T("ab", RK::Word), T("<=", RK::Symbol), T("c", RK::Word), T("\t", RK::Space),
      T("\r\n", RK::Space), T("<", RK::Symbol)},
     RR::Normal},
    {"OperatorWithoutItsSecond",
     "<<",
     RR::Normal,
     {T("<", RK::Symbol), T("<", RK::Symbol)},
     RR::Normal},
    {"CommentGoesOn", "a{b", RR::Normal, {T("a", RK::Word), T("{b", RK::Comment)}, RR::Comment},
    {"CommentEndsFromItsRange",
     "x}y",
     RR::Comment,
     {T("x}", RK::Comment), T("y", RK::Word)},
     RR::Normal},
    {"EmptyLineKeepsTheRange", "", RR::Comment, {}, RR::Comment},
    {"UnknownRangeStartsAsTheInitial",
     "x}y",
     static_cast<RR>(1),
     {T("x", RK::Word), T("}", RK::Symbol), T("y", RK::Word)},
     RR::Normal},
};

INSTANTIATE_TEST_SUITE_P(Ranged, RangedScannerTest, testing::ValuesIn(rangedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HighlighterScanner, RestoresOnlyTheLanguagesRanges) {
    const struct {
        TSynRange restored;
        TSynRange current;
    } cases[] = {{0, 0}, {3, 3}, {1, 0}, {2, 0}, {128, 0}, {255, 0}};
    RangedScanner scanner;
    for (const auto& c : cases) {
        scanner.RestoreRange(3);
        scanner.RestoreRange(c.restored);
        EXPECT_EQ(scanner.CurrentRange(), c.current) << int(c.restored);
    }
    scanner.ClearRange();
    EXPECT_EQ(scanner.CurrentRange(), 0u);
}

TEST(HighlighterScanner, DescriptorGivesAttributesRolesKindsAndClassData) {
    RangedScanner scanner;
    const auto name = [](const TSynHighlighterAttributes* attribute) {
        return attribute != nullptr ? attribute->Name() : std::string("-");
    };
    EXPECT_EQ(scanner.LanguageName(), "Ranged");
    EXPECT_EQ(scanner.DefaultFilter(), "Ranged|*.ranged");
    EXPECT_EQ(scanner.SampleSource(), "a{b");
    ASSERT_EQ(scanner.AttributeCount(), 3);
    const TSynHighlighterAttributes* symbol = scanner.AttributeAt(1); // sorted by name
    EXPECT_EQ(name(symbol), "Symbol");
    EXPECT_EQ(symbol->Style(), fsBold);
    EXPECT_EQ(symbol->Foreground(), clRed);
    EXPECT_EQ(symbol->Background(), clYellow);
    EXPECT_FALSE(symbol->ForegroundStored() || symbol->BackgroundStored() || symbol->StyleStored())
        << "the descriptor's look is the default";
    int changes = 0;
    scanner.HookAttributeChange([&changes] { ++changes; });
    scanner.AttributeAt(0)->SetForeground(clBlue);
    EXPECT_EQ(changes, 1) << "every attribute reports its changes";
    const std::string roles[] = {"-", "Comment", "Word", "-", "-", "-", "Symbol", "-"};
    for (int role = -1; role <= 6; ++role) {
        EXPECT_EQ(name(scanner.DefaultAttribute(role)), roles[role + 1]) << role;
    }
    const std::string kinds[] = {"Word", "Symbol", "Comment", "-"};
    scanner.StartLine("a<{", LineIndex(0));
    for (const auto& kind : kinds) {
        EXPECT_EQ(name(scanner.TokenAttribute()), kind);
        scanner.NextToken();
    }
    const TSynCharSet identifier = scanner.IdentifierChars();
    for (const unsigned char c : std::string_view("azAZ09_$\xC0\xFF")) {
        EXPECT_TRUE(identifier.test(c)) << int(c);
    }
    for (const unsigned char c : std::string_view("-. \x7F\xD7\xF7")) {
        EXPECT_FALSE(identifier.test(c)) << int(c);
    }
    EXPECT_EQ(identifier.count(), 10u + 26u + 26u + 1u + 1u + 64u - 2u);
}

} // namespace
