#include "RichTestSupport.h"
#include "richedit/RtfReader.h"

#include <gtest/gtest.h>

namespace {

RichCharFormat Format(bool bold, bool italic, bool underline, bool strikeOut) {
    RichCharFormat format;
    format.bold = bold;
    format.italic = italic;
    format.underline = underline;
    format.strikeOut = strikeOut;
    return format;
}

TEST(RtfReaderFormatTest, FontStylesFollowGroupsAndToggles) {
    const struct {
        std::string rtf;
        std::string text;
        RichCharFormat expected;
    } cases[] = {
        {R"({\rtf1 {\b x}})", "x", Format(true, false, false, false)},
        {R"({\rtf1 {\b x}y})", "y", Format(false, false, false, false)},
        {R"({\rtf1 \b\b0 x})", "x", Format(false, false, false, false)},
        {R"({\rtf1 \i\ul\strike x})", "x", Format(false, true, true, true)},
        {R"({\rtf1 \uldb\striked1 x})", "x", Format(false, false, true, true)},
        {R"({\rtf1 \ul\ulnone x})", "x", Format(false, false, false, false)},
        {R"({\rtf1 \ul\ul0 x})", "x", Format(false, false, false, false)},
        {R"({\rtf1 \b\i\ul\strike\plain x})", "x", Format(false, false, false, false)},
        {R"({\rtf1 {\b {\i x}})", "x", Format(true, true, false, false)},
        {R"({\rtf1 {\b {\i y}x}})", "x", Format(true, false, false, false)},
    };
    for (const auto& c : cases) {
        const RichDocument document = ReadRtf(c.rtf);
        const RichCharFormat* format = FormatOf(document, c.text);
        ASSERT_NE(format, nullptr) << c.rtf;
        EXPECT_EQ(*format, c.expected) << c.rtf;
    }
}

TEST(RtfReaderFormatTest, FontsSizesAndColoursComeFromTheirTables) {
    const std::string header = R"({\rtf1\ansi\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\froman)"
                               R"({\*\panose 02020603050405020304}Times New Roman;}})"
                               R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})";
    const struct {
        std::string body;
        std::string fontName;
        int halfPoints;
        TColor color;
        TColor highlight;
    } cases[] = {
        {"x", "Times New Roman", 24, clNone, clNone},
        {"\\f0 x", "Arial", 24, clNone, clNone},
        {"\\f0\\fs36\\cf1 x", "Arial", 36, RGB(255, 0, 0), clNone},
        {"\\highlight2 x", "Times New Roman", 24, clNone, RGB(0, 0, 255)},
        {"\\chcbpat1 x", "Times New Roman", 24, clNone, RGB(255, 0, 0)},
        {"\\cb2 x", "Times New Roman", 24, clNone, RGB(0, 0, 255)},
        {"\\cf1\\cf0 x", "Times New Roman", 24, clNone, clNone},
        {"\\f0\\plain x", "Times New Roman", 24, clNone, clNone},
        {"\\f7 x", "", 24, clNone, clNone},
        {"\\cf99 x", "Times New Roman", 24, clNone, clNone},
        {"\\cf-1 x", "Times New Roman", 24, clNone, clNone},
        {"\\fs0 x", "Times New Roman", 1, clNone, clNone},
        {"\\fs999999 x", "Times New Roman", 3276, clNone, clNone},
        {"\\fs x", "Times New Roman", 24, clNone, clNone},
    };
    for (const auto& c : cases) {
        const RichDocument document = ReadRtf(header + c.body + "}");
        const RichCharFormat* format = FormatOf(document, "x");
        ASSERT_NE(format, nullptr) << c.body;
        EXPECT_EQ(format->fontName, c.fontName) << c.body;
        EXPECT_EQ(format->halfPoints, c.halfPoints) << c.body;
        EXPECT_EQ(format->color, c.color) << c.body;
        EXPECT_EQ(format->highlight, c.highlight) << c.body;
    }
}

TEST(RtfReaderFormatTest, FontNamesAreDecodedAndCleaned) {
    const struct {
        std::string entry;
        std::string name;
    } cases[] = {
        {R"(\f0  Arial ;)", "Arial"},
        {R"(\f0\fcharset204 \'c0\'f0\'e8\'e0\'eb;)", "Ариал"},
        {R"(\f0 Caf\u233?;)", "Café"},
        {R"(\f0 Odd\u-10179?\u-8704?;)", "Odd\uFFFD\uFFFD"},
        {"\\f0 Tab\tand\x01 control;", "Taband control"},
        {R"(\f0 Brace\};)", "Brace}"},
    };
    for (const auto& c : cases) {
        const RichDocument document = ReadRtf("{\\rtf1{\\fonttbl{" + c.entry + "}}\\f0 x}");
        const RichCharFormat* format = FormatOf(document, "x");
        ASSERT_NE(format, nullptr) << c.entry;
        EXPECT_EQ(format->fontName, c.name) << c.entry;
    }
}

TEST(RtfReaderFormatTest, TablesWithoutInnerGroupsOrAutomaticEntry) {
    const RichDocument document =
        ReadRtf(R"({\rtf1{\fonttbl\f0\fnil Courier New;\f1\fnil Arial;})"
                R"({\colortbl\red0\green128\blue0;\red1\green2\blue3;}\f1\cf0 x})");
    const RichCharFormat* format = FormatOf(document, "x");
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->fontName, "Arial");
    EXPECT_EQ(format->color, RGB(0, 128, 0));
}

TEST(RtfReaderFormatTest, ParagraphAlignmentBelongsToItsParagraph) {
    const RichDocument document =
        ReadRtf(R"({\rtf1\pard\qc centre\par right {\qr\b x}\par\pard justified\qj\par)"
                R"(\pard left\par\qd distributed})");
    const std::vector<RichAlignment> expected = {RichAlignment::Center, RichAlignment::Right,
                                                 RichAlignment::Justify, RichAlignment::Left,
                                                 RichAlignment::Justify};
    ASSERT_EQ(document.paragraphs.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(document.paragraphs[i].alignment, expected[i]) << i;
    }
}

TEST(RtfReaderFormatTest, NeighbouringTextOfOneFormatIsOneRun) {
    const RichDocument document = ReadRtf(R"({\rtf1 a{b}{\b0 c}\b d\b0 e{\i}f})");
    ASSERT_EQ(document.paragraphs.size(), 1u);
    const auto& runs = document.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "abc");
    EXPECT_EQ(runs[1].text, "d");
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_EQ(runs[2].text, "ef");
}

} // namespace
