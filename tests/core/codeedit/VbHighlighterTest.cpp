#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterKeywords.h"
#include "codeedit/SynHighlighterVB.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using K = TVbTokenKind;

using LineCase = PlainLineCase;

class VbLineTest : public PlainLineTest<TSynVBSyn> {};

TEST_P(VbLineTest, Tokens) {
    ExpectTokensAndNoRange();
}

const LineCase lineCases[] = {
    {"Declaration",
     "Dim x As Integer",
     {T("Dim", K::Keyword), T(" ", K::Space), T("x", K::Identifier), T(" ", K::Space),
      T("As", K::Keyword), T(" ", K::Space), T("Integer", K::Keyword)}},
    {"KeywordsIgnoreCase",
     "DIM dim dIm",
     {T("DIM", K::Keyword), T(" ", K::Space), T("dim", K::Keyword), T(" ", K::Space),
      T("dIm", K::Keyword)}},
    {"WordRunIncludesDigitsAndUnderscore",
     "Dim2 _x a_b",
     {T("Dim2", K::Identifier), T(" ", K::Space), T("_x", K::Identifier), T(" ", K::Space),
      T("a_b", K::Identifier)}},
    {"ApostropheComment",
     "x = 1 ' note",
     {T("x", K::Identifier), T(" ", K::Space), T("=", K::Symbol), T(" ", K::Space),
      T("1", K::Number), T(" ", K::Space), T("' note", K::Comment)}},
    {"RemComment", "Rem note", {T("Rem note", K::Comment)}},
    {"UpperRemComment", "  REM note", {T("  ", K::Space), T("REM note", K::Comment)}},
    {"RemAfterStatement",
     "x:rem y",
     {T("x", K::Identifier), T(":", K::Symbol), T("rem y", K::Comment)}},
    {"RemarkIsIdentifier", "remark", {T("remark", K::Identifier)}},
    {"Rem2IsIdentifier",
     "rem2 x",
     {T("rem2", K::Identifier), T(" ", K::Space), T("x", K::Identifier)}},
    {"DateLiteral",
     "d = #1/1/2000#",
     {T("d", K::Identifier), T(" ", K::Space), T("=", K::Symbol), T(" ", K::Space),
      T("#1/1/2000#", K::String)}},
    {"UnclosedDate", "#1/1", {T("#1/1", K::String)}},
    {"String",
     "s = \"a b\"",
     {T("s", K::Identifier), T(" ", K::Space), T("=", K::Symbol), T(" ", K::Space),
      T("\"a b\"", K::String)}},
    {"UnclosedString", "\"abc", {T("\"abc", K::String)}},
    {"EmptyString", "\"\"x", {T("\"\"", K::String), T("x", K::Identifier)}},
    {"LeadingDoubledQuoteSkipped",
     "\"\"\"a\"b",
     {T("\"\"\"a\"", K::String), T("b", K::Identifier)}},
    {"DoubledQuoteInsideEndsString", "\"a\"\"b\"", {T("\"a\"", K::String), T("\"b\"", K::String)}},
    {"Number", "1.5e3x", {T("1.5e3", K::Number), T("x", K::Identifier)}},
    {"NotEqual",
     "If a <> b Then",
     {T("If", K::Keyword), T(" ", K::Space), T("a", K::Identifier), T(" ", K::Space),
      T("<>", K::Symbol), T(" ", K::Space), T("b", K::Identifier), T(" ", K::Space),
      T("Then", K::Keyword)}},
    {"Comparisons",
     "<=<>=>=><",
     {T("<=", K::Symbol), T("<>", K::Symbol), T("=", K::Symbol), T(">=", K::Symbol),
      T(">", K::Symbol), T("<", K::Symbol)}},
    {"OneCharacterSymbols",
     "&()*+,-./:;=^{}",
     {T("&", K::Symbol), T("(", K::Symbol), T(")", K::Symbol), T("*", K::Symbol), T("+", K::Symbol),
      T(",", K::Symbol), T("-", K::Symbol), T(".", K::Symbol), T("/", K::Symbol), T(":", K::Symbol),
      T(";", K::Symbol), T("=", K::Symbol), T("^", K::Symbol), T("{", K::Symbol),
      T("}", K::Symbol)}},
    {"OtherCharacters",
     "$!\\\xE9",
     {T("$", K::Unknown), T("!", K::Unknown), T("\\", K::Unknown), T("\xE9", K::Unknown)}},
    {"Spaces",
     "\t \r\n\n\x01",
     {T("\t ", K::Space), T("\r\n", K::Space), T("\n", K::Space), T("\x01", K::Space)}},
    {"NulInsideLine",
     std::string("a\0b", 3),
     {T("a", K::Identifier), T(std::string(1, '\0'), K::Space), T("b", K::Identifier)}},
    {"Empty", "", {}},
};

INSTANTIATE_TEST_SUITE_P(Lines, VbLineTest, testing::ValuesIn(lineCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string Upper(std::string_view word) {
    std::string upper(word);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

TEST(VbHighlighter, EveryKeywordInAnyCase) {
    TSynVBSyn vb;
    ASSERT_EQ(TSynVBSyn::Keywords().size(), 213u);
    for (auto keyword : TSynVBSyn::Keywords()) {
        for (const std::string& spelling : {std::string(keyword), Upper(keyword)}) {
            vb.StartLine(spelling, LineIndex(0));
            EXPECT_EQ(vb.TokenKind(), static_cast<int>(K::Keyword)) << spelling;
            EXPECT_EQ(vb.TokenText(), spelling);
            vb.StartLine(spelling + "x", LineIndex(0));
            EXPECT_EQ(vb.TokenKind(), static_cast<int>(K::Identifier)) << spelling << "x";
        }
    }
}

TEST(VbHighlighter, WordsSharingAKeywordHashAreIdentifiers) {
    // "fi" weighs as "if"; "zzzzzz" weighs 156, past the table.
    TSynVBSyn vb;
    for (const char* word : {"fi", "mid_", "zzzzzz", "ab"}) {
        vb.StartLine(word, LineIndex(0));
        EXPECT_EQ(vb.TokenKind(), static_cast<int>(K::Identifier)) << word;
    }
}

TEST(VbHighlighter, UnclosedStringLeavesNoRange) {
    TSynVBSyn vb;
    vb.StartLine("s = \"open", LineIndex(0));
    vb.ScanToLineEnd();
    EXPECT_EQ(vb.CurrentRange(), 0u);
    // An unclosed string does not colour the next line.
    EXPECT_EQ(ScanLine(vb, "x", 0), (std::vector<ScannedToken>{T("x", K::Identifier)}));
}

TEST(VbHighlighter, TokenAttributesFollowKinds) {
    TSynVBSyn vb;
    vb.StartLine("$", LineIndex(0));
    EXPECT_EQ(vb.TokenAttribute(), vb.IdentifierAttri());
    vb.StartLine("#d#", LineIndex(0));
    EXPECT_EQ(vb.TokenAttribute(), vb.StringAttri());
}

} // namespace
