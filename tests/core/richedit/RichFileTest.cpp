#include "RichTestSupport.h"
#include "richedit/RichFileKind.h"
#include "richedit/RtfReader.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(RichFileKindTest, TellsRtfPlainTextAndBinaryApart) {
    const struct {
        std::string bytes;
        RichFileKind expected;
    } cases[] = {
        {"{\\rtf1\\ansi x}", RichFileKind::Rtf},
        {"{\\rtf", RichFileKind::Rtf},
        {"{\\rtf1 holds a NUL\0 byte}"s, RichFileKind::Rtf},
        {"", RichFileKind::PlainText},
        {"just text\r\n", RichFileKind::PlainText},
        {" {\\rtf1 leading blank}", RichFileKind::PlainText},
        {"{\\rt", RichFileKind::PlainText},
        {"\xEF\xBB\xBF{\\rtf1 behind a BOM}", RichFileKind::PlainText},
        {"\x01\x7F\xFF high and low bytes", RichFileKind::PlainText},
        {"PK\x03\x04\x14\0\x06\0"s, RichFileKind::Binary},
        {"text\0"s, RichFileKind::Binary},
        {std::string(64 * 1024, 'a') + '\0', RichFileKind::PlainText},
        {std::string(64 * 1024 - 1, 'a') + '\0', RichFileKind::Binary},
        {ReadTestFile("word.docx"), RichFileKind::Binary},
        {ReadTestFile("word97.doc"), RichFileKind::Binary},
        {ReadTestFile("libreoffice-styled.rtf"), RichFileKind::Rtf},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyRichFile(c.bytes), c.expected) << c.bytes.substr(0, 40);
    }
}

TEST(RichFileKindTest, MessageNamesTheFile) {
    const std::string message = NotRichTextMessage("/home/u/report.docx");
    EXPECT_NE(message.find("/home/u/report.docx"), std::string::npos);
    EXPECT_NE(message.find("neither RTF nor plain text"), std::string::npos);
}

// LibreOffice's own file, and LibreOffice's file of what our writer made of it: the second shows
// that LibreOffice read our output with its text and formatting.
TEST(LibreOfficeFilesTest, StyledDocument) {
    for (const std::string name : {"libreoffice-styled.rtf", "libreoffice-from-ours-styled.rtf"}) {
        SCOPED_TRACE(name);
        const RichDocument document = ReadRtf(ReadTestFile(name));
        EXPECT_EQ(
            ParagraphTexts(document),
            (std::vector<std::string>{
                "Plain start bold italic underlined struck end.", "Red centred and highlighted",
                "Right aligned", "Justified paragraph with a tab here and a line\u2028break."}));
        ASSERT_EQ(document.paragraphs.size(), 4u);
        EXPECT_EQ(document.paragraphs[0].alignment, RichAlignment::Left);
        EXPECT_EQ(document.paragraphs[1].alignment, RichAlignment::Center);
        EXPECT_EQ(document.paragraphs[2].alignment, RichAlignment::Right);
        EXPECT_EQ(document.paragraphs[3].alignment, RichAlignment::Justify);

        const struct {
            std::string text;
            bool bold, italic, underline, strikeOut;
            std::string font;
            int halfPoints;
            TColor color, highlight;
        } runs[] = {
            {"Plain start", false, false, false, false, "Liberation Sans", 24, clNone, clNone},
            {"bold", true, false, false, false, "Liberation Sans", 24, clNone, clNone},
            {"italic", false, true, false, false, "Liberation Sans", 24, clNone, clNone},
            {"underlined", false, false, true, false, "Liberation Sans", 24, clNone, clNone},
            {"struck", false, false, false, true, "Liberation Sans", 24, clNone, clNone},
            {"Red centred", false, false, false, false, "Liberation Serif", 32, RGB(255, 0, 0),
             clNone},
            {"highlighted", false, false, false, false, "Liberation Serif", 32, clNone,
             RGB(255, 255, 0)},
            {"Right aligned", false, false, false, false, "Liberation Serif", 24, clNone, clNone},
        };
        for (const auto& run : runs) {
            const RichCharFormat* format = FormatOf(document, run.text);
            ASSERT_NE(format, nullptr) << run.text;
            EXPECT_EQ(format->bold, run.bold) << run.text;
            EXPECT_EQ(format->italic, run.italic) << run.text;
            EXPECT_EQ(format->underline, run.underline) << run.text;
            EXPECT_EQ(format->strikeOut, run.strikeOut) << run.text;
            EXPECT_EQ(format->fontName, run.font) << run.text;
            EXPECT_EQ(format->halfPoints, run.halfPoints) << run.text;
            EXPECT_EQ(format->color, run.color) << run.text;
            EXPECT_EQ(format->highlight, run.highlight) << run.text;
        }
    }
}

TEST(LibreOfficeFilesTest, ScriptsBeyondTheCodePage) {
    // The second was written by us in Windows-1251, then by LibreOffice.
    for (const std::string name :
         {"libreoffice-scripts.rtf", "libreoffice-from-ours-scripts.rtf"}) {
        EXPECT_EQ(ParagraphTexts(ReadRtf(ReadTestFile(name))),
                  (std::vector<std::string>{"Привет, мир! Ёлка.", "Ελληνικά και Deutsch: Größe ü €",
                                            "漢字 and emoji 😀 end"}))
            << name;
    }
}

TEST(LibreOfficeFilesTest, PicturesTablesAndListsLeaveTheirText) {
    EXPECT_EQ(
        ParagraphTexts(ReadRtf(ReadTestFile("libreoffice-picture-table.rtf"))),
        (std::vector<std::string>{"Before the picture \uFFFC after the picture.", "cell one",
                                  "cell two", "cell three", "cell four", "After the table.",
                                  "first item", "second item"}));
}

} // namespace
