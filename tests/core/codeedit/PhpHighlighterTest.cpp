#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterPHP.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using K = TPhpTokenKind;
using R = TPhpRange;

using LineCase = RangedLineCase<R>;

class PhpLineTest : public RangedLineTest<TSynPHPSyn, R> {};

TEST_P(PhpLineTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const LineCase lineCases[] = {
    {"Assignment",
     "$x += 1.0;",
     R::Normal,
     {T("$x", K::Variable), T(" ", K::Space), T("+=", K::Symbol), T(" ", K::Space),
      T("1.0", K::Number), T(";", K::Symbol)},
     R::Normal},
    {"KeywordsAnyCase",
     "ECHO Echo echo2 __file__",
     R::Normal,
     {T("ECHO", K::Key), T(" ", K::Space), T("Echo", K::Key), T(" ", K::Space),
      T("echo2", K::Identifier), T(" ", K::Space), T("__file__", K::Key)},
     R::Normal},
    {"Numbers",
     "1..5 0x1F 1e5 1-2 7L",
     R::Normal,
     {T("1", K::Number), T(".", K::Symbol), T(".", K::Symbol), T("5", K::Number), T(" ", K::Space),
      T("0x1F", K::Number), T(" ", K::Space), T("1e5", K::Number), T(" ", K::Space),
      T("1-2", K::Number), T(" ", K::Space), T("7L", K::Number)},
     R::Normal},
    {"NumberStopsAtOtherLetter",
     "12px",
     R::Normal,
     {T("12", K::Number), T("px", K::Identifier)},
     R::Normal},
    {"InvalidAndStray",
     "@\\n`\x7F\xE9",
     R::Normal,
     {T("@", K::InvalidSymbol), T("\\", K::Unknown), T("n", K::Identifier), T("`", K::Unknown),
      T("\x7F", K::Unknown), T("\xE9", K::Unknown)},
     R::Normal},
    {"VariableRun",
     "$a_1->b $",
     R::Normal,
     {T("$a_1", K::Variable), T("->", K::Symbol), T("b", K::Identifier), T(" ", K::Space),
      T("$", K::Variable)},
     R::Normal},
    {"TwoCharacterSymbols",
     "&&&=== =>>=>><<=<<<=---=->++ +=|||=",
     R::Normal,
     {T("&&", K::Symbol), T("&=", K::Symbol), T("==", K::Symbol), T(" ", K::Space),
      T("=>", K::Symbol), T(">=", K::Symbol), T(">>", K::Symbol), T("<<=", K::Symbol),
      T("<<", K::Symbol), T("<=", K::Symbol), T("--", K::Symbol), T("-=", K::Symbol),
      T("->", K::Symbol), T("++", K::Symbol), T(" ", K::Space), T("+=", K::Symbol),
      T("||", K::Symbol), T("|=", K::Symbol)},
     R::Normal},
    {"SymbolsWithEqual",
     "*=*!=!%=%^=^/=/",
     R::Normal,
     {T("*=", K::Symbol), T("*", K::Symbol), T("!=", K::Symbol), T("!", K::Symbol),
      T("%=", K::Symbol), T("%", K::Symbol), T("^=", K::Symbol), T("^", K::Symbol),
      T("/=", K::Symbol), T("/", K::Symbol)},
     R::Normal},
    {"SingleSymbols",
     "()[]{},;:.?~<?>",
     R::Normal,
     {T("(", K::Symbol), T(")", K::Symbol), T("[", K::Symbol), T("]", K::Symbol), T("{", K::Symbol),
      T("}", K::Symbol), T(",", K::Symbol), T(";", K::Symbol), T(":", K::Symbol), T(".", K::Symbol),
      T("?", K::Symbol), T("~", K::Symbol), T("<", K::Symbol), T("?", K::Symbol),
      T(">", K::Symbol)},
     R::Normal},
    {"DoubleQuotedWithEscapes",
     "\"a\\\"b\\\\\" x",
     R::Normal,
     {T("\"a\\\"b\\\\\"", K::String), T(" ", K::Space), T("x", K::Identifier)},
     R::Normal},
    {"SingleQuotedWithEscape",
     "'it\\'s' x",
     R::Normal,
     {T("'it\\'s'", K::String), T(" ", K::Space), T("x", K::Identifier)},
     R::Normal},
    {"DoubleQuotedRunsOn", "\"abc", R::Normal, {T("\"abc", K::String)}, R::String34},
    {"SingleQuotedRunsOn",
     "x = 'abc",
     R::Normal,
     {T("x", K::Identifier), T(" ", K::Space), T("=", K::Symbol), T(" ", K::Space),
      T("'abc", K::String)},
     R::String39},
    {"EscapedQuoteAtLineEndKeepsStringOpen",
     "'a\\'",
     R::Normal,
     {T("'a\\'", K::String)},
     R::String39},
    {"DoubleContinuationCloses",
     "b\\\"c\" d",
     R::String34,
     {T("b\\\"c\"", K::String), T(" ", K::Space), T("d", K::Identifier)},
     R::Normal},
    {"DoubleContinuationBackslashPairIsNoEscape",
     "\\\\\" x",
     R::String34,
     {T("\\\\\" x", K::String)},
     R::String34},
    {"SingleContinuationHasNoEscape",
     "\\'s'",
     R::String39,
     {T("\\'", K::String), T("s", K::Identifier), T("'", K::String)},
     R::String39},
    {"ContinuationWithoutQuote",
     "still text",
     R::String34,
     {T("still text", K::String)},
     R::String34},
    {"HashComment", "# a 'b' /* c", R::Normal, {T("# a 'b' /* c", K::Comment)}, R::Normal},
    {"SlashSlashComment",
     "$a; // b",
     R::Normal,
     {T("$a", K::Variable), T(";", K::Symbol), T(" ", K::Space), T("// b", K::Comment)},
     R::Normal},
    {"BlockComment",
     "/* a */ b",
     R::Normal,
     {T("/* a */", K::Comment), T(" ", K::Space), T("b", K::Identifier)},
     R::Normal},
    {"SlashStarSlashDoesNotClose", "/*/", R::Normal, {T("/*/", K::Comment)}, R::Comment},
    {"BlockCommentAtLineEnd", "/*", R::Normal, {T("/*", K::Comment)}, R::Comment},
    {"CommentContinues",
     "x */y",
     R::Comment,
     {T("x */", K::Comment), T("y", K::Identifier)},
     R::Normal},
    {"CommentContinuesWithoutClose", "* / *", R::Comment, {T("* / *", K::Comment)}, R::Comment},
    {"OpenTagsAreSymbols",
     "<?php ?>",
     R::Normal,
     {T("<", K::Symbol), T("?", K::Symbol), T("php", K::Identifier), T(" ", K::Space),
      T("?", K::Symbol), T(">", K::Symbol)},
     R::Normal},
    {"SpacesAndBreaks",
     " \t\x01\r\n\n\rx",
     R::Normal,
     {T(" \t\x01", K::Space), T("\r\n", K::Space), T("\n", K::Space), T("\r", K::Space),
      T("x", K::Identifier)},
     R::Normal},
    {"LineBreakAtStartOfContinuation",
     "\rab",
     R::String34,
     {T("\r", K::Space), T("ab", K::String)},
     R::String34},
    {"NulInsideLine",
     std::string("a\0b", 3),
     R::Normal,
     {T("a", K::Identifier), T(std::string(1, '\0'), K::Space), T("b", K::Identifier)},
     R::Normal},
    {"UnknownRangeStartsNormal", "'", static_cast<R>(9), {T("'", K::String)}, R::String39},
};

INSTANTIATE_TEST_SUITE_P(Php, PhpLineTest, testing::ValuesIn(lineCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct WordCase {
    const char* word;
    K kind;
};

class PhpWordTest : public testing::TestWithParam<WordCase> {};

TEST_P(PhpWordTest, WordKind) {
    TSynPHPSyn php;
    const WordCase& c = GetParam();
    EXPECT_EQ(ScanLine(php, c.word, 0), (std::vector{T(c.word, c.kind)}));
}

const WordCase wordCases[] = {
    {"highlight_string", K::Key}, // hash 206, the table's last entry
    {"HIGHLIGHT_STRING", K::Key}, {"highlight_strinz", K::Identifier}, // hash above 206
    {"__LINE__", K::Key},         {"If", K::Key},
    {"i_f", K::Identifier},       {"function1", K::Identifier},
    {"functions", K::Identifier}, {"_", K::Identifier},
};

INSTANTIATE_TEST_SUITE_P(Php, PhpWordTest, testing::ValuesIn(wordCases), [](const auto& info) {
    std::string name = info.param.word;
    for (auto& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = 'U';
        }
    }
    return name + std::to_string(info.index);
});

TEST(PhpHighlighter, EveryKeywordIsAKeywordInAnyCase) {
    TSynPHPSyn php;
    ASSERT_EQ(TSynPHPSyn::Keywords().size(), 55u);
    for (auto keyword : TSynPHPSyn::Keywords()) {
        std::string lower(keyword);
        std::string upper(keyword);
        for (std::size_t i = 0; i < lower.size(); ++i) {
            lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
            upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[i])));
        }
        for (const std::string& spelling : {lower, upper}) {
            EXPECT_EQ(ScanLine(php, spelling, 0), (std::vector{T(spelling, K::Key)})) << spelling;
        }
    }
}

TEST(PhpHighlighter, StringSpanningLines) {
    TSynPHPSyn php;
    php.ClearRange();
    const char* const lines[] = {"$s = \"one", "", "two", "three\";", "$t = 1;"};
    const R expectedAfter[] = {R::String34, R::String34, R::String34, R::Normal, R::Normal};
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        php.StartLine(lines[i], LineIndex(static_cast<int>(i)));
        php.ScanToLineEnd();
        EXPECT_EQ(php.CurrentRange(), static_cast<TSynRange>(expectedAfter[i])) << i;
    }
}

TEST(PhpHighlighter, ScannerNeverReadsPastTheLine) {
    const std::string text = "/* x */";
    TSynPHPSyn php;
    EXPECT_EQ(ScanLine(php, std::string_view(text).substr(0, 6), 0),
              (std::vector{T("/* x *", K::Comment)}));
    const std::string quoted = "'a\\'";
    EXPECT_EQ(ScanLine(php, std::string_view(quoted).substr(0, 3), 0),
              (std::vector{T("'a\\", K::String)}));
}

TEST(PhpHighlighter, FormDefaults) {
    TSynPHPSyn php;
    const std::tuple<const TSynHighlighterAttributes*, TColor, TFontStyles> expected[] = {
        {php.CommentAttri(), clGray, fsItalic},
        {php.IdentifierAttri(), clTeal, 0},
        {php.InvalidSymbolAttri(), clNone, 0},
        {php.NumberAttri(), clMaroon, 0},
        {php.KeyAttri(), clBlue, 0},
        {php.SpaceAttri(), clNone, 0},
        {php.StringAttri(), 33023, 0},
        {php.SymbolAttri(), clNone, 0},
        {php.VariableAttri(), clNone, 0},
    };
    php.ApplyFormDefaults();
    for (const auto& [attribute, foreground, style] : expected) {
        EXPECT_EQ(attribute->Foreground(), foreground) << attribute->Name();
        EXPECT_EQ(attribute->Background(), clNone) << attribute->Name();
        EXPECT_EQ(attribute->Style(), style) << attribute->Name();
    }
}

TEST(PhpHighlighter, TokenAttributeByKind) {
    TSynPHPSyn php;
    const std::pair<const char*, const TSynHighlighterAttributes*> cases[] = {
        {"#", php.CommentAttri()},  {"a", php.IdentifierAttri()}, {"@", php.InvalidSymbolAttri()},
        {"if", php.KeyAttri()},     {"1", php.NumberAttri()},     {" ", php.SpaceAttri()},
        {"'", php.StringAttri()},   {";", php.SymbolAttri()},     {"`", php.IdentifierAttri()},
        {"$v", php.VariableAttri()}};
    for (const auto& [text, attribute] : cases) {
        php.ClearRange();
        php.StartLine(text, LineIndex(0));
        EXPECT_EQ(php.TokenAttribute(), attribute) << text;
    }
}

} // namespace
