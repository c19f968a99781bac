#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterPas.h"

#include <gtest/gtest.h>

namespace {

using K = TPasTokenKind;
using R = TPasRange;

using LineCase = RangedLineCase<R>;

class PasLineTest : public RangedLineTest<TSynPasSyn, R> {};

TEST_P(PasLineTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const ScannedToken S{" ", static_cast<int>(K::Space)};

const LineCase lineCases[] = {
    {"PropertyContextKeywords",
     "property Name: string read FName write SetName;",
     R::Normal,
     {T("property", K::Keyword), S, T("Name", K::Identifier), T(":", K::Symbol), S,
      T("string", K::Keyword), S, T("read", K::Keyword), S, T("FName", K::Identifier), S,
      T("write", K::Keyword), S, T("SetName", K::Identifier), T(";", K::Symbol)},
     R::Normal},
    {"ReadOutsidePropertyIsIdentifier",
     "x := read;",
     R::Normal,
     {T("x", K::Identifier), S, T(":=", K::Symbol), S, T("read", K::Identifier), T(";", K::Symbol)},
     R::Normal},
    {"PropertyGoesOnToNextLine",
     "property X",
     R::Normal,
     {T("property", K::Keyword), S, T("X", K::Identifier)},
     R::Property},
    {"IndexInProperty",
     "index 1 stored",
     R::Property,
     {T("index", K::Keyword), S, T("1", K::Number), S, T("stored", K::Keyword)},
     R::Property},
    {"ExportsName",
     "exports Foo name 'Bar';",
     R::Normal,
     {T("exports", K::Keyword), S, T("Foo", K::Identifier), S, T("name", K::Keyword), S,
      T("'Bar'", K::String), T(";", K::Symbol)},
     R::Normal},
    {"NameOutsideExportsIsIdentifier",
     "name index",
     R::Normal,
     {T("name", K::Identifier), S, T("index", K::Identifier)},
     R::Normal},
    {"CommentInPropertyEndsIt",
     "read {c} read",
     R::Property,
     {T("read", K::Keyword), S, T("{c}", K::Comment), S, T("read", K::Identifier)},
     R::Normal},
    {"Directive", "{$R *.res}", R::Normal, {T("{$R *.res}", K::Directive)}, R::Normal},
    {"BraceComment",
     "{ note }x",
     R::Normal,
     {T("{ note }", K::Comment), T("x", K::Identifier)},
     R::Normal},
    {"UnclosedBrace",
     "a { open",
     R::Normal,
     {T("a", K::Identifier), S, T("{ open", K::Comment)},
     R::BorlandComment},
    {"BraceContinues", "still", R::BorlandComment, {T("still", K::Comment)}, R::BorlandComment},
    {"BraceContinuationSecondCharDecides",
     "x$y} z",
     R::BorlandComment,
     {T("x$y}", K::Directive), S, T("z", K::Identifier)},
     R::Normal},
    {"EmptyLineInBrace", "", R::BorlandComment, {}, R::BorlandComment},
    {"LineComment",
     "a // note",
     R::Normal,
     {T("a", K::Identifier), S, T("// note", K::Comment)},
     R::Normal},
    {"AnsiComment",
     "(* c *)x",
     R::Normal,
     {T("(* c *)", K::Comment), T("x", K::Identifier)},
     R::Normal},
    {"AnsiStarParenDoesNotCloseRightAway",
     "(*)",
     R::Normal,
     {T("(*)", K::Comment)},
     R::AnsiComment},
    {"AnsiAtLineEnd", "(*", R::Normal, {T("(*", K::Comment)}, R::AnsiComment},
    {"AnsiContinues",
     "x *) y",
     R::AnsiComment,
     {T("x *)", K::Comment), S, T("y", K::Identifier)},
     R::Normal},
    {"EmptyLineInAnsi", "", R::AnsiComment, {}, R::AnsiComment},
    {"CharacterCodes",
     "x := #13#10;",
     R::Normal,
     {T("x", K::Identifier), S, T(":=", K::Symbol), S, T("#13", K::Char), T("#10", K::Char),
      T(";", K::Symbol)},
     R::Normal},
    {"HexAndCharHex",
     "$FFg #$0D",
     R::Normal,
     {T("$FF", K::Hex), T("g", K::Identifier), S, T("#$0D", K::Char)},
     R::Normal},
    {"Float",
     "1.5E-3 2e+4 7-1",
     R::Normal,
     {T("1.5E-3", K::Float), S, T("2e+4", K::Float), S, T("7", K::Number), T("-", K::Symbol),
      T("1", K::Number)},
     R::Normal},
    {"SubRange",
     "1..10",
     R::Normal,
     {T("1", K::Number), T("..", K::Symbol), T("10", K::Number)},
     R::Normal},
    {"DoubledQuoteInString",
     "'It''s'x",
     R::Normal,
     {T("'It''s'", K::String), T("x", K::Identifier)},
     R::Normal},
    {"UnclosedString", "'abc", R::Normal, {T("'abc", K::String)}, R::Normal},
    {"AsmBlock",
     "asm mov eax, 1 end",
     R::Normal,
     {T("asm", K::Keyword), S, T("mov", K::Assembler), S, T("eax", K::Assembler),
      T(",", K::Assembler), S, T("1", K::Assembler), S, T("end", K::Keyword)},
     R::Normal},
    {"AsmGoesOn", "asm", R::Normal, {T("asm", K::Keyword)}, R::Asm},
    {"CommentsInAsm",
     "{c}(*d*)// e",
     R::Asm,
     {T("{c}", K::Comment), T("(*d*)", K::Comment), T("// e", K::Comment)},
     R::Asm},
    {"OpenBraceInAsm", "{ c", R::Asm, {T("{ c", K::Comment)}, R::AsmBorlandComment},
    {"BraceInAsmCloses",
     "c } mov",
     R::AsmBorlandComment,
     {T("c }", K::Comment), S, T("mov", K::Assembler)},
     R::Asm},
    {"AnsiInAsmCloses",
     "*) mov",
     R::AsmAnsiComment,
     {T("*)", K::Comment), S, T("mov", K::Assembler)},
     R::Asm},
    {"KeywordsAnyCaseAndHashedDigits",
     "BEGIN begin Begin begin2 End_",
     R::Normal,
     {T("BEGIN", K::Keyword), S, T("begin", K::Keyword), S, T("Begin", K::Keyword), S,
      T("begin2", K::Identifier), S, T("End_", K::Identifier)},
     R::Normal},
    // Keywords are found by the sum of their letters' weights: anagrams and words with a
    // digit in place of a letter share the sum and must not match.
    {"SameLetterSumIsNoKeyword",
     "fi dne i2f eNd RESOURCESTRING stringresources",
     R::Normal,
     {T("fi", K::Identifier), S, T("dne", K::Identifier), S, T("i2f", K::Identifier), S,
      T("eNd", K::Keyword), S, T("RESOURCESTRING", K::Keyword), S,
      T("stringresources", K::Identifier)},
     R::Normal},
    {"Symbols",
     ":= : >= > <= <> < @@ @ .. .) . (. ( ; + ^",
     R::Normal,
     {T(":=", K::Symbol), S, T(":", K::Symbol),  S, T(">=", K::Symbol), S, T(">", K::Symbol),  S,
      T("<=", K::Symbol), S, T("<>", K::Symbol), S, T("<", K::Symbol),  S, T("@@", K::Symbol), S,
      T("@", K::Symbol),  S, T("..", K::Symbol), S, T(".)", K::Symbol), S, T(".", K::Symbol),  S,
      T("(.", K::Symbol), S, T("(", K::Symbol),  S, T(";", K::Symbol),  S, T("+", K::Symbol),  S,
      T("^", K::Symbol)},
     R::Normal},
    {"OtherCharacters",
     "|\xE9\x7F",
     R::Normal,
     {T("|", K::Unknown), T("\xE9", K::Unknown), T("\x7F", K::Unknown)},
     R::Normal},
    {"Spaces",
     "\t \r\n\n\x01",
     R::Normal,
     {T("\t ", K::Space), T("\r\n", K::Space), T("\n", K::Space), T("\x01", K::Space)},
     R::Normal},
};

INSTANTIATE_TEST_SUITE_P(Lines, PasLineTest, testing::ValuesIn(lineCases),
                         [](const auto& info) { return std::string(info.param.name); });

int FirstKind(TSynPasSyn& pas, const char* line) {
    pas.ClearRange();
    pas.StartLine(line, LineIndex(0));
    return pas.TokenKind();
}

TEST(PasHighlighter, LanguageVersionGatesKeywords) {
    struct Gate {
        const char* word;
        TDelphiVersion lowest;
    };
    const Gate gates[] = {
        {"cdecl", TDelphiVersion::dvDelphi2},          {"safecall", TDelphiVersion::dvDelphi3},
        {"resourcestring", TDelphiVersion::dvDelphi3}, {"overload", TDelphiVersion::dvDelphi4},
        {"platform", TDelphiVersion::dvDelphi6},       {"begin", TDelphiVersion::dvDelphi1}};
    TSynPasSyn pas;
    for (const auto& gate : gates) {
        for (int v = 0; v <= 5; ++v) {
            pas.SetDelphiVersion(static_cast<TDelphiVersion>(v));
            const K expected = v >= static_cast<int>(gate.lowest) ? K::Keyword : K::Identifier;
            EXPECT_EQ(FirstKind(pas, gate.word), static_cast<int>(expected))
                << gate.word << " version " << v;
        }
    }
    pas.SetDelphiVersion(TDelphiVersion::dvDelphi1);
    EXPECT_EQ(ScanLine(pas, "a//b", 8),
              (std::vector<ScannedToken>{T("a", K::Identifier), T("/", K::Symbol),
                                         T("/", K::Symbol), T("b", K::Identifier)}));
    pas.SetDelphiVersion(TDelphiVersion::dvDelphi2);
    pas.RestoreRange(static_cast<TSynRange>(R::Property));
    pas.StartLine("readonly", LineIndex(0));
    EXPECT_EQ(pas.TokenKind(), static_cast<int>(K::Identifier));
    pas.SetDelphiVersion(TDelphiVersion::dvDelphi3);
    pas.RestoreRange(static_cast<TSynRange>(R::Property));
    pas.StartLine("readonly", LineIndex(0));
    EXPECT_EQ(pas.TokenKind(), static_cast<int>(K::Keyword));
}

TEST(PasHighlighter, PackageSourceGatesPackageWords) {
    TSynPasSyn pas;
    EXPECT_TRUE(pas.PackageSource());
    EXPECT_EQ(pas.DelphiVersion(), TDelphiVersion::dvDelphi6);
    for (const char* word : {"package", "Contains", "REQUIRES"}) {
        pas.SetPackageSource(true);
        EXPECT_EQ(FirstKind(pas, word), static_cast<int>(K::Keyword)) << word;
        pas.SetPackageSource(false);
        EXPECT_EQ(FirstKind(pas, word), static_cast<int>(K::Identifier)) << word;
    }
}

TEST(PasHighlighter, TokenAttributesFollowKinds) {
    TSynPasSyn pas;
    const std::pair<const char*, TSynHighlighterAttributes*> attributes[] = {
        {"|", pas.SymbolAttri()},
        {"1.5", pas.FloatAttri()},
        {"$1", pas.HexAttri()},
        {"#1", pas.CharAttri()},
        {"{$I x}", pas.DirectiveAttri()}};
    for (const auto& [line, attribute] : attributes) {
        pas.ClearRange();
        pas.StartLine(line, LineIndex(0));
        EXPECT_EQ(pas.TokenAttribute(), attribute) << line;
    }
    pas.RestoreRange(static_cast<TSynRange>(R::Asm));
    pas.StartLine("mov", LineIndex(0));
    EXPECT_EQ(pas.TokenAttribute(), pas.AsmAttri());
}

} // namespace
