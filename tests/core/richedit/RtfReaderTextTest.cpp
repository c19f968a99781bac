#include "RichTestSupport.h"
#include "richedit/RtfReader.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using Texts = std::vector<std::string>;

TEST(RtfReaderTextTest, ReadsParagraphsBreaksAndSymbols) {
    const struct {
        std::string rtf;
        Texts expected;
    } cases[] = {
        {R"({\rtf1 Hello world})", {"Hello world"}},
        {R"({\rtf1 one\par two\par})", {"one", "two"}},
        {R"({\rtf1 one\par\par})", {"one", ""}},
        {"{\\rtf1 one\\\r\ntwo}", {"one", "two"}},
        {"{\\rtf1 line\r\nbreaks\nin source}", {"linebreaksin source"}},
        {R"({\rtf1 a\line b\tab c})", {"a\u2028b\tc"}},
        {"{\\rtf1 a\tb}", {"a\tb"}},
        {R"({\rtf1 \{braces\} and \\backslash})", {"{braces} and \\backslash"}},
        {R"({\rtf1 a\~b\_c\-d})", {"a\u00A0b\u2011cd"}},
        {R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
         {"\u2014\u2013\u2022\u2018\u2019\u201C\u201D"}},
        {R"({\rtf1 \sect a\page b})", {"", "a", "b"}},
        {R"({\rtf1 {\b bold} plain})", {"bold plain"}},
        {R"({\rtf1 word\unknownword  two spaces})", {"word two spaces"}},
        {R"({\rtf1 \par})", {""}},
        {R"({\rtf1})", {}},
        // A table's cells hold paragraphs of their own.
        {R"({\rtf1 \trowd a\cell b\cell\row after\par})", {"a", "b", "after"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParagraphTexts(ReadRtf(c.rtf)), c.expected) << c.rtf;
    }
}

TEST(RtfReaderTextTest, PassesOverDestinationsThatHoldNoText) {
    const struct {
        std::string rtf;
        Texts expected;
    } cases[] = {
        {R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}text})", {"text"}},
        {R"({\rtf1{\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}text})", {"text"}},
        {R"({\rtf1 a{\*\unknowndest hidden {nested} text}b})", {"ab"}},
        {R"({\rtf1 a{\*\generator LibreOffice;}b})", {"ab"}},
        // A picture is one mark in the text.
        {R"({\rtf1 a{\pict\pngblip 89504e47}b})", {"a\uFFFCb"}},
        {R"({\rtf1 a{\header head}{\footer foot}{\footnote note}b})", {"ab"}},
        {R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt shown}}})", {"shown"}},
        // Binary data may hold braces and backslashes: they are data, not structure.
        {"{\\rtf1 a{\\pict\\bin5 }{\\\\\\b}b}", {"a\uFFFCb"}},
        {"{\\rtf1 a\\bin3 x}yb}", {"ab"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParagraphTexts(ReadRtf(c.rtf)), c.expected) << c.rtf;
    }
}

TEST(RtfReaderTextTest, DecodesCodePagesAndUnicode) {
    const struct {
        std::string rtf;
        Texts expected;
    } cases[] = {
        // \ansi alone is Windows-1252.
        {R"({\rtf1\ansi caf\'e9 \'80})", {"caf\u00E9 \u20AC"}},
        {R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})", {"Привет"}},
        {R"({\rtf1\ansi\ansicpg1253 \'c1\'e8})", {"Αθ"}},
        // Raw 8-bit text decodes like \'hh.
        {"{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}", {"При"}},
        // A font's charset overrides the document's code page for its text.
        {R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}})"
         R"(\f1 \'c4\'e0 \f0 \'c4})",
         {"Да \u00C4"}},
        {R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f1\cpg1250 X;}}\f1 \'9a})", {"š"}},
        // Code pages we do not know fall back to Windows-1252.
        {R"({\rtf1\ansi\ansicpg932 \'e9})", {"\u00E9"}},
        {R"({\rtf1\mac \'e9})", {"\u00E9"}},
        {R"({\rtf1\ansi\ansicpg99999999999 \'e9})", {"\u00E9"}},
        // \uN with its fallback skipped by \ucN.
        {R"({\rtf1 \u1055?\u1088?})", {"Пр"}},
        {R"({\rtf1 \uc2\u1055\'3f\'3fx})", {"Пx"}},
        {R"({\rtf1 \uc0\u1055 x})", {"Пx"}},
        {R"({\rtf1 \u1055\'cf x})", {"П x"}},
        // A control word counts as a fallback character too.
        {R"({\rtf1 \u1055\par x})", {"Пx"}},
        {R"({\rtf1 {\uc3\u1055}abc})", {"Пabc"}},
        {R"({\rtf1 \u-3913?})", {"\uF0B7"}},
        {R"({\rtf1 \u-32768?})", {"\u8000"}},
        {R"({\rtf1 \u-10179?\u-8704?})", {"\U0001F600"}},
        {R"({\rtf1 \uc0 \u55357\uc1 \u56832\'3f end})", {"\U0001F600 end"}},
        {R"({\rtf1 \u-10179?x})", {"\uFFFDx"}},
        {R"({\rtf1 \u-8704?x})", {"\uFFFDx"}},
        {R"({\rtf1 \u-40000?x})", {"\uFFFDx"}},
        {R"({\rtf1 \u0?x})", {"x"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParagraphTexts(ReadRtf(c.rtf)), c.expected) << c.rtf;
    }
}

TEST(RtfReaderTextTest, LoadsWhatItCanOfDamagedInput) {
    const struct {
        std::string rtf;
        Texts expected;
    } cases[] = {
        {R"({\rtf1 cut off)", {"cut off"}},
        {R"({\rtf1 {\b deep {\i deeper)", {"deep deeper"}},
        {R"({\rtf1 a}} b})", {"a b"}},
        {R"({\rtf1 ends with \)", {"ends with "}},
        {R"({\rtf1 ends with \')", {"ends with "}},
        {R"({\rtf1 ends with \'4)", {"ends with "}},
        {R"({\rtf1 ends with \'41)", {"ends with A"}},
        {R"({\rtf1 bad \'zz hex})", {"bad zz hex"}},
        {R"({\rtf1 a\fs99999999999999999999 b})", {"ab"}},
        {R"({\rtf1 \u99999999999999?x})", {"\uFFFDx"}},
        {R"({\rtf1 a\bin99999999999 b})", {"a"}},
        {R"({\rtf1 a\bin-5 b})", {"ab"}},
        {R"({\rtf1 \uc99999999999\u1055 abc})", {"П"}},
        {R"({\rtf1 a\-})", {"a"}},
        {"{\\rtf1 nul\0byte}"s, {"nulbyte"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParagraphTexts(ReadRtf(c.rtf)), c.expected) << c.rtf;
    }
}

TEST(RtfReaderTextTest, SurvivesExtremeNestingAndHugePictures) {
    const std::size_t depth = 100'000;
    std::string nested =
        "{\\rtf1 " + std::string(depth, '{') + "inside" + std::string(depth, '}') + " after}";
    EXPECT_EQ(ParagraphTexts(ReadRtf(nested)), Texts{"inside after"});

    const std::string unclosed = "{\\rtf1 " + std::string(3'000'000, '{') + "x";
    EXPECT_EQ(ParagraphTexts(ReadRtf(unclosed)), Texts{"x"});

    std::string picture = "{\\rtf1 before{\\pict\\pngblip ";
    picture.append(50u << 20, 'a');
    picture += "}after}";
    EXPECT_EQ(ParagraphTexts(ReadRtf(picture)), Texts{"before\uFFFCafter"});
}

} // namespace
