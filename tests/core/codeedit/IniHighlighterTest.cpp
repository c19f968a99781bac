#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterIni.h"

#include <gtest/gtest.h>

namespace {

using K = TIniTokenKind;

using LineCase = PlainLineCase;

class IniLineTest : public PlainLineTest<TSynIniSyn> {};

TEST_P(IniLineTest, Tokens) {
    ExpectTokensAndNoRange();
}

const LineCase lineCases[] = {
    {"Section", "[Main]", {T("[Main]", K::Section)}},
    {"SectionWithoutBracketRunsToLineEnd", "[Main", {T("[Main", K::Section)}},
    {"SectionEndsAtFirstBracket",
     "[a]b]",
     {T("[a]", K::Section), T("b", K::Text), T("]", K::Text)}},
    {"IndentedBracketIsText",
     " [Main]",
     {T(" ", K::Space), T("[", K::Text), T("M", K::Text), T("a", K::Text), T("i", K::Text),
      T("n", K::Text), T("]", K::Text)}},
    {"KeyAndTextValue",
     "Key=value",
     {T("Key", K::Key), T("=", K::Symbol), T("v", K::Text), T("a", K::Text), T("l", K::Text),
      T("u", K::Text), T("e", K::Text)}},
    {"Number", "Width=640", {T("Width", K::Key), T("=", K::Symbol), T("640", K::Number)}},
    {"NumberWithExponent",
     "Ratio=1.5e3",
     {T("Ratio", K::Key), T("=", K::Symbol), T("1.5e3", K::Number)}},
    {"NumberStopsAtOtherCharacters",
     "a=1x2",
     {T("a", K::Key), T("=", K::Symbol), T("1", K::Number), T("x", K::Text), T("2", K::Number)}},
    {"Comment", "; note", {T("; note", K::Comment)}},
    {"SemicolonAfterColumnZeroIsText",
     "x=a ; n",
     {T("x", K::Key), T("=", K::Symbol), T("a", K::Text), T(" ", K::Space), T(";", K::Text),
      T(" ", K::Space), T("n", K::Text)}},
    {"KeyWithoutEqualsRunsToLineEnd", "x ; note", {T("x ; note", K::Key)}},
    {"IndentedKeyIsText",
     "  Key=1",
     {T("  ", K::Space), T("K", K::Text), T("e", K::Text), T("y", K::Text), T("=", K::Symbol),
      T("1", K::Number)}},
    {"DoubleQuotedString",
     "Name=\"A B\"",
     {T("Name", K::Key), T("=", K::Symbol), T("\"A B\"", K::String)}},
    {"SingleQuotedString",
     "N='a\"b' x",
     {T("N", K::Key), T("=", K::Symbol), T("'a\"b'", K::String), T(" ", K::Space),
      T("x", K::Text)}},
    {"UnclosedStringRunsToLineEnd",
     "N=\"abc",
     {T("N", K::Key), T("=", K::Symbol), T("\"abc", K::String)}},
    {"EmptyString",
     "N=\"\"x",
     {T("N", K::Key), T("=", K::Symbol), T("\"\"", K::String), T("x", K::Text)}},
    {"TripleQuoteSkipsTwo",
     "N=\"\"\"a\"b",
     {T("N", K::Key), T("=", K::Symbol), T("\"\"\"a\"", K::String), T("b", K::Text)}},
    {"LoneQuoteAtLineEnd", "N=\"", {T("N", K::Key), T("=", K::Symbol), T("\"", K::String)}},
    {"StringAtColumnZero",
     "\"a\"=1",
     {T("\"a\"", K::String), T("=", K::Symbol), T("1", K::Number)}},
    {"DigitAtColumnZeroStartsKey",
     "2ndKey=x",
     {T("2ndKey", K::Key), T("=", K::Symbol), T("x", K::Text)}},
    {"EqualsAtColumnZero", "=1", {T("=", K::Symbol), T("1", K::Number)}},
    {"SpaceRunExcludesLineBreaks",
     "\t \r\n\n \x01",
     {T("\t ", K::Space), T("\r\n", K::Space), T("\n", K::Space), T(" \x01", K::Space)}},
    {"LoneCarriageReturn",
     "a=\rb",
     {T("a", K::Key), T("=", K::Symbol), T("\r", K::Space), T("b", K::Text)}},
    {"NulInsideLineIsOneSpace",
     std::string("a=\0\0b", 5),
     {T("a", K::Key), T("=", K::Symbol), T(std::string(1, '\0'), K::Space),
      T(std::string(1, '\0'), K::Space), T("b", K::Text)}},
    {"HighByteAtColumnZeroIsKey",
     "\xC4x=1",
     {T("\xC4x", K::Key), T("=", K::Symbol), T("1", K::Number)}},
    {"Empty", "", {}},
};

INSTANTIATE_TEST_SUITE_P(Lines, IniLineTest, testing::ValuesIn(lineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniHighlighter, RangeIsAlwaysZero) {
    TSynIniSyn ini;
    for (TSynRange range : {TSynRange{0}, TSynRange{1}, TSynRange{200}}) {
        ini.RestoreRange(range);
        EXPECT_EQ(ini.CurrentRange(), 0u);
        ini.StartLine("[unclosed \"string", 0);
        ini.ScanToLineEnd();
        EXPECT_EQ(ini.CurrentRange(), 0u);
    }
}

TEST(IniHighlighter, EmptyLineIsOneNullToken) {
    TSynIniSyn ini;
    ini.StartLine("", 0);
    EXPECT_TRUE(ini.AtLineEnd());
    EXPECT_EQ(ini.TokenStart(), 0u);
    EXPECT_EQ(ini.TokenKind(), static_cast<int>(K::Null));
    EXPECT_EQ(ini.TokenAttribute(), nullptr);
}

TEST(IniHighlighter, KindsMapToTheirAttributes) {
    TSynIniSyn ini;
    const std::pair<std::string, const char*> cases[] = {
        {"; c", "Comment"}, {"[s]", "Section"}, {"k", "Key"}};
    for (const auto& [line, attribute] : cases) {
        ini.StartLine(line, 0);
        ASSERT_NE(ini.TokenAttribute(), nullptr) << line;
        EXPECT_EQ(ini.TokenAttribute()->Name(), attribute) << line;
    }
    ini.StartLine("k= 1\"s\"x", 0);
    std::vector<std::string> names;
    for (; !ini.AtLineEnd(); ini.NextToken()) {
        names.push_back(ini.TokenAttribute()->Name());
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Key", "Symbol", "Space", "Number", "String", "Text"}));
}

TEST(IniHighlighter, AttributeDefaults) {
    TSynIniSyn ini;
    EXPECT_EQ(ini.AttributeCount(), 8);
    EXPECT_EQ(ini.CommentAttri()->Foreground(), clGreen);
    EXPECT_EQ(ini.CommentAttri()->Style(), fsItalic);
    EXPECT_EQ(ini.SectionAttri()->Style(), fsBold);
    EXPECT_EQ(ini.SectionAttri()->Foreground(), clNone);
    for (auto* plain : {ini.TextAttri(), ini.KeyAttri(), ini.NumberAttri(), ini.SpaceAttri(),
                        ini.StringAttri(), ini.SymbolAttri()}) {
        EXPECT_EQ(plain->Foreground(), clNone) << plain->Name();
        EXPECT_EQ(plain->Background(), clNone) << plain->Name();
        EXPECT_EQ(plain->Style(), 0) << plain->Name();
    }
}

TEST(IniHighlighter, DefaultAttributeRoles) {
    TSynIniSyn ini;
    EXPECT_EQ(ini.DefaultAttribute(SYN_ATTR_COMMENT), ini.CommentAttri());
    EXPECT_EQ(ini.DefaultAttribute(SYN_ATTR_IDENTIFIER), nullptr);
    EXPECT_EQ(ini.DefaultAttribute(SYN_ATTR_KEYWORD), ini.KeyAttri());
    EXPECT_EQ(ini.DefaultAttribute(SYN_ATTR_STRING), ini.StringAttri());
    EXPECT_EQ(ini.DefaultAttribute(SYN_ATTR_WHITESPACE), ini.SpaceAttri());
    EXPECT_EQ(ini.DefaultAttribute(SYN_ATTR_SYMBOL), ini.SymbolAttri());
    EXPECT_EQ(ini.DefaultAttribute(6), nullptr);
}

TEST(IniHighlighter, ClassData) {
    TSynIniSyn ini;
    EXPECT_EQ(ini.LanguageName(), "INI file");
    EXPECT_EQ(ini.DefaultFilter(), "INI Files (*.ini)|*.ini");
    EXPECT_EQ(ini.SampleSource(),
              "; Syntax highlighting\r\n[Section]\r\nKey=value\r\nString=\"Arial\"\r\n"
              "Number=123456");
    const auto chars = ini.IdentifierChars();
    EXPECT_EQ(chars.count(), 10u + 26u + 26u + 1u + 64u - 2u);
    for (unsigned char c : {'0', 'Z', 'a', '_', '\xC0', '\xFF'}) {
        EXPECT_TRUE(chars.test(c)) << int(c);
    }
    for (unsigned char c : {' ', '=', '-', '\xD7', '\xF7', '\xBF'}) {
        EXPECT_FALSE(chars.test(c)) << int(c);
    }
}

} // namespace
