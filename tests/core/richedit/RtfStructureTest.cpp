// Tables, lists, paragraph spacing, pictures, links and left-out items, as LibreOffice writes
// them and as our writer writes them back.

#include "RichTestSupport.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"

#include <gtest/gtest.h>

namespace {

const Encoding& Cp1252() {
    return *Encoding::ForCodePage(1252);
}

const RichParagraph* ParagraphWith(const RichDocument& document, const std::string& text) {
    for (const RichParagraph& paragraph : document.paragraphs) {
        if (ParagraphText(paragraph).find(text) != std::string::npos) {
            return &paragraph;
        }
    }
    return nullptr;
}

TEST(RtfStructureTest, LibreOfficeTableComesAsCellsWithTheirLook) {
    const RichDocument document = ReadRtf(ReadTestFile("lo-table-formatted.rtf"));
    ASSERT_EQ(document.tables.size(), 1u);
    const RichTable& table = document.tables[0];
    ASSERT_EQ(table.rows.size(), 3u);
    for (const RichTableRow& row : table.rows) {
        EXPECT_EQ(row.cells.size(), 2u);
    }
    struct Cell {
        const char* text;
        int row, column;
    };
    for (const Cell& cell : {Cell{"Bold cell", 0, 0}, Cell{"Italic", 0, 1}, Cell{"чёркнутый", 1, 0},
                             Cell{"中文", 1, 1}, Cell{"last", 2, 1}}) {
        SCOPED_TRACE(cell.text);
        const RichParagraph* paragraph = ParagraphWith(document, cell.text);
        ASSERT_NE(paragraph, nullptr);
        EXPECT_EQ(paragraph->table, 0);
        EXPECT_EQ(paragraph->row, cell.row);
        EXPECT_EQ(paragraph->column, cell.column);
    }
    EXPECT_TRUE(FormatOf(document, "Bold cell")->bold);
    EXPECT_TRUE(FormatOf(document, "Italic")->italic);
    EXPECT_EQ(FormatOf(document, "red")->color, RGB(255, 0, 0));
    EXPECT_EQ(table.rows[0].cells[0].shading, RGB(255, 255, 0));
    EXPECT_NE(table.rows[0].cells[0].top.style, RichBorderStyle::None);
    EXPECT_GT(table.rows[0].cells[1].width, table.rows[0].cells[0].width);
    EXPECT_EQ(ParagraphWith(document, "After the table")->table, -1);
    EXPECT_EQ(LostCount(document), 0);
}

TEST(RtfStructureTest, LibreOfficeListsKeepTheirLevelsAndStyles) {
    const RichDocument document = ReadRtf(ReadTestFile("lo-lists-nested.rtf"));
    struct Item {
        const char* text;
        int level;
        RichListStyle style;
    };
    const Item items[] = {
        {"apple", 0, RichListStyle::Bullet},      {"green", 1, RichListStyle::Bullet},
        {"pear", 0, RichListStyle::Bullet},       {"first", 0, RichListStyle::Decimal},
        {"inner one", 1, RichListStyle::Decimal}, {"third", 0, RichListStyle::Decimal},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(item.text);
        const RichParagraph* paragraph = ParagraphWith(document, item.text);
        ASSERT_NE(paragraph, nullptr);
        EXPECT_GE(paragraph->list, 0);
        EXPECT_EQ(paragraph->listLevel, item.level);
        EXPECT_EQ(paragraph->listStyle, item.style);
        // The marker LibreOffice writes for other readers is not text.
        EXPECT_EQ(ParagraphText(*paragraph).find("\u2022"), std::string::npos);
    }
    EXPECT_EQ(ParagraphWith(document, "apple")->list, ParagraphWith(document, "pear")->list);
    EXPECT_NE(ParagraphWith(document, "apple")->list, ParagraphWith(document, "first")->list);
    EXPECT_EQ(ParagraphWith(document, "End")->list, -1);
}

TEST(RtfStructureTest, LibreOfficeSpacingIndentsAndBreaks) {
    const RichDocument document = ReadRtf(ReadTestFile("lo-spacing-indents.rtf"));
    const RichParagraph& spaced = *ParagraphWith(document, "Spaced");
    EXPECT_EQ(spaced.spaceBefore, 240);
    EXPECT_EQ(spaced.spaceAfter, 360);
    EXPECT_EQ(ParagraphWith(document, "First line")->firstLineIndent, 720);
    EXPECT_EQ(ParagraphWith(document, "both sides")->leftIndent, 1440);
    EXPECT_EQ(ParagraphWith(document, "both sides")->rightIndent, 720);
    EXPECT_EQ(ParagraphWith(document, "Centred")->alignment, RichAlignment::Center);
    EXPECT_EQ(ParagraphWith(document, "Right")->alignment, RichAlignment::Right);
    EXPECT_EQ(ParagraphWith(document, "Justified")->alignment, RichAlignment::Justify);
    EXPECT_TRUE(ParagraphWith(document, "Double")->lineMultiple);
    EXPECT_EQ(ParagraphWith(document, "Double")->lineSpacing, 480);
    EXPECT_TRUE(ParagraphWith(document, "new page")->pageBreakBefore);
    EXPECT_FALSE(ParagraphWith(document, "Centred")->pageBreakBefore);
}

TEST(RtfStructureTest, LibreOfficePicturesAndLinks) {
    const RichDocument document = ReadRtf(ReadTestFile("lo-picture-link.rtf"));
    ASSERT_EQ(document.pictures.size(), 2u) << "the metafile alternatives are not pictures";
    EXPECT_EQ(document.pictures[0].kind, RichPicture::Kind::Png);
    EXPECT_EQ(document.pictures[0].data.substr(1, 3), "PNG");
    EXPECT_EQ(document.pictures[0].pixelWidth, 20);
    EXPECT_EQ(document.pictures[0].width, 600); // 40 pixels shown
    EXPECT_EQ(document.pictures[1].kind, RichPicture::Kind::Jpeg);
    EXPECT_EQ(FormatOf(document, "the site")->link, "https://example.org/page");
    EXPECT_EQ(FormatOf(document, "mail")->link, "mailto:someone@example.org");
    EXPECT_TRUE(FormatOf(document, "mail")->bold);
    EXPECT_TRUE(FormatOf(document, "Visit")->link.empty());
}

TEST(RtfStructureTest, WhatCannotBeKeptIsCounted) {
    struct Case {
        const char* rtf;
        int count;
        const char* names;
    };
    const Case cases[] = {
        {R"({\rtf1 {\header Head}Text\par})", 1, "headers"},
        {R"({\rtf1 {\footerl a}{\footerr b}Text{\*\footnote note}\par})", 3, "footers, footnotes"},
        {R"({\rtf1 {\field{\*\fldinst PAGE}{\fldrslt 3}}\par})", 1, "fields"},
        {R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt x}}\par})", 0, ""},
        {R"({\rtf1 {\header {\field{\*\fldinst PAGE}{\fldrslt 3}}}\par})", 1, "headers"},
        {R"({\rtf1 \trowd\clmgf\cellx100\clmrg\cellx200\intbl a\cell\cell\row})", 1,
         "merged cells"},
        {R"({\rtf1 \trowd\cellx900\intbl a\par\itap2 b\nestcell{\*\nesttableprops\trowd)"
         R"(\cellx400\nestrow}c\nestcell{\*\nesttableprops\trowd\cellx400\nestrow}\cell\row})",
         1, "nested tables"},
        {R"({\rtf1 \trowd\cellx400\cellx900\intbl\itap2 b\nestcell{\*\nesttableprops\trowd)"
         R"(\cellx300\nestrow}\cell\itap2 c\nestcell{\*\nesttableprops\trowd\cellx300)"
         R"(\nestrow}\cell\row})",
         2, "nested tables"},
        {R"({\rtf1 {\*\unknowndestination x}Text\par})", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf);
        const RichDocument document = ReadRtf(c.rtf);
        EXPECT_EQ(LostCount(document), c.count);
        EXPECT_EQ(LostNames(document), c.names);
    }
    const RichDocument file = ReadRtf(ReadTestFile("lo-header-footnote.rtf"));
    EXPECT_EQ(LostNames(file), "headers, footnotes");
    EXPECT_NE(ParagraphWith(file, "and more words"), nullptr);
    EXPECT_EQ(ParagraphWith(file, "The footnote"), nullptr);
}

TEST(RtfStructureTest, WrittenDocumentsReadBackTheSame) {
    const char* files[] = {"lo-table-formatted.rtf", "lo-lists-nested.rtf",
                           "lo-spacing-indents.rtf", "lo-picture-link.rtf",
                           "lo-header-footnote.rtf", "libreoffice-picture-table.rtf"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        RichDocument document = ReadRtf(ReadTestFile(file));
        document.lost = {};
        EXPECT_EQ(ReadRtf(WriteRtf(document, Cp1252())), document);
    }
}

TEST(RtfStructureTest, ALinkToANameOfLettersOfSeveralBytesIsWrittenBackWhole) {
    const RichDocument document = ReadRtf(
        R"({\rtf1 {\field{\*\fldinst HYPERLINK "https://\u1076?\u1086?\u1084?.example/\u26085?"}{\fldrslt home}}\par})");
    ASSERT_EQ(FormatOf(document, "home")->link, "https://дом.example/日");
    for (const int codePage : {1252, 1251}) {
        SCOPED_TRACE(codePage);
        EXPECT_EQ(
            FormatOf(ReadRtf(WriteRtf(document, *Encoding::ForCodePage(codePage))), "home")->link,
            "https://дом.example/日");
    }
}

TEST(RtfStructureTest, DamagedStructureStillGivesAWholeDocument) {
    const char* inputs[] = {
        R"({\rtf1 \intbl a\cell b)",
        R"({\rtf1 \trowd\cellx100\intbl a\cell b\cell c\cell\row d\par})",
        R"({\rtf1 \row\cell\nestrow\nestcell x})",
        R"({\rtf1 {\pict\pngblip 89504e)",
        R"({\rtf1 {\b x}\pict 0102}\par})",
        R"({\rtf1 a{\pict\wmetafile8 01{\*\inner x}02)",
        R"({\rtf1 a{\pict\wmetafile8 01{\*\inner {\deeper)",
        R"({\rtf1 {\b x\pict\wmetafile8 01{\*\inner x})",
        R"({\rtf1 {\b x\pict\wmetafile8 0102}\par})",
        R"({\rtf1 a}}\pict 01}{\b b}}c)",
        R"({\rtf1 a{\pict\wmetafile8 01\bin20 {}})",
        R"({\rtf1 {\pict\wmetafile8 {\*\inner \bin999 }}}\par})",
        R"({\rtf1 \ls5\ilvl99 item\par})",
        R"({\rtf1 {\field{\*\fldinst HYPERLINK "unclosed}{\fldrslt y}}})",
        R"({\rtf1 {\*\listtable{\list\listlevel\levelnfc23\listid3}}{\listoverridetable{\listoverride\listid3\ls1}}\ls1\ilvl4 a\par})",
    };
    for (const char* input : inputs) {
        SCOPED_TRACE(input);
        const RichDocument document = ReadRtf(input);
        for (const RichParagraph& paragraph : document.paragraphs) {
            if (paragraph.table >= 0) {
                ASSERT_LT(std::size_t(paragraph.table), document.tables.size());
                const RichTable& table = document.tables[std::size_t(paragraph.table)];
                ASSERT_LT(std::size_t(paragraph.row), table.rows.size());
                EXPECT_LT(std::size_t(paragraph.column),
                          table.rows[std::size_t(paragraph.row)].cells.size());
            }
            for (const RichRun& run : paragraph.runs) {
                EXPECT_LT(run.picture, int(document.pictures.size()));
            }
        }
        RichDocument once = ReadRtf(WriteRtf(document, Cp1252()));
        EXPECT_EQ(ReadRtf(WriteRtf(once, Cp1252())), once);
    }
}

} // namespace
