#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterPerl.h"

#include <gtest/gtest.h>

namespace {

using K = TPerlTokenKind;

using LineCase = PlainLineCase;

class PerlLineTest : public PlainLineTest<TSynPerlSyn> {};

TEST_P(PerlLineTest, TokensAndNoRange) {
    ExpectTokensAndNoRange();
}

const LineCase wordCases[] = {
    {"Declaration",
     "my $x = 10;",
     {T("my", K::Key), T(" ", K::Space), T("$x", K::Identifier), T(" ", K::Space),
      T("=", K::Symbol), T(" ", K::Space), T("10", K::Number), T(";", K::Symbol)}},
    {"WordOperatorIsCaseSensitive",
     "if ($a eq $b EQ)",
     {T("if", K::Key), T(" ", K::Space), T("(", K::Symbol), T("$a", K::Identifier),
      T(" ", K::Space), T("eq", K::Operator), T(" ", K::Space), T("$b", K::Identifier),
      T(" ", K::Space), T("EQ", K::Identifier), T(")", K::Symbol)}},
    {"Pragma",
     "use strict;",
     {T("use", K::Key), T(" ", K::Space), T("strict", K::Pragma), T(";", K::Symbol)}},
    {"NamedSpecialVariables",
     "$ARGV @INC %INC $ENV $count",
     {T("$ARGV", K::Variable), T(" ", K::Space), T("@INC", K::Variable), T(" ", K::Space),
      T("%INC", K::Variable), T(" ", K::Space), T("$ENV", K::Variable), T(" ", K::Space),
      T("$count", K::Identifier)}},
    {"PunctuationVariables",
     "$_ $0 $$ $/ $\\",
     {T("$_", K::Variable), T(" ", K::Space), T("$0", K::Variable), T(" ", K::Space),
      T("$$", K::Variable), T(" ", K::Space), T("$/", K::Variable), T(" ", K::Space),
      T("$\\", K::Variable)}},
    {"UnderscoreVariableThenWord", "$_foo", {T("$_", K::Variable), T("foo", K::Identifier)}},
    {"CaretVariables",
     "$^W $^Q",
     {T("$^W", K::Variable), T(" ", K::Space), T("$", K::Identifier), T("^", K::Symbol),
      T("Q", K::Identifier)}},
    {"CaretAtLineEnd", "$^", {T("$^", K::Variable)}},
    {"LongestSpecialVariable",
     "$FORMAT_LINE_BREAK_CHARACTERS",
     {T("$FORMAT_LINE_BREAK_CHARACTERS", K::Variable)}},
    {"KeywordPrefixIsIdentifier",
     "printer print",
     {T("printer", K::Identifier), T(" ", K::Space), T("print", K::Key)}},
    {"ModulusAndModulusAssign",
     "$a % 2; $b %= 3",
     {T("$a", K::Identifier), T(" ", K::Space), T("%", K::Symbol), T(" ", K::Space),
      T("2", K::Number), T(";", K::Symbol), T(" ", K::Space), T("$b", K::Identifier),
      T(" ", K::Space), T("%=", K::Symbol), T(" ", K::Space), T("3", K::Number)}},
    {"HashVariable", "%opts", {T("%opts", K::Identifier)}},
    {"RepetitionOperator",
     "$s x= 3; xor x",
     {T("$s", K::Identifier), T(" ", K::Space), T("x=", K::Symbol), T(" ", K::Space),
      T("3", K::Number), T(";", K::Symbol), T(" ", K::Space), T("xor", K::Operator),
      T(" ", K::Space), T("x", K::Symbol)}},
    {"RepetitionBeforeSpaceIsWord",
     "x 3",
     {T("x", K::Identifier), T(" ", K::Space), T("3", K::Number)}},
    {"HashedRunIncludesSigils", "$a$b@c", {T("$a$b@c", K::Identifier)}},
};
INSTANTIATE_TEST_SUITE_P(Words, PerlLineTest, testing::ValuesIn(wordCases));

const LineCase numberCases[] = {
    {"Range", "1..10", {T("1", K::Number), T("..", K::Symbol), T("10", K::Number)}},
    {"HexAndUnderscore",
     "0xFF 1_000",
     {T("0xFF", K::Number), T(" ", K::Space), T("1_000", K::Number)}},
    {"ExponentMinusSplits", "1e-5", {T("1e", K::Number), T("-", K::Symbol), T("5", K::Number)}},
    {"MinusBeforeE", "1-e", {T("1-e", K::Number)}},
    {"DotForms",
     "... .= .x .5",
     {T("...", K::Symbol), T(" ", K::Space), T(".=", K::Symbol), T(" ", K::Space),
      T(".", K::Symbol), T("x", K::Identifier), T(" ", K::Space), T(".5", K::Number)}},
};
INSTANTIATE_TEST_SUITE_P(Numbers, PerlLineTest, testing::ValuesIn(numberCases));

const LineCase stringAndSymbolCases[] = {
    {"Comment", "# note \"x\"", {T("# note \"x\"", K::Comment)}},
    {"CodeThenComment",
     "exit; # done",
     {T("exit", K::Key), T(";", K::Symbol), T(" ", K::Space), T("# done", K::Comment)}},
    {"DoubleQuotedWithEscapedQuote",
     R"("a\"b" c)",
     {T(R"("a\"b")", K::String), T(" ", K::Space), T("c", K::Identifier)}},
    {"BackslashBeforeOtherKeepsClosingQuote", R"("a\n")", {T(R"("a\n")", K::String)}},
    {"TripleQuoteSkipsTwo",
     R"("""a" b)",
     {T(R"("""a")", K::String), T(" ", K::Space), T("b", K::Identifier)}},
    {"UnclosedStringEndsAtLineEnd", "\"abc\\", {T("\"abc\\", K::String)}},
    {"SingleQuotedHasNoEscapes",
     R"('a\' b')",
     {T(R"('a\')", K::String), T(" ", K::Space), T("b", K::Identifier), T("'", K::String)}},
    {"ThreeCharacterOperators",
     "&&=**=<<=<=>>>=||=",
     {T("&&=", K::Symbol), T("**=", K::Symbol), T("<<=", K::Symbol), T("<=>", K::Symbol),
      T(">>=", K::Symbol), T("||=", K::Symbol)}},
    {"TwoCharacterOperators",
     "!=!~&&&=**->--+++=-=/=^=::<<==>=~==>>",
     {T("!=", K::Symbol), T("!~", K::Symbol), T("&&", K::Symbol), T("&=", K::Symbol),
      T("**", K::Symbol), T("->", K::Symbol), T("--", K::Symbol), T("++", K::Symbol),
      T("+=", K::Symbol), T("-=", K::Symbol), T("/=", K::Symbol), T("^=", K::Symbol),
      T("::", K::Symbol), T("<<=", K::Symbol), T("=>", K::Symbol), T("=~", K::Symbol),
      T("==", K::Symbol), T(">>", K::Symbol)}},
    {"SingleSymbols",
     "=(),;?[]{}~\\!&*<>|",
     {T("=", K::Symbol), T("(", K::Symbol), T(")", K::Symbol), T(",", K::Symbol), T(";", K::Symbol),
      T("?", K::Symbol), T("[", K::Symbol), T("]", K::Symbol), T("{", K::Symbol), T("}", K::Symbol),
      T("~", K::Symbol), T("\\", K::Symbol), T("!", K::Symbol), T("&", K::Symbol),
      T("*", K::Symbol), T("<", K::Symbol), T(">", K::Symbol), T("|", K::Symbol)}},
    {"IllegalCharacters",
     "`\x7F\xE9",
     {T("`", K::Unknown), T("\x7F", K::Unknown), T("\xE9", K::Unknown)}},
    {"BlanksAndBreaks", " \t\r\n\n", {T(" \t", K::Space), T("\r\n", K::Space), T("\n", K::Space)}},
    {"EmbeddedNulAdvances",
     std::string("a\0b", 3),
     {T("a", K::Identifier), T(std::string(1, '\0'), K::Space), T("b", K::Identifier)}},
};
INSTANTIATE_TEST_SUITE_P(StringsAndSymbols, PerlLineTest, testing::ValuesIn(stringAndSymbolCases));

TEST(PerlHighlighter, NoConstructSpansLines) {
    TSynPerlSyn perl;
    ScanLine(perl, "print \"open", 0);
    EXPECT_EQ(perl.CurrentRange(), 0u);
}

TEST(PerlHighlighter, PragmaAfterUse) {
    TSynPerlSyn perl;
    perl.StartLine("use vars", LineIndex(0));
    perl.NextToken();
    perl.NextToken();
    EXPECT_EQ(perl.TokenAttribute(), perl.PragmaAttri());
}

} // namespace
