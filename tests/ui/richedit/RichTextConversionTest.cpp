#include "richedit/qt/RichTextConversion.h"

#include "richedit/RtfReader.h"

#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

TEST(RichTextConversionTest, PastedImagesAreKeptAsPng) {
    QTextDocument text;
    QTextCursor cursor(&text);
    cursor.insertText("before");
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    text.addResource(QTextDocument::ImageResource, QUrl("pasted"), image);
    cursor.insertImage("pasted");
    cursor.insertText("after");
    const RichDocument document = FromTextDocument(text);
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(ParagraphText(document.paragraphs[0]), "before\uFFFCafter");
    ASSERT_EQ(document.pictures.size(), 1u);
    EXPECT_EQ(document.pictures[0].kind, RichPicture::Kind::Png);
    EXPECT_EQ(document.pictures[0].pixelWidth, 4);
    EXPECT_EQ(document.pictures[0].width, 60);
    EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(document.pictures[0].data)).size(),
              QSize(4, 3));
}

TEST(RichTextConversionTest, TablesListsSpacingPicturesAndLinksComeBackUnchanged) {
    const char* files[] = {"lo-table-formatted.rtf", "lo-lists-nested.rtf",
                           "lo-spacing-indents.rtf", "lo-picture-link.rtf",
                           "libreoffice-picture-table.rtf"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        QFile in(QString(TABRIX_TEST_DATA) + "/rtf/" + file);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        RichDocument document = ReadRtf(in.readAll().toStdString());
        document.lost = {};
        QTextDocument text;
        ToTextDocument(document, text);
        EXPECT_EQ(FromTextDocument(text), document);
    }
}

TEST(RichTextConversionTest, ATableIsARealTableOfTheEditor) {
    RichDocument document;
    RichTable& table = document.tables.emplace_back();
    RichCell cell;
    cell.width = 1500;
    cell.shading = RGB(255, 255, 0);
    cell.top = {RichBorderStyle::Single, 15, RGB(0, 0, 0)};
    table.rows = {{{cell, cell}}, {{cell, cell}}};
    const char* texts[] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) {
        RichParagraph paragraph;
        paragraph.runs = {{texts[i], Format("DejaVu Sans", 24)}};
        paragraph.table = 0;
        paragraph.row = i / 2;
        paragraph.column = i % 2;
        document.paragraphs.push_back(paragraph);
    }
    QTextDocument text;
    ToTextDocument(document, text);
    const QTextCursor found = text.find("d");
    QTextTable* qtTable = found.currentTable();
    ASSERT_NE(qtTable, nullptr);
    EXPECT_EQ(qtTable->rows(), 2);
    EXPECT_EQ(qtTable->columns(), 2);
    EXPECT_EQ(qtTable->cellAt(found.position()).row(), 1);
    EXPECT_EQ(qtTable->cellAt(0, 1).firstCursorPosition().block().text(), "b");
    EXPECT_EQ(qtTable->cellAt(0, 0).format().background().color(), QColor(255, 255, 0));
    EXPECT_EQ(FromTextDocument(text), document);
}

// Paragraphs of their own alignment and a bold run every few, so that a reading that skips,
// repeats or misplaces one shows.
RichDocument NumberedParagraphs(int count, std::size_t filler = 0) {
    RichDocument document;
    for (int i = 0; i < count; ++i) {
        RichCharFormat format = Format("DejaVu Sans", 20 + i % 7);
        format.bold = i % 3 == 0;
        document.paragraphs.push_back(
            {RichAlignment(i % 4),
             {{"paragraph " + std::to_string(i) + std::string(filler, 'f'), format}}});
    }
    return document;
}

TEST(RichTextReaderTest, ReadingInSlicesGivesWhatReadingAtOnceGives) {
    struct Case {
        const char* name;
        int paragraphs;
        // Slices read before the edit; -1: none.
        int editAfter;
    };
    const Case cases[] = {
        {"empty", 0, -1},
        {"within one slice", 10, -1},
        {"many slices", 5000, -1},
        {"edited after the first slice", 5000, 1},
        {"edited half-way", 5000, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument text;
        ToTextDocument(NumberedParagraphs(c.paragraphs), text);
        RichTextReader reader(text);
        int slices = 0;
        // No time at all: each slice reads as little as it may.
        while (!reader.ReadFor(std::chrono::milliseconds(0))) {
            if (++slices == c.editAfter) {
                QTextCursor cursor(&text);
                QTextCharFormat italic;
                italic.setFontItalic(true);
                cursor.insertText("inserted ", italic);
                cursor.movePosition(QTextCursor::End);
                cursor.insertBlock();
                cursor.insertText("appended");
            }
        }
        if (c.paragraphs >= 5000) {
            EXPECT_GT(slices, c.editAfter) << "the text was read at once";
        }
        EXPECT_EQ(reader.Result(), FromTextDocument(text));
    }
}

TEST(RichTextConversionTest, ProgressCountsUpAndTheTextStaysWhole) {
    // Over two steps of progress.
    const RichDocument document = NumberedParagraphs(20000, 1000);
    QTextDocument text;
    std::vector<std::uint64_t> written;
    std::uint64_t writeTotal = 0;
    ToTextDocument(document, text, [&](std::uint64_t done, std::uint64_t total) {
        written.push_back(done);
        writeTotal = total;
        // Reported outside an edit block: the text so far is there, laid out.
        EXPECT_GT(text.blockCount(), 1);
    });
    std::vector<std::uint64_t> read;
    EXPECT_EQ(
        FromTextDocument(text, [&](std::uint64_t done, std::uint64_t) { read.push_back(done); }),
        document);
    for (const auto* reports : {&written, &read}) {
        ASSERT_GE(reports->size(), 2u);
        EXPECT_TRUE(std::is_sorted(reports->begin(), reports->end()));
    }
    EXPECT_LE(written.back(), writeTotal);
    EXPECT_FALSE(text.isUndoAvailable()) << "filling the text made a history";
}

} // namespace
