#include "richedit/qt/RichTextConversion.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

RichCharFormat Format(std::string font, int halfPoints) {
    RichCharFormat format;
    format.fontName = std::move(font);
    format.halfPoints = halfPoints;
    return format;
}

TEST(RichTextConversionTest, DocumentsComeBackFromQTextDocumentUnchanged) {
    RichCharFormat all = Format("DejaVu Serif", 28);
    all.bold = all.italic = all.underline = all.strikeOut = true;
    all.color = RGB(200, 10, 20);
    all.highlight = RGB(255, 255, 0);
    RichCharFormat odd = Format("Liberation Mono", 19);
    odd.color = RGB(0, 0, 1);
    const RichDocument documents[] = {
        {{{RichAlignment::Left, {}}}},
        {{{RichAlignment::Left, {{"plain", Format("DejaVu Sans", 24)}}}}},
        {{{RichAlignment::Center, {{"one", all}, {" two", odd}}},
          {RichAlignment::Right, {{"tab\tand\u2028line", Format("DejaVu Sans", 20)}}},
          {RichAlignment::Justify, {{"Привет 😀", Format("DejaVu Sans", 24)}}},
          {RichAlignment::Left, {}}}},
    };
    for (const RichDocument& document : documents) {
        QTextDocument text;
        ToTextDocument(document, text);
        EXPECT_EQ(FromTextDocument(text), document);
    }
}

TEST(RichTextConversionTest, TextWithoutFormatTakesTheDefaultFont) {
    QTextDocument text;
    text.setDefaultFont(QFont("DejaVu Sans Mono", 11));
    text.setPlainText("first\nsecond");
    const RichDocument document = FromTextDocument(text);
    ASSERT_EQ(document.paragraphs.size(), 2u);
    for (const RichParagraph& paragraph : document.paragraphs) {
        ASSERT_EQ(paragraph.runs.size(), 1u);
        EXPECT_EQ(paragraph.runs[0].format.fontName, "DejaVu Sans Mono");
        EXPECT_EQ(paragraph.runs[0].format.halfPoints, 22);
        EXPECT_FALSE(paragraph.runs[0].format.bold);
        EXPECT_EQ(paragraph.runs[0].format.color, clNone);
    }
    EXPECT_EQ(document.paragraphs[1].runs[0].text, "second");
}

TEST(RichTextConversionTest, ImagesAreLeftOut) {
    QTextDocument text;
    QTextCursor cursor(&text);
    cursor.insertText("before");
    cursor.insertImage(QImage(4, 4, QImage::Format_RGB32));
    cursor.insertText("after");
    const RichDocument document = FromTextDocument(text);
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(ParagraphText(document.paragraphs[0]), "beforeafter");
}

} // namespace
