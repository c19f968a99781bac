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

TEST(IniHighlighter, UnclosedConstructsLeaveNoRange) {
    TSynIniSyn ini;
    ini.StartLine("[unclosed \"string", LineIndex(0));
    ini.ScanToLineEnd();
    EXPECT_EQ(ini.CurrentRange(), 0u);
}

TEST(IniHighlighter, KindsMapToTheirAttributes) {
    TSynIniSyn ini;
    const std::pair<std::string, const char*> cases[] = {
        {"; c", "Comment"}, {"[s]", "Section"}, {"k", "Key"}};
    for (const auto& [line, attribute] : cases) {
        ini.StartLine(line, LineIndex(0));
        ASSERT_NE(ini.TokenAttribute(), nullptr) << line;
        EXPECT_EQ(ini.TokenAttribute()->Name(), attribute) << line;
    }
    ini.StartLine("k= 1\"s\"x", LineIndex(0));
    std::vector<std::string> names;
    for (; !ini.AtLineEnd(); ini.NextToken()) {
        names.push_back(ini.TokenAttribute()->Name());
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Key", "Symbol", "Space", "Number", "String", "Text"}));
}

} // namespace
