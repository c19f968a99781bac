#include "platform/Encoding.h"
#include "richedit/RtfReader.h"
#include "richedit/qt/RichEdit.h"
#include "support/TemporaryFolderTest.h"

#include <QSignalSpy>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace std::string_literals;

std::string TestFile(const std::string& name) {
    return std::string(TABRIX_TEST_DATA) + "/rtf/" + name;
}

class RichEditFileTest : public TemporaryFolderTest {};

TEST_F(RichEditFileTest, LoadsRtfAndPlainTextAndRefusesBinaryFiles) {
    SetProgramEncoding(*Encoding::ForCodePage(1251));
    Write(root + "plain.rtf", "not RTF\r\nsecond\rthird\n\xcf\xf0\xe8");
    Write(root + "empty.rtf", "");
    Write(root + "nul.rtf", "text\0with NUL"s);
    const struct {
        std::string path;
        bool loads;
        QStringList lines;
    } cases[] = {
        {TestFile("libreoffice-scripts.rtf"),
         true,
         {"Привет, мир! Ёлка.", "Ελληνικά και Deutsch: Größe ü €", "漢字 and emoji 😀 end"}},
        {root + "plain.rtf", true, {"not RTF", "second", "third", "При"}},
        {root + "empty.rtf", true, {}},
        {TestFile("word.docx"), false, {"kept"}},
        {TestFile("word97.doc"), false, {"kept"}},
        {root + "nul.rtf", false, {"kept"}},
        {root + "missing.rtf", false, {"kept"}},
        {root, false, {"kept"}},
    };
    for (const auto& c : cases) {
        TRxRichEdit editor;
        editor.SetLines({"kept"});
        QSignalSpy changed(&editor, &TRxRichEdit::Changed);
        const std::optional<std::string> error = editor.LoadFromFile(c.path);
        EXPECT_EQ(!error.has_value(), c.loads) << c.path;
        EXPECT_EQ(editor.Lines(), c.lines) << c.path;
        EXPECT_EQ(changed.count() > 0, c.loads) << c.path;
        EXPECT_FALSE(editor.CanUndo()) << c.path;
        if (error) {
            EXPECT_NE(error->find(c.path), std::string::npos) << *error;
        }
    }
    SetProgramEncoding(LocaleEncoding());
}

TEST_F(RichEditFileTest, PlainTextOverSeveralPiecesKeepsEveryLineWhereverItsBreakFalls) {
    SetProgramEncoding(*Encoding::ForCodePage(65001));
    const std::string breaks[] = {"\r\n", "\r", "\n"};
    // A CR LF around each piece's end, the other breaks and a two-byte letter between.
    std::string file;
    QStringList expected;
    for (std::size_t piece = 1; piece <= 3; ++piece) {
        const std::size_t crlfAt = piece * TRxRichEdit::kPieceBytes - 1 + (piece - 1);
        for (int i = 0; file.size() + 20 < crlfAt; ++i) {
            std::string line = "ä line ";
            line += std::to_string(i);
            file.append(line).append(breaks[i % 3]);
            expected << QString::fromStdString(line);
        }
        const std::string filler(crlfAt - file.size(), 'f');
        file.append(filler).append("\r\n");
        expected << QString::fromStdString(filler);
    }
    file.append("last");
    expected << "last";
    Write(root + "pieces.rtf", file);
    TRxRichEdit editor;
    ASSERT_FALSE(editor.LoadFromFile(root + "pieces.rtf").has_value());
    EXPECT_TRUE(editor.Lines() == expected) << "lines were split, joined or lost";
    SetProgramEncoding(LocaleEncoding());
}

TEST_F(RichEditFileTest, RefusedFileIsLeftUntouchedOnDisk) {
    const std::string path = root + "report.docx";
    const std::string original = Read(TestFile("word.docx"));
    Write(path, original);
    TRxRichEdit editor;
    const std::optional<std::string> error = editor.LoadFromFile(path);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("neither RTF nor plain text"), std::string::npos);
    EXPECT_EQ(Read(path), original);
}

TEST_F(RichEditFileTest, SavedRtfLoadsBackWithItsFormatting) {
    TRxRichEdit editor;
    ASSERT_FALSE(editor.LoadFromFile(TestFile("libreoffice-styled.rtf")).has_value());
    const QStringList lines = editor.Lines();
    const std::string path = root + "saved.rtf";
    ASSERT_FALSE(editor.SaveToFile(path).has_value());
    EXPECT_TRUE(Read(path).starts_with("{\\rtf1"));

    TRxRichEdit reloaded;
    ASSERT_FALSE(reloaded.LoadFromFile(path).has_value());
    EXPECT_EQ(reloaded.Lines(), lines);
    const struct {
        int block;
        QString word;
        bool bold, italic, underline, strikeOut;
        Qt::Alignment alignment;
    } checks[] = {
        {0, "bold", true, false, false, false, Qt::AlignLeft},
        {0, "italic", false, true, false, false, Qt::AlignLeft},
        {0, "underlined", false, false, true, false, Qt::AlignLeft},
        {0, "struck", false, false, false, true, Qt::AlignLeft},
        {1, "Red", false, false, false, false, Qt::AlignHCenter},
        {2, "Right", false, false, false, false, Qt::AlignRight},
        {3, "Justified", false, false, false, false, Qt::AlignJustify},
    };
    for (const auto& check : checks) {
        const QTextBlock block = reloaded.document()->findBlockByNumber(check.block);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + int(block.text().indexOf(check.word)) + 1);
        const QTextCharFormat format = cursor.charFormat();
        EXPECT_EQ(format.fontWeight() >= QFont::Bold, check.bold) << check.word.toStdString();
        EXPECT_EQ(format.fontItalic(), check.italic) << check.word.toStdString();
        EXPECT_EQ(format.fontUnderline(), check.underline) << check.word.toStdString();
        EXPECT_EQ(format.fontStrikeOut(), check.strikeOut) << check.word.toStdString();
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, check.alignment)
            << check.word.toStdString();
    }
    const QTextBlock red = reloaded.document()->findBlockByNumber(1);
    QTextCursor cursor(red);
    cursor.setPosition(red.position() + 1);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(cursor.charFormat().fontPointSize(), 16);
}

TEST_F(RichEditFileTest, SaveReportsAFolderItCannotWriteTo) {
    TRxRichEdit editor;
    editor.SetLines({"text"});
    const std::optional<std::string> error = editor.SaveToFile(root + "no/such/folder/a.rtf");
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->empty());
}

} // namespace
