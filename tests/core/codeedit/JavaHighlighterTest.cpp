#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterJava.h"

#include <gtest/gtest.h>

namespace {

using K = TJavaTokenKind;
using R = TJavaRange;

using LineCase = RangedLineCase<R>;

class JavaLineTest : public RangedLineTest<TSynJavaSyn, R> {};

TEST_P(JavaLineTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const LineCase wordCases[] = {
    {"MainSignature",
     "public static void main(String[] args)",
     R::Normal,
     {T("public", K::Key), T(" ", K::Space), T("static", K::Key), T(" ", K::Space),
      T("void", K::Key), T(" ", K::Space), T("main", K::Identifier), T("(", K::Symbol),
      T("String", K::Identifier), T("[", K::Symbol), T("]", K::Symbol), T(" ", K::Space),
      T("args", K::Identifier), T(")", K::Symbol)},
     R::Normal},
    {"KeywordsAreCaseSensitive",
     "Public null NULL",
     R::Normal,
     {T("Public", K::Identifier), T(" ", K::Space), T("null", K::Key), T(" ", K::Space),
      T("NULL", K::Identifier)},
     R::Normal},
    {"DollarAndUnderscoreWords",
     "$value _x a$1",
     R::Normal,
     {T("$value", K::Identifier), T(" ", K::Space), T("_x", K::Identifier), T(" ", K::Space),
      T("a$1", K::Identifier)},
     R::Normal},
    {"LongestKeywordAtTableTop",
     "synchronized synchronizedX",
     R::Normal,
     {T("synchronized", K::Key), T(" ", K::Space), T("synchronizedX", K::Identifier)},
     R::Normal},
    {"AccentedLettersAreWordCharacters",
     "caf\xE9 \xD7",
     R::Normal,
     {T("caf\xE9", K::Identifier), T(" ", K::Space), T("\xD7", K::Unknown)},
     R::Normal},
    {"Annotation",
     "@Override",
     R::Normal,
     {T("@", K::InvalidSymbol), T("Override", K::Identifier)},
     R::Normal},
    {"OtherCharacters",
     "#\\`\x7F",
     R::Normal,
     {T("#", K::InvalidSymbol), T("\\", K::Unknown), T("`", K::Unknown), T("\x7F", K::Unknown)},
     R::Normal},
    {"BlanksAndLineBreaks",
     " \t\r\n\n",
     R::Normal,
     {T(" \t", K::Space), T("\r\n", K::Space), T("\n", K::Space)},
     R::Normal},
    {"EmbeddedNulAdvances",
     std::string("a\0b", 3),
     R::Normal,
     {T("a", K::Identifier), T(std::string(1, '\0'), K::Space), T("b", K::Identifier)},
     R::Normal},
};
INSTANTIATE_TEST_SUITE_P(Words, JavaLineTest, testing::ValuesIn(wordCases));

const LineCase numberAndSymbolCases[] = {
    {"Numbers",
     "0x1F 10L 1.5 .5",
     R::Normal,
     {T("0x1F", K::Number), T(" ", K::Space), T("10L", K::Number), T(" ", K::Space),
      T("1.5", K::Number), T(" ", K::Space), T(".5", K::Number)},
     R::Normal},
    {"RangeDotsSplitNumber",
     "1..2",
     R::Normal,
     {T("1", K::Number), T(".", K::Symbol), T(".2", K::Number)},
     R::Normal},
    {"MinusJoinsNumber",
     "1-2+3",
     R::Normal,
     {T("1-2", K::Number), T("+", K::Symbol), T("3", K::Number)},
     R::Normal},
    {"UnsignedShiftAssign",
     "x >>>= 2;",
     R::Normal,
     {T("x", K::Identifier), T(" ", K::Space), T(">>>=", K::Symbol), T(" ", K::Space),
      T("2", K::Number), T(";", K::Symbol)},
     R::Normal},
    {"ShiftOperators",
     ">>>a>>=b>>c>=d<<=e<<f<=g<",
     R::Normal,
     {T(">>>", K::Symbol), T("a", K::Identifier), T(">>=", K::Symbol), T("b", K::Identifier),
      T(">>", K::Symbol), T("c", K::Identifier), T(">=", K::Symbol), T("d", K::Identifier),
      T("<<=", K::Symbol), T("e", K::Identifier), T("<<", K::Symbol), T("f", K::Identifier),
      T("<=", K::Symbol), T("g", K::Identifier), T("<", K::Symbol)},
     R::Normal},
    {"PairOperators",
     "&&&=|||=++--+=-=->!=%*=^==/=",
     R::Normal,
     {T("&&", K::Symbol), T("&=", K::Symbol), T("||", K::Symbol), T("|=", K::Symbol),
      T("++", K::Symbol), T("--", K::Symbol), T("+=", K::Symbol), T("-=", K::Symbol),
      T("-", K::Symbol), T(">", K::Symbol), T("!=", K::Symbol), T("%", K::Symbol),
      T("*=", K::Symbol), T("^=", K::Symbol), T("=", K::Symbol), T("/=", K::Symbol)},
     R::Normal},
    {"SingleSymbols",
     "(){}[],:;?~.",
     R::Normal,
     {T("(", K::Symbol), T(")", K::Symbol), T("{", K::Symbol), T("}", K::Symbol), T("[", K::Symbol),
      T("]", K::Symbol), T(",", K::Symbol), T(":", K::Symbol), T(";", K::Symbol), T("?", K::Symbol),
      T("~", K::Symbol), T(".", K::Symbol)},
     R::Normal},
};
INSTANTIATE_TEST_SUITE_P(NumbersAndSymbols, JavaLineTest, testing::ValuesIn(numberAndSymbolCases));

const LineCase stringCases[] = {
    {"EscapedQuoteInCharacter",
     "char c = '\\'';",
     R::Normal,
     {T("char", K::Key), T(" ", K::Space), T("c", K::Identifier), T(" ", K::Space),
      T("=", K::Symbol), T(" ", K::Space), T("'\\''", K::String), T(";", K::Symbol)},
     R::Normal},
    {"StringWithEscapes",
     R"("a\"b\\" x)",
     R::Normal,
     {T(R"("a\"b\\")", K::String), T(" ", K::Space), T("x", K::Identifier)},
     R::Normal},
    {"TripleQuoteSkipsTwo",
     R"("""ab" c)",
     R::Normal,
     {T(R"("""ab")", K::String), T(" ", K::Space), T("c", K::Identifier)},
     R::Normal},
    {"EmptyStringThenOther",
     R"("" x)",
     R::Normal,
     {T(R"("")", K::String), T(" ", K::Space), T("x", K::Identifier)},
     R::Normal},
    {"UnclosedStringEndsAtLineEnd", "\"abc", R::Normal, {T("\"abc", K::String)}, R::Normal},
    {"FinalBackslashStopsAtLineEnd", "\"ab\\", R::Normal, {T("\"ab\\", K::String)}, R::Normal},
    {"CharacterDoesNotSkipDoubledQuotes",
     "'''x'",
     R::Normal,
     {T("''", K::String), T("'x'", K::String)},
     R::Normal},
};
INSTANTIATE_TEST_SUITE_P(Strings, JavaLineTest, testing::ValuesIn(stringCases));

const LineCase commentCases[] = {
    {"DocumentationComment",
     "/** doc */x",
     R::Normal,
     {T("/** doc */", K::Documentation), T("x", K::Identifier)},
     R::Normal},
    {"PlainComment", "/* c */", R::Normal, {T("/* c */", K::Comment)}, R::Normal},
    {"EmptyDocumentationOpens", "/**/", R::Normal, {T("/**/", K::Documentation)}, R::Documentation},
    {"SlashStarSlashOpens", "/*/", R::Normal, {T("/*/", K::Comment)}, R::Comment},
    {"LineComment",
     "a // b /*",
     R::Normal,
     {T("a", K::Identifier), T(" ", K::Space), T("// b /*", K::Comment)},
     R::Normal},
    {"CommentGoesOn", "int x", R::Comment, {T("int x", K::Comment)}, R::Comment},
    {"DocumentationGoesOn",
     " * @param x",
     R::Documentation,
     {T(" * @param x", K::Documentation)},
     R::Documentation},
    {"EmptyLineKeepsComment", "", R::Documentation, {}, R::Documentation},
    {"CommentCloses",
     "end */ int",
     R::Comment,
     {T("end */", K::Comment), T(" ", K::Space), T("int", K::Key)},
     R::Normal},
    {"DocumentationCloses", "*/", R::Documentation, {T("*/", K::Documentation)}, R::Normal},
};
INSTANTIATE_TEST_SUITE_P(Comments, JavaLineTest, testing::ValuesIn(commentCases));

TEST(JavaHighlighter, StrayCharacterIsInvalid) {
    TSynJavaSyn java;
    java.StartLine("\\", LineIndex(0));
    EXPECT_EQ(java.TokenAttribute(), java.InvalidAttri());
}

} // namespace
