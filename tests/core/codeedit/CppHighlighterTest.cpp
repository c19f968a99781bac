#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterCpp.h"
#include "codeedit/SynHighlighterKeywords.h"

#include <gtest/gtest.h>

namespace {

using K = TCppTokenKind;
using R = TCppRange;

using LineCase = RangedLineCase<R>;

class CppLineTest : public RangedLineTest<TSynCppSyn, R> {};

TEST_P(CppLineTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const LineCase numberCases[] = {
    {"Hex", "0x1F", R::Normal, {T("0x1F", K::Hex)}, R::Normal},
    {"Octal", "0755", R::Normal, {T("0755", K::Octal)}, R::Normal},
    {"OctalWithEightIsIllegal", "089", R::Normal, {T("089", K::Unknown)}, R::Normal},
    {"FloatWithExponentAndSuffix", "1.5e-3f", R::Normal, {T("1.5e-3f", K::Float)}, R::Normal},
    {"LongDecimal", "123L", R::Normal, {T("123L", K::Number)}, R::Normal},
    {"SecondLongIsIllegal",
     "1LL",
     R::Normal,
     {T("1L", K::Unknown), T("L", K::Identifier)},
     R::Normal},
    {"BareHexPrefix",
     "0x ;",
     R::Normal,
     {T("0x", K::Unknown), T(" ", K::Space), T(";", K::Symbol)},
     R::Normal},
    {"LettersAfterNumber",
     "12abc",
     R::Normal,
     {T("12", K::Unknown), T("abc", K::Identifier)},
     R::Normal},
    {"NumberThenOperator",
     "1+2",
     R::Normal,
     {T("1", K::Number), T("+", K::Symbol), T("2", K::Number)},
     R::Normal},
    {"IdentifierPlusNumber",
     "a+1",
     R::Normal,
     {T("a", K::Identifier), T("+", K::Symbol), T("1", K::Number)},
     R::Normal},
    {"LeadingDotFloat", ".5", R::Normal, {T(".5", K::Float)}, R::Normal},
    {"Ellipsis", "...", R::Normal, {T("...", K::Symbol)}, R::Normal},
    {"NumberBeforeEllipsis",
     "1...",
     R::Normal,
     {T("1", K::Number), T("...", K::Symbol)},
     R::Normal},
    {"ExponentWithoutDigitEndsNumber",
     "1e;",
     R::Normal,
     {T("1", K::Unknown), T("e", K::Identifier), T(";", K::Symbol)},
     R::Normal},
    {"SecondExponentIsIllegal",
     "1e5e5",
     R::Normal,
     {T("1e5", K::Unknown), T("e5", K::Identifier)},
     R::Normal},
    {"ExponentSignWithoutDigit",
     "1e+;",
     R::Normal,
     {T("1e+", K::Unknown), T(";", K::Symbol)},
     R::Normal},
    {"DotInHexIsIllegal", "0x1.2", R::Normal, {T("0x1", K::Unknown), T(".2", K::Float)}, R::Normal},
    {"UnsignedLong", "10UL", R::Normal, {T("10UL", K::Number)}, R::Normal},
    {"UnsignedAfterFloatEnds",
     "1.0u",
     R::Normal,
     {T("1.0", K::Unknown), T("u", K::Identifier)},
     R::Normal},
    {"DoubleUnsignedIsIllegal",
     "1uu",
     R::Normal,
     {T("1u", K::Unknown), T("u", K::Identifier)},
     R::Normal},
    {"FloatSuffixThenLongEnds",
     "1.0fl",
     R::Normal,
     {T("1.0f", K::Unknown), T("l", K::Identifier)},
     R::Normal},
    {"SecondFloatSuffixIsIllegal",
     "1ff",
     R::Normal,
     {T("1f", K::Unknown), T("f", K::Identifier)},
     R::Normal},
    {"HexTakesEAndF", "0xEF", R::Normal, {T("0xEF", K::Hex)}, R::Normal},
    {"HexLetterOutsideHex",
     "1a",
     R::Normal,
     {T("1", K::Unknown), T("a", K::Identifier)},
     R::Normal},
    {"NineInFloatAfterZero", "0.9", R::Normal, {T("0.9", K::Float)}, R::Normal},
    {"XNotSecond", "12x", R::Normal, {T("12", K::Unknown), T("x", K::Identifier)}, R::Normal},
    {"MinusIsNotPartOfNumber",
     "2-1",
     R::Normal,
     {T("2", K::Number), T("-", K::Symbol), T("1", K::Number)},
     R::Normal},
};
INSTANTIATE_TEST_SUITE_P(Numbers, CppLineTest, testing::ValuesIn(numberCases));

const LineCase wordAndSymbolCases[] = {
    {"KeywordsAreCaseSensitive",
     "int Int INT __int64",
     R::Normal,
     {T("int", K::Key), T(" ", K::Space), T("Int", K::Identifier), T(" ", K::Space),
      T("INT", K::Identifier), T(" ", K::Space), T("__int64", K::Key)},
     R::Normal},
    {"LongestKeyword",
     "reinterpret_cast<T>",
     R::Normal,
     {T("reinterpret_cast", K::Key), T("<", K::Symbol), T("T", K::Identifier), T(">", K::Symbol)},
     R::Normal},
    {"KeywordPrefixIsIdentifier", "integer", R::Normal, {T("integer", K::Identifier)}, R::Normal},
    {"ThreeCharacterOperators",
     "a<<=b>>=c",
     R::Normal,
     {T("a", K::Identifier), T("<<=", K::Symbol), T("b", K::Identifier), T(">>=", K::Symbol),
      T("c", K::Identifier)},
     R::Normal},
    {"TwoCharacterOperators",
     "&&&=||-->::!=%=*===^=/=++<=>=",
     R::Normal,
     {T("&&", K::Symbol), T("&=", K::Symbol), T("||", K::Symbol), T("--", K::Symbol),
      T(">", K::Symbol), T("::", K::Symbol), T("!=", K::Symbol), T("%=", K::Symbol),
      T("*=", K::Symbol), T("==", K::Symbol), T("^=", K::Symbol), T("/=", K::Symbol),
      T("++", K::Symbol), T("<=", K::Symbol), T(">=", K::Symbol)},
     R::Normal},
    {"ArrowAndSingles",
     "p->x(){}[],;?~",
     R::Normal,
     {T("p", K::Identifier), T("->", K::Symbol), T("x", K::Identifier), T("(", K::Symbol),
      T(")", K::Symbol), T("{", K::Symbol), T("}", K::Symbol), T("[", K::Symbol), T("]", K::Symbol),
      T(",", K::Symbol), T(";", K::Symbol), T("?", K::Symbol), T("~", K::Symbol)},
     R::Normal},
    {"IllegalCharacters",
     "$@\\`\xC3\xA9",
     R::Normal,
     {T("$", K::Unknown), T("@", K::Unknown), T("\\", K::Unknown), T("`", K::Unknown),
      T("\xC3", K::Unknown), T("\xA9", K::Unknown)},
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
    {"CharacterLiterals",
     R"('a' '\'' '\\')",
     R::Normal,
     {T("'a'", K::Char), T(" ", K::Space), T(R"('\'')", K::Char), T(" ", K::Space),
      T(R"('\\')", K::Char)},
     R::Normal},
    {"UnclosedCharacterStopsAtLineEnd", "'ab\\", R::Normal, {T("'ab\\", K::Char)}, R::Normal},
};
INSTANTIATE_TEST_SUITE_P(WordsAndSymbols, CppLineTest, testing::ValuesIn(wordAndSymbolCases));

const LineCase stringCases[] = {
    {"ClosedString",
     R"("a\"b\\" x)",
     R::Normal,
     {T(R"("a\"b\\")", K::String), T(" ", K::Space), T("x", K::Identifier)},
     R::Normal},
    {"UnclosedStringEndsAtLineEnd", "\"abc", R::Normal, {T("\"abc", K::String)}, R::Normal},
    {"FinalBackslashContinues",
     "s = \"abc\\",
     R::Normal,
     {T("s", K::Identifier), T(" ", K::Space), T("=", K::Symbol), T(" ", K::Space),
      T("\"abc\\", K::String)},
     R::MultilineString},
    {"EscapedBackslashAtEndDoesNotContinue",
     "\"a\\\\",
     R::Normal,
     {T("\"a\\\\", K::String)},
     R::Normal},
    {"ContinuationCloses",
     "def\"; x",
     R::MultilineString,
     {T("def\"", K::String), T(";", K::Symbol), T(" ", K::Space), T("x", K::Identifier)},
     R::Normal},
    {"ContinuationContinues",
     "more\\",
     R::MultilineString,
     {T("more\\", K::String)},
     R::MultilineString},
    {"EmptyLineKeepsString", "", R::MultilineString, {}, R::MultilineString},
    {"ContinuationWithoutBackslashEnds",
     "tail",
     R::MultilineString,
     {T("tail", K::String)},
     R::Normal},
};
INSTANTIATE_TEST_SUITE_P(Strings, CppLineTest, testing::ValuesIn(stringCases));

const LineCase commentCases[] = {
    {"LineComment",
     "x // c /* d",
     R::Normal,
     {T("x", K::Identifier), T(" ", K::Space), T("// c /* d", K::Comment)},
     R::Normal},
    {"ClosedBlockComment",
     "/* a */b",
     R::Normal,
     {T("/* a */", K::Comment), T("b", K::Identifier)},
     R::Normal},
    {"SlashStarSlashDoesNotClose", "/*/ x", R::Normal, {T("/*/ x", K::Comment)}, R::AnsiComment},
    {"OpenBlockComment",
     "a /* open",
     R::Normal,
     {T("a", K::Identifier), T(" ", K::Space), T("/* open", K::Comment)},
     R::AnsiComment},
    {"CommentGoesOn", "still int", R::AnsiComment, {T("still int", K::Comment)}, R::AnsiComment},
    {"EmptyLineKeepsComment", "", R::AnsiComment, {}, R::AnsiComment},
    {"CommentCloses",
     "end */ int",
     R::AnsiComment,
     {T("end */", K::Comment), T(" ", K::Space), T("int", K::Key)},
     R::Normal},
};
INSTANTIATE_TEST_SUITE_P(Comments, CppLineTest, testing::ValuesIn(commentCases));

const LineCase directiveCases[] = {
    {"IncludeWithComment",
     "  #include <stdio.h> // io",
     R::Normal,
     {T("  ", K::Space), T("#include <stdio.h> ", K::Directive), T("// io", K::Comment)},
     R::Normal},
    {"HashInsideLineIsIllegal",
     "x = a # b;",
     R::Normal,
     {T("x", K::Identifier), T(" ", K::Space), T("=", K::Symbol), T(" ", K::Space),
      T("a", K::Identifier), T(" ", K::Space), T("#", K::Unknown), T(" ", K::Space),
      T("b", K::Identifier), T(";", K::Symbol)},
     R::Normal},
    {"DefineContinues",
     "#define X(a) \\",
     R::Normal,
     {T("#define X(a) \\", K::Directive)},
     R::MultilineDirective},
    {"ContinuedLine",
     "  (a) + 1",
     R::MultilineDirective,
     {T("  (a) + 1", K::Directive)},
     R::Normal},
    {"ContinuedLineContinues",
     "  a \\",
     R::MultilineDirective,
     {T("  a \\", K::Directive)},
     R::MultilineDirective},
    {"EmptyLineKeepsDirective", "", R::MultilineDirective, {}, R::MultilineDirective},
    {"CommentInsideDirectiveThenMore",
     "#if A /* why */ && B",
     R::Normal,
     {T("#if A ", K::Directive), T("/* why */", K::Comment), T(" && B", K::Directive)},
     R::Normal},
    {"CommentEndsDirectiveLine",
     "#endif /* A */",
     R::Normal,
     {T("#endif ", K::Directive), T("/* A */", K::Comment)},
     R::Normal},
    {"DirectiveCommentSearchStartsAtItsOpening",
     "#if A /*/ B",
     R::Normal,
     {T("#if A ", K::Directive), T("/*/", K::Comment), T(" B", K::Directive)},
     R::Normal},
    {"DirectiveCommentStaysOpen",
     "#if A /* long",
     R::Normal,
     {T("#if A ", K::Directive), T("/* long", K::Comment)},
     R::DirectiveComment},
    {"DirectiveCommentClosesNextLine",
     "text */ B \\",
     R::DirectiveComment,
     {T("text */", K::Comment), T(" B \\", K::Directive)},
     R::MultilineDirective},
    {"ContinuedDirectiveOpensWithComment",
     "/* c */ x",
     R::MultilineDirective,
     {T("/* c */", K::Comment), T(" x", K::Directive)},
     R::Normal},
    {"ContinuedDirectiveOpensWithLineComment",
     "// c",
     R::MultilineDirective,
     {T("// c", K::Comment)},
     R::Normal},
};
INSTANTIATE_TEST_SUITE_P(Directives, CppLineTest, testing::ValuesIn(directiveCases));

TEST(CppHighlighter, AllKeywordsFitTheTableAndHashAboveIsIdentifier) {
    TSynCppSyn cpp;
    TSynWeights weights{};
    for (int c = 'A'; c <= 'Z'; ++c) {
        weights[static_cast<std::size_t>(c)] = c - 'A' + 1;
        weights[static_cast<std::size_t>(c - 'A' + 'a')] = c - 'A' + 2;
    }
    const TSynKeywordTable table(weights, 206, TSynKeywordCase::Exact);
    EXPECT_EQ(table.Hash("reinterpret_cast"), 206);
    EXPECT_EQ(ScanLine(cpp, "reinterpret_cast", 0), std::vector{T("reinterpret_cast", K::Key)});
    EXPECT_GT(table.Hash("reinterpret_casta"), 206);
    EXPECT_EQ(ScanLine(cpp, "reinterpret_casta", 0),
              std::vector{T("reinterpret_casta", K::Identifier)});
}

TEST(CppHighlighter, TokenAttributesFollowKinds) {
    TSynCppSyn cpp;
    cpp.StartLine("#x", LineIndex(0));
    EXPECT_EQ(cpp.TokenAttribute(), cpp.DirecAttri());
    cpp.StartLine("0x1", LineIndex(0));
    EXPECT_EQ(cpp.TokenAttribute(), cpp.HexAttri());
    cpp.StartLine("'c'", LineIndex(0));
    EXPECT_EQ(cpp.TokenAttribute(), cpp.CharAttri());
    cpp.StartLine("$", LineIndex(0));
    EXPECT_EQ(cpp.TokenAttribute(), cpp.InvalidAttri());
}

} // namespace
