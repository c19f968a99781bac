#include "richedit/RtfWriter.h"

#include "RichTestSupport.h"
#include "richedit/RtfReader.h"

#include <gtest/gtest.h>

namespace {

const Encoding& CodePage(int number) {
    return *Encoding::ForCodePage(number);
}

RichRun MakeRun(std::string text, RichCharFormat format = {}) {
    return {std::move(text), std::move(format)};
}

RichCharFormat Styled(std::string font, int halfPoints) {
    RichCharFormat format;
    format.fontName = std::move(font);
    format.halfPoints = halfPoints;
    return format;
}

std::vector<RichDocument> SampleDocuments() {
    RichCharFormat all = Styled("Liberation Serif", 28);
    all.bold = all.italic = all.underline = all.strikeOut = true;
    all.color = RGB(200, 10, 20);
    all.highlight = RGB(255, 255, 0);
    RichCharFormat coloured = Styled("Arial", 20);
    coloured.color = RGB(0, 0, 255);
    RichCharFormat sameColourAsHighlight = Styled("Arial", 20);
    sameColourAsHighlight.highlight = RGB(0, 0, 255);

    return {
        {},
        {{{RichAlignment::Left, {}}}},
        {{{RichAlignment::Left, {MakeRun("plain")}}}},
        {{{RichAlignment::Center, {MakeRun("one", all)}},
          {RichAlignment::Right,
           {MakeRun("two", coloured), MakeRun(" three", sameColourAsHighlight)}},
          {RichAlignment::Justify, {MakeRun("four"), MakeRun(" five", Styled("", 30))}},
          {RichAlignment::Left, {}}}},
        {{{RichAlignment::Left,
           {MakeRun("tab\there, break\u2028next line; {braces} \\ back",
                    Styled("Courier New", 24))}}}},
        {{{RichAlignment::Left, {MakeRun(" leading and trailing spaces ", Styled("Arial", 24))}}}},
        {{{RichAlignment::Left,
           {MakeRun("Привет café € 漢字 😀 \u00A0\u2011 digits after\u00E91", Styled("Arial", 24)),
            MakeRun("Шрифт", Styled("Times New Roman Cyr ÄÖ", 48))}}}},
    };
}

TEST(RtfWriterTest, OutputReadsBackToTheSameDocument) {
    for (const int codePage : {1252, 1251, 1250, 1253, 28591, 65001}) {
        for (const RichDocument& document : SampleDocuments()) {
            const std::string rtf = WriteRtf(document, CodePage(codePage));
            EXPECT_EQ(ReadRtf(rtf), document) << codePage << "\n" << rtf;
        }
    }
}

TEST(RtfWriterTest, OutputIsSevenBitAndUsesTheCodePageWhereItCan) {
    const RichDocument document{{{RichAlignment::Left, {MakeRun("é Д 😀", Styled("Arial", 24))}}}};
    const struct {
        int codePage;
        std::string header;
        std::vector<std::string> pieces;
    } cases[] = {
        {1252, "\\ansicpg1252", {"\\fcharset0 ", "\\'e9", "\\u1044?", "\\u-10179?\\u-8704?"}},
        {1251, "\\ansicpg1251", {"\\fcharset204 ", "\\u233?", "\\'c4", "\\u-10179?\\u-8704?"}},
        {1250, "\\ansicpg1250", {"\\fcharset238 ", "\\'e9", "\\u1044?"}},
        {65001, "\\ansicpg1252", {"\\fcharset0 ", "\\'e9", "\\u1044?"}},
        {28591, "\\ansicpg1252", {"\\fcharset0 ", "\\'e9", "\\u1044?"}},
    };
    for (const auto& c : cases) {
        const std::string rtf = WriteRtf(document, CodePage(c.codePage));
        EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi" + c.header)) << rtf;
        for (const std::string& piece : c.pieces) {
            EXPECT_NE(rtf.find(piece), std::string::npos) << piece << " in " << rtf;
        }
        for (const char byte : rtf) {
            EXPECT_LT(static_cast<unsigned char>(byte), 0x80) << rtf;
        }
    }
}

TEST(RtfWriterTest, ControlCharactersOtherThanTabAreLeftOut) {
    const RichDocument document{{{RichAlignment::Left,
                                  {MakeRun("a\x01"
                                           "b\x1F"
                                           "c\td")}}}};
    EXPECT_EQ(ParagraphTexts(ReadRtf(WriteRtf(document, CodePage(1252)))),
              std::vector<std::string>{"ab"
                                       "c\td"});
}

TEST(RtfWriterTest, EachFontAndColourIsListedOnce) {
    RichCharFormat red = Styled("Arial", 24);
    red.color = RGB(255, 0, 0);
    RichCharFormat redHighlight = Styled("Arial", 30);
    redHighlight.highlight = RGB(255, 0, 0);
    const RichDocument document{
        {{RichAlignment::Left,
          {MakeRun("a", red), MakeRun("b", redHighlight), MakeRun("c", red)}}}};
    const std::string rtf = WriteRtf(document, CodePage(1252));
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\colortbl;\\red255\\green0\\blue0;}"), std::string::npos) << rtf;
}

} // namespace
