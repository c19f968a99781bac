#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterCss.h"

#include <gtest/gtest.h>

namespace {

using K = TCssTokenKind;
using R = TCssRange;

using LineCase = RangedLineCase<R>;

class CssLineTest : public RangedLineTest<TSynCssSyn, R> {};

TEST_P(CssLineTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const LineCase lineCases[] = {
    {"PropertyWithUnit",
     "font-size: 12pt;",
     R::Normal,
     {T("font-size", K::Key), T(":", K::Unknown), T(" ", K::Space), T("12", K::Number),
      T("pt", K::Key), T(";", K::Unknown)},
     R::Normal},
    {"ColourCode",
     "COLOR: #FF0000",
     R::Normal,
     {T("COLOR", K::Key), T(":", K::Unknown), T(" ", K::Space), T("#FF0000", K::Number)},
     R::Normal},
    {"ColourCodeStopsAtNonHex",
     "$12abG #",
     R::Normal,
     {T("$12ab", K::Number), T("G", K::Identifier), T(" ", K::Space), T("#", K::Number)},
     R::Normal},
    {"MinusAfterSpaceBeforeDigit",
     "margin: -1em",
     R::Normal,
     {T("margin", K::Key), T(":", K::Unknown), T(" ", K::Space), T("-", K::Number),
      T("1", K::Number), T("em", K::Key)},
     R::Normal},
    {"MinusAfterSpaceBeforePointAndDigit",
     " -.5",
     R::Normal,
     {T(" ", K::Space), T("-.", K::Number), T("5", K::Number)},
     R::Normal},
    {"MinusAfterSpaceBeforeOther",
     " -; -.;",
     R::Normal,
     {T(" ", K::Space), T("-", K::Space), T(";", K::Unknown), T(" ", K::Space), T("-", K::Space),
      T(".", K::Unknown), T(";", K::Unknown)},
     R::Normal},
    {"MinusNotAfterSpaceIsIdentifier",
     "-x:-1\t-2",
     R::Normal,
     {T("-", K::Identifier), T("x", K::Identifier), T(":", K::Unknown), T("-", K::Identifier),
      T("1", K::Number), T("\t", K::Space), T("-", K::Identifier), T("2", K::Number)},
     R::Normal},
    {"HyphenatedWordIsOneToken",
     "a-b a--------b",
     R::Normal,
     {T("a-b", K::Identifier), T(" ", K::Space), T("a--------b", K::Identifier)},
     R::Normal},
    {"NumberRuns",
     "1.5E3 2..3 4e5",
     R::Normal,
     {T("1.5E3", K::Number), T(" ", K::Space), T("2", K::Number), T(".", K::Unknown),
      T(".", K::Unknown), T("3", K::Number), T(" ", K::Space), T("4e5", K::Number)},
     R::Normal},
    {"NumberLeavesExAndEmUnits",
     "2ex 3em 4eM",
     R::Normal,
     {T("2", K::Number), T("ex", K::Key), T(" ", K::Space), T("3", K::Number), T("em", K::Key),
      T(" ", K::Space), T("4e", K::Number), T("M", K::Identifier)},
     R::Normal},
    {"NumberBeforeOtherUnit",
     "10px 5% 1.2s",
     R::Normal,
     {T("10", K::Number), T("px", K::Key), T(" ", K::Space), T("5", K::Number), T("%", K::Unknown),
      T(" ", K::Space), T("1.2", K::Number), T("s", K::Key)},
     R::Normal},
    {"BracesTakeTheStringKindWithDigits",
     "p{}12 {3a",
     R::Normal,
     {T("p", K::Identifier), T("{", K::String), T("}12", K::String), T(" ", K::Space),
      T("{3", K::String), T("a", K::Identifier)},
     R::Normal},
    {"Parentheses",
     "url(x)",
     R::Normal,
     {T("url", K::Identifier), T("(", K::Symbol), T("x", K::Identifier), T(")", K::Symbol)},
     R::Normal},
    {"SingleQuotedString",
     "'a b' x",
     R::Normal,
     {T("'a b'", K::String), T(" ", K::Space), T("x", K::Identifier)},
     R::Normal},
    {"EmptyString", "''x", R::Normal, {T("''", K::String), T("x", K::Identifier)}, R::Normal},
    {"TripleQuoteSkipsTwo",
     "'''a'b",
     R::Normal,
     {T("'''a'", K::String), T("b", K::Identifier)},
     R::Normal},
    {"UnclosedStringEndsAtLineEnd", "'abc", R::Normal, {T("'abc", K::String)}, R::Normal},
    {"LoneQuote", "'", R::Normal, {T("'", K::String)}, R::Normal},
    {"DoubleQuotesAreOtherCharacters",
     "\"Arial\"",
     R::Normal,
     {T("\"", K::Unknown), T("Arial", K::Identifier), T("\"", K::Unknown)},
     R::Normal},
    {"ClosedComment",
     "/* a */ b",
     R::Normal,
     {T("/* a */", K::Comment), T(" ", K::Space), T("b", K::Identifier)},
     R::Normal},
    {"CommentOpenAtLineEnd",
     "x /*",
     R::Normal,
     {T("x", K::Identifier), T(" ", K::Space), T("/*", K::Comment)},
     R::Comment},
    {"UnclosedCommentGoesOn", "/* a", R::Normal, {T("/* a", K::Comment)}, R::Comment},
    {"SlashStarSlashDoesNotClose", "/*/", R::Normal, {T("/*/", K::Comment)}, R::Comment},
    {"EmptyComment", "/**/a", R::Normal, {T("/**/", K::Comment), T("a", K::Identifier)}, R::Normal},
    {"SlashAlone",
     "a/b",
     R::Normal,
     {T("a", K::Identifier), T("/", K::Symbol), T("b", K::Identifier)},
     R::Normal},
    {"CommentContinues",
     "still */ top",
     R::Comment,
     {T("still */", K::Comment), T(" ", K::Space), T("top", K::Key)},
     R::Normal},
    {"CommentLineWithoutClose",
     "still inside",
     R::Comment,
     {T("still inside", K::Comment)},
     R::Comment},
    {"CommentClosesAtLineStart", "*/", R::Comment, {T("*/", K::Comment)}, R::Normal},
    {"SpaceRunsAndLineBreaks",
     " \t\x01 \r\n\n\rx",
     R::Normal,
     {T(" \t\x01 ", K::Space), T("\r\n", K::Space), T("\n", K::Space), T("\r", K::Space),
      T("x", K::Identifier)},
     R::Normal},
    {"NulInsideLineIsOneCharacter",
     std::string("a\0b", 3),
     R::Normal,
     {T("a", K::Identifier), T(std::string(1, '\0'), K::Space), T("b", K::Identifier)},
     R::Normal},
    {"HighBytesAreOtherCharacters",
     "\xC3\xA9_x",
     R::Normal,
     {T("\xC3", K::Unknown), T("\xA9", K::Unknown), T("_x", K::Identifier)},
     R::Normal},
    {"SelectorPunctuation",
     "a.b:hover, @media",
     R::Normal,
     {T("a", K::Identifier), T(".", K::Unknown), T("b", K::Identifier), T(":", K::Unknown),
      T("hover", K::Identifier), T(",", K::Unknown), T(" ", K::Space), T("@", K::Unknown),
      T("media", K::Identifier)},
     R::Normal},
    {"UnknownRangeStartsNormal",
     "/x",
     static_cast<R>(7),
     {T("/", K::Symbol), T("x", K::Identifier)},
     R::Normal},
};

INSTANTIATE_TEST_SUITE_P(Css, CssLineTest, testing::ValuesIn(lineCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct WordCase {
    const char* word;
    K kind;
};

class CssWordTest : public testing::TestWithParam<WordCase> {};

TEST_P(CssWordTest, WordKind) {
    TSynCssSyn css;
    const WordCase& c = GetParam();
    EXPECT_EQ(ScanLine(css, c.word, 0), (std::vector{T(c.word, c.kind)}));
}

const WordCase wordCases[] = {
    {"color", K::Key},
    {"CoLoR", K::Key},
    {"KHZ", K::Key},
    {"panose-1", K::Key},
    {"PANOSE-1", K::Key},
    // Digits weigh nothing, yet a keyword's digit must match exactly.
    {"panose-7", K::Identifier},
    {"panose-0", K::Identifier},
    {"scrollbar-3d-light-color", K::Key},
    {"SCROLLBAR-3D-LIGHT-COLOR", K::Key},
    {"scrollbar-9d-light-color", K::Identifier},
    {"text-underline-position", K::Key},
    {"colour", K::Identifier},
    {"col_or", K::Identifier},
    {"b-box-", K::Identifier},
    {"zzzzzzzzzzzz", K::Identifier},           // hash above the table
    {"a--------------------b", K::Identifier}, // hash below zero
    {"_", K::Identifier},
};

INSTANTIATE_TEST_SUITE_P(Css, CssWordTest, testing::ValuesIn(wordCases), [](const auto& info) {
    std::string name = info.param.word;
    for (auto& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name + std::to_string(info.index);
});

TEST(CssHighlighter, EveryKeywordIsAKeywordInAnyCase) {
    TSynCssSyn css;
    ASSERT_EQ(TSynCssSyn::Keywords().size(), 186u);
    for (auto keyword : TSynCssSyn::Keywords()) {
        std::string upper(keyword);
        for (auto& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        for (const std::string& spelling : {std::string(keyword), upper}) {
            EXPECT_EQ(ScanLine(css, spelling, 0), (std::vector{T(spelling, K::Key)})) << spelling;
        }
    }
}

TEST(CssHighlighter, CommentSpanningLines) {
    TSynCssSyn css;
    css.ClearRange();
    const char* const lines[] = {"a { /* open", "color: red;", "*/ b"};
    const R expectedAfter[] = {R::Comment, R::Comment, R::Normal};
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        css.StartLine(lines[i], LineIndex(static_cast<int>(i)));
        css.ScanToLineEnd();
        EXPECT_EQ(css.CurrentRange(), static_cast<TSynRange>(expectedAfter[i])) << i;
    }
    EXPECT_EQ(ScanLine(css, lines[1], static_cast<TSynRange>(R::Comment)),
              (std::vector{T("color: red;", K::Comment)}));
}

TEST(CssHighlighter, ScannerNeverReadsPastTheLine) {
    // The bytes after the view would close the comment or the string.
    const std::string comment = "x*/";
    const std::string quoted = "'ab'";
    TSynCssSyn css;
    EXPECT_EQ(ScanLine(css, std::string_view(comment).substr(0, 2), 1),
              (std::vector{T("x*", K::Comment)}));
    EXPECT_EQ(ScanLine(css, std::string_view(quoted).substr(0, 3), 0),
              (std::vector{T("'ab", K::String)}));
}

TEST(CssHighlighter, TokenAttributesFollowKinds) {
    TSynCssSyn css;
    const std::pair<const char*, const TSynHighlighterAttributes*> tokenAttributes[] = {
        {"/**/", css.CommentAttri()}, {"x", css.IdentifierAttri()}, {"em", css.KeyAttri()},
        {"1", css.NumberAttri()},     {" ", css.SpaceAttri()},      {"'a'", css.StringAttri()},
        {"(", css.SymbolAttri()},     {";", css.IdentifierAttri()}};
    for (const auto& [text, attribute] : tokenAttributes) {
        css.ClearRange();
        css.StartLine(text, LineIndex(0));
        EXPECT_EQ(css.TokenAttribute(), attribute) << text;
    }
}

} // namespace
