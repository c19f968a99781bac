// Files keep their bytes: the real files of tests/data/line-endings/ (and a big generated one)
// opened and saved through the window in each view, edits that touch one line, converting the
// line endings of a document, the status bar's display, and reloads after a change on disk.

#include "MainWindowFixture.h"
#include "app/qt/DiskChanges.h"
#include "app/qt/DocumentFormats.h"
#include "codeedit/SynEditTextBuffer.h"

#include <QMenu>
#include <QTest>

namespace {

QByteArray DataFile(const QString& name) {
    QFile file(QStringLiteral(TABRIX_TEST_DATA "/line-endings/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

const char* const kDataFiles[] = {"lf.txt",        "crlf.txt",           "cr.txt",
                                  "mixed.txt",     "no-final-break.txt", "binary.bin",
                                  "utf16le-lf.txt"};

class LineEndingsTest : public MainWindowTest {
protected:
    QString StatusLineBreaks() const { return Part<QLabel>(*window, "StatusBarLineBreaks").text(); }
    // The caption of every "Line Endings" item that is checked.
    QStringList CheckedLineEndings() const {
        QStringList checked;
        for (const QAction* item : Part<QMenu>(*window, "mniLineEndings").actions()) {
            if (item->isChecked())
                checked << item->text();
        }
        return checked;
    }
    void ClickLineEnding(TSynEditFileFormat format) {
        for (QAction* item : Part<QMenu>(*window, "mniLineEndings").actions()) {
            if (item->data().toInt() == static_cast<int>(format))
                item->trigger();
        }
    }
    // Opens a copy of the data file, shows it in the view and saves it: the bytes on disk.
    QByteArray SavedIn(const QString& name, int view) {
        const QString path = WriteFile(name, DataFile(name));
        window->Files().OpenFile(path);
        window->mniPlainClick(view);
        window->Files().mniSaveClick();
        const QByteArray saved = ReadFile(path);
        window->Tabs().mniCloseAllClick();
        return saved;
    }
    TSynEditWidget& Editor() { return *window->CurrentDocument().View().TextEditor(); }
};

TEST_F(LineEndingsTest, EveryFileSavedUnchangedInEveryViewKeepsItsBytes) {
    for (const char* name : kDataFiles) {
        for (const int view : {vmPlain, vmCode, vmRich}) {
            SCOPED_TRACE(std::string(name) + " in view " + std::to_string(view));
            EXPECT_EQ(SavedIn(name, view), DataFile(name));
        }
    }
    EXPECT_TRUE(dialogs.History().empty()) << LastMessage().toStdString();
}

TEST_F(LineEndingsTest, AMillionLinesOfLfComeBackByteForByteFromEveryView) {
    QByteArray text;
    for (int line = 0; line < 1'000'000; ++line)
        text += "line " + QByteArray::number(line) + "\n";
    for (const int view : {vmPlain, vmCode, vmRich}) {
        SCOPED_TRACE(view);
        const QString path = WriteFile("million.txt", text);
        window->Files().OpenFile(path);
        window->mniPlainClick(view);
        window->Files().mniSaveClick();
        EXPECT_TRUE(ReadFile(path) == text);
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(LineEndingsTest, SaveAllAndSaveNewVersionKeepTheBytes) {
    const QString mixed = WriteFile("mixed.txt", DataFile("mixed.txt"));
    const QString cr = WriteFile("notes_1.txt", DataFile("cr.txt"));
    window->Files().OpenFile(mixed);
    window->Files().OpenFile(cr);
    window->Files().Savenewversion1Click();
    EXPECT_EQ(ReadFile(PathOf("notes_2.txt")), DataFile("cr.txt"));
    window->Files().mniSaveAllClick();
    EXPECT_EQ(ReadFile(mixed), DataFile("mixed.txt"));
    EXPECT_EQ(ReadFile(PathOf("notes_2.txt")), DataFile("cr.txt"));
}

TEST_F(LineEndingsTest, AnEditChangesTheBytesOfItsLineOnly) {
    QByteArray lines[] = {"first\n", "second\n", "third\n", "fourth\n"};
    const QString path = WriteFile("script.sh", lines[0] + lines[1] + lines[2] + lines[3]);
    for (const int view : {vmPlain, vmCode}) {
        SCOPED_TRACE(view);
        window->Files().OpenFile(path);
        window->mniPlainClick(view);
        Editor().setFocus();
        Editor().Engine().SetCaret(MakePosition(2, 5));
        QTest::keyClicks(&Editor(), "X");
        window->Files().mniSaveClick();
        lines[2] = view == vmPlain ? "thirdX\n" : "thirdXX\n";
        EXPECT_EQ(ReadFile(path), lines[0] + lines[1] + lines[2] + lines[3]);
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(LineEndingsTest, NewLinesTakeTheDocumentsStyle) {
    const struct {
        const char* name;
        QByteArray file;
        QByteArray saved;
    } cases[] = {
        {"CR LF file", "a\r\nb", "a\r\nnew\r\nb"},
        {"CR file", "a\rb\r", "a\rnew\rb\r"},
        {"mostly LF", "a\nb\r\nc\n", "a\nnew\nb\r\nc\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile("file.txt", c.file);
        window->Files().OpenFile(path);
        Editor().setFocus();
        Editor().Engine().SetCaret(MakePosition(0, 1));
        QTest::keyClick(&Editor(), Qt::Key_Return);
        QTest::keyClicks(&Editor(), "new");
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), c.saved);
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(LineEndingsTest, TheStatusBarShowsTheStyleAndTheMenuChecksIt) {
    const struct {
        const char* file;
        const char* caption;
        QStringList checked;
    } cases[] = {
        {"lf.txt", "LF", {"Unix (LF)"}},
        {"crlf.txt", "CR LF", {"Windows (CR LF)"}},
        {"cr.txt", "CR", {"Classic Mac (CR)"}},
        {"mixed.txt", "Mixed", {}},
        {"no-final-break.txt", "LF", {"Unix (LF)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        window->Files().OpenFile(WriteFile(c.file, DataFile(c.file)));
        EXPECT_EQ(StatusLineBreaks(), c.caption);
        EXPECT_EQ(CheckedLineEndings(), c.checked);
        window->mniPlainClick(vmCode);
        EXPECT_EQ(StatusLineBreaks(), c.caption);
        window->Tabs().mniCloseAllClick();
    }
    // A new document has the platform's line ending.
    EXPECT_EQ(StatusLineBreaks(), "LF");
}

TEST_F(LineEndingsTest, NewDocumentsTakeTheChosenLineEnding) {
    const struct {
        const char* setting;
        const char* caption;
        QByteArray saved;
    } cases[] = {
        {"CR LF", "CR LF", "a\r\nb"},
        {"CR", "CR", "a\rb"},
        {"no such ending", "LF", "a\nb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        window->Formats().SetNewDocumentLineBreaks(c.setting);
        window->mniNewClick();
        EXPECT_EQ(StatusLineBreaks(), c.caption);
        // A file without line breaks is as new as a new document.
        const QString path = WriteFile("empty.txt", "");
        window->Files().OpenFile(path);
        QTest::keyClicks(&Editor(), "a");
        QTest::keyClick(&Editor(), Qt::Key_Return);
        QTest::keyClicks(&Editor(), "b");
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), c.saved);
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(LineEndingsTest, ConvertingMarksModifiedAndOneUndoTakesItBack) {
    const QByteArray file = DataFile("mixed.txt");
    for (const int view : {vmPlain, vmCode}) {
        SCOPED_TRACE(view);
        const QString path = WriteFile("mixed.txt", file);
        window->Files().OpenFile(path);
        window->mniPlainClick(view);
        ClickLineEnding(TSynEditFileFormat::sffDos);
        EXPECT_TRUE(window->CurrentDocument().Modified);
        EXPECT_EQ(StatusLineBreaks(), "CR LF");
        EXPECT_EQ(CheckedLineEndings(), QStringList{"Windows (CR LF)"});
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), "unix line\r\nwindows line\r\nmac line\r\nLF then CR\r\n\r\nend "
                                  "without break");
        window->mniUndoClick();
        EXPECT_EQ(StatusLineBreaks(), "Mixed");
        EXPECT_TRUE(window->CurrentDocument().Modified);
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), file);
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(LineEndingsTest, AFileThatLooksBinarySaysSoInTheStatusBar) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool binary;
    } cases[] = {
        {"image.png", DataFile("binary.bin"), true},
        {"nul.txt", QByteArray("text\0more", 9), true},
        // Ill-formed UTF-8 opens in a code page, where it is text.
        {"broken-utf8.txt", "caf\xC3 \xFF\xFE", false},
        {"text.txt", "caf\xC3\xA9\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(c.name, c.bytes);
        window->Files().OpenFile(path);
        EXPECT_EQ(Part<QLabel>(*window, "StatusBarBinary").isVisibleTo(window.get()), c.binary);
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), c.bytes);
        window->Tabs().mniCloseAllClick();
        EXPECT_FALSE(Part<QLabel>(*window, "StatusBarBinary").isVisibleTo(window.get()));
    }
}

TEST_F(LineEndingsTest, AReloadAfterAChangeOnDiskTakesTheNewFilesEndings) {
    for (const int view : {vmPlain, vmCode}) {
        SCOPED_TRACE(view);
        const QString path = WriteFile("changing.txt", "one\ntwo\n");
        window->Files().OpenFile(path);
        window->mniPlainClick(view);
        WriteFile("changing.txt", "one\rtwo\rthree");
        window->DiskChanges().CheckFilesOnDisk();
        ASSERT_FALSE(window->CurrentDocument().Modified);
        EXPECT_EQ(StatusLineBreaks(), "CR");
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), "one\rtwo\rthree");
        window->Tabs().mniCloseAllClick();
    }
}

} // namespace

TEST_F(LineEndingsTest, UndoingATextFunctionBringsBackEveryLinesOwnBreak) {
    const QByteArray file = DataFile("mixed.txt");
    for (const char* function : {"mniSortLines", "mniAnsiUpperCase", "mniReverseLines"}) {
        for (const int view : {vmPlain, vmCode}) {
            SCOPED_TRACE(std::string(function) + " in view " + std::to_string(view));
            const QString path = WriteFile("mixed.txt", file);
            window->Files().OpenFile(path);
            window->mniPlainClick(view);
            QAction* item = window->findChild<QAction*>(function);
            ASSERT_NE(item, nullptr);
            item->trigger();
            ASSERT_TRUE(window->CurrentDocument().Modified);
            window->mniUndoClick();
            window->Files().mniSaveClick();
            EXPECT_EQ(ReadFile(path), file);
            window->Tabs().mniCloseAllClick();
        }
    }
}
