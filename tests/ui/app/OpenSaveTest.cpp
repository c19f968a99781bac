#include "MainWindowFixture.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <functional>
#include <unistd.h>

TEST_F(MainWindowTest, OpenLoadsIntoTheUnusedTabAndNormalisesLineBreaks) {
    const QString path = WriteFile("mixed.txt", "a\rb\nc\r\nd");
    window->Files().OpenFile(path);
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(CurrentText(), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(window->CurrentDocument().FileName, path);
    EXPECT_FALSE(window->CurrentDocument().Modified);
    EXPECT_EQ(TabCaptions(), QStringList({"mixed.txt"}));
}

TEST_F(MainWindowTest, OpeningTheSameFileTwiceOnlySwitchesToItsTab) {
    const QString a = WriteFile("a.txt", "a");
    const QString b = WriteFile("b.txt", "b");
    window->Files().OpenFile(a);
    window->Files().OpenFile(b);
    window->Files().OpenFile(folder.path() + "/./a.txt");
    EXPECT_EQ(window->DocumentCount(), 2);
    EXPECT_EQ(window->CurrentIndex(), 0);
}

TEST_F(MainWindowTest, PathsDifferingInCaseAreDifferentFilesOnThisFileSystem) {
    const QString lower = WriteFile("case.txt", "lower");
    const QString upper = WriteFile("CASE.txt", "upper");
    window->Files().OpenFile(lower);
    window->Files().OpenFile(upper);
    EXPECT_EQ(window->DocumentCount(), 2);
    EXPECT_EQ(CurrentText(), "upper");
}

TEST_F(MainWindowTest, OpeningWhatIsNoFileSaysSoAndOpensNothing) {
    struct Case {
        QString path;
        QString message;
    };
    const QString missing = PathOf("missing.txt");
    for (const Case& c : {Case{missing, missing + " not found"},
                          Case{folder.path(), folder.path() + " is not a file"}}) {
        window->Files().OpenFile(c.path);
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Plain);
        EXPECT_EQ(window->DocumentCount(), 1);
        EXPECT_TRUE(window->CurrentDocument().FileName.isEmpty());
    }
}

TEST_F(MainWindowTest, UnreadableFileReportsTheSystemReasonAndLosesNothing) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QString path = WriteFile("secret.txt", "x");
    QFile::setPermissions(path, QFileDevice::Permissions());
    window->CurrentPlainEditor()->SetText("kept");
    window->Files().OpenFile(path);
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
    EXPECT_TRUE(LastMessage().contains(path));
    window->SelectIndex(0);
    EXPECT_EQ(CurrentText(), "kept");
}

TEST_F(MainWindowTest, BinaryFileRoundTripsByteForByte) {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    bytes.append(QByteArray("\r\n\0tail\xff\xfe", 9));
    const QString path = WriteFile("binary.bin", bytes);
    window->Files().OpenFile(path);
    window->Files().mniSaveClick();
    // Every byte comes back, its lone CR and LF bytes too.
    EXPECT_EQ(ReadFile(path).toHex(), bytes.toHex());
}

TEST_F(MainWindowTest, NamesWithAmpersandSpacesAndNonAsciiShowAsTheyAre) {
    const QString path = WriteFile("Tom & Jerry – ножницы.txt", "x");
    window->Files().OpenFile(path);
    EXPECT_EQ(window->CurrentDocument().FileName, path);
    // The tab bar shows "&&" as one "&" rather than as an accelerator mark.
    EXPECT_EQ(TabCaptions(), QStringList({"Tom && Jerry – ножницы.txt"}));
    window->CurrentPlainEditor()->SetText("saved");
    window->Files().mniSaveClick();
    EXPECT_EQ(ReadFile(path), "saved");
}

TEST_F(MainWindowTest, OpenInCodeViewTabMakesANewTab) {
    window->SetViewMode(vmCode);
    window->Files().OpenFile(WriteFile("a.txt", "a"));
    EXPECT_EQ(window->DocumentCount(), 2);
}

TEST_F(MainWindowTest, OpenDialogOffersTheFileTypesAndOpensEverySelectedFile) {
    const QString a = WriteFile("a.txt", "a");
    const QString b = WriteFile("b.txt", "b");
    dialogs.QueueFiles({a, b}, 3);
    window->Files().mniOpenClick();
    EXPECT_EQ(TabCaptions(), QStringList({"a.txt", "b.txt"}));
    const FileDialogRequest& request = dialogs.History().back().fileRequest;
    ASSERT_EQ(request.filters.size(), 4u);
    EXPECT_EQ(request.filters[1].caption, "Text Projects (*.txp)");
    EXPECT_EQ(request.filters[3].caption, "All Files");
    EXPECT_TRUE(request.multiSelect);
    EXPECT_EQ(request.defaultExtension, "txt");

    // The next Open starts in the folder last used, with the file type last chosen.
    dialogs.QueueCancel();
    window->Files().mniOpenClick();
    EXPECT_EQ(dialogs.History().back().fileRequest.initialFolder, folder.path());
    EXPECT_EQ(dialogs.History().back().fileRequest.filterIndex, 3);
}

TEST_F(MainWindowTest, SaveAsDefaultExtensionRule) {
    struct Case {
        QString proposed;
        QString defaultExtension;
        int filterIndex;
    };
    for (const Case& c : {Case{"a.txt", "txt", 1}, Case{"b.TXT", "", 4}, Case{"c.htm", "", 4}}) {
        const QString path = WriteFile(c.proposed, "x");
        window->Files().OpenFile(path);
        dialogs.QueueCancel();
        window->Files().mniSaveAsClick();
        const FileDialogRequest& request = dialogs.History().back().fileRequest;
        EXPECT_EQ(request.fileName, path);
        EXPECT_EQ(request.defaultExtension, c.defaultExtension) << c.proposed;
        EXPECT_EQ(request.filterIndex, c.filterIndex) << c.proposed;
        EXPECT_TRUE(request.overwritePrompt);
        ASSERT_EQ(request.filters.size(), 4u);
        EXPECT_EQ(request.filters[2].caption, "Zipped Files (*.zip)");
    }
}

TEST_F(MainWindowTest, SaveAsOfANewDocumentProposesTheNameLastShown) {
    const QString old = PathOf("old.htm");
    dialogs.QueueFiles({old});
    window->CurrentPlainEditor()->SetText("x");
    window->Files().mniSaveAsClick();
    EXPECT_EQ(ReadFile(old), "x");
    EXPECT_EQ(window->windowTitle(), "Tabrix Pro [" + old + "]");

    window->mniNewClick();
    dialogs.QueueCancel();
    window->Files().mniSaveAsClick();
    const FileDialogRequest& request = dialogs.History().back().fileRequest;
    EXPECT_EQ(request.fileName, old);
    EXPECT_EQ(request.filterIndex, 4);
    EXPECT_EQ(request.defaultExtension, "");
}

TEST_F(MainWindowTest, SaveAllAsksForEachUntitledDocumentInTabOrder) {
    MakeDocuments({"one", "two", "three"});
    window->SelectIndex(1);
    dialogs.QueueFiles({PathOf("1.txt")});
    dialogs.QueueCancel();
    dialogs.QueueFiles({PathOf("3.txt")});
    window->Files().mniSaveAllClick();
    EXPECT_EQ(ReadFile(PathOf("1.txt")), "one");
    EXPECT_FALSE(QFileInfo::exists(PathOf("2.txt")));
    EXPECT_EQ(ReadFile(PathOf("3.txt")), "three");
    EXPECT_EQ(window->CurrentIndex(), 1);
    EXPECT_TRUE(window->DocumentAt(1).Modified);
    EXPECT_FALSE(window->DocumentAt(2).Modified);
}

TEST_F(MainWindowTest, SaveNewVersionWritesTheNextFreeName) {
    const QString report = WriteFile("report.txt", "old");
    WriteFile("report_2.txt", "2");
    WriteFile("report_3.txt", "3");
    window->Files().OpenFile(report);
    window->CurrentPlainEditor()->SetText("new");
    window->Files().Savenewversion1Click();
    EXPECT_EQ(ReadFile(PathOf("report_4.txt")), "new");
    EXPECT_EQ(ReadFile(report), "old");
    EXPECT_EQ(TabCaptions(), QStringList({"report_4.txt"}));
    EXPECT_FALSE(window->CurrentDocument().Modified);

    window->Files().OpenFile(WriteFile("a_1.txt", "a"));
    window->Files().Savenewversion1Click();
    EXPECT_EQ(window->CurrentDocument().FileName, PathOf("a_2.txt"));
}

TEST_F(MainWindowTest, FailedSaveReportsTheFileAndKeepsTheDocumentModified) {
    const QString path = PathOf("no-such-folder/a.txt");
    dialogs.QueueFiles({path});
    window->CurrentPlainEditor()->SetText("text");
    window->Files().mniSaveAsClick();
    EXPECT_EQ(LastMessage(), "File " + path + " has not been saved\nNo such file or directory");
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
    EXPECT_TRUE(window->CurrentDocument().Modified);
    EXPECT_EQ(window->CurrentDocument().FileName, path);
}

TEST_F(MainWindowTest, ReadOnlyDestinationIsNotOverwritten) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write every file";
    const QString path = WriteFile("locked.txt", "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    window->Files().OpenFile(path);
    window->CurrentPlainEditor()->SetText("new");
    dialogs.Queue(DialogAnswer::No);
    window->Files().mniSaveClick();
    EXPECT_EQ(LastMessage(), "File " + path + " is read-only.  Save anyway?");
    EXPECT_EQ(ReadFile(path), "old");
}

TEST_F(MainWindowTest, CodeViewSavesTheLineBreaksTheFileHad) {
    for (const QByteArray& bytes :
         {QByteArray("a\nb"), QByteArray("a\r\nb\r\n"), QByteArray("a\r")}) {
        const QString path = WriteFile("page.txt", bytes);
        window->Files().OpenFile(path);
        window->SetViewMode(vmCode);
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), bytes);
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(MainWindowTest, FilesDroppedOnTheWindowOpenAsFromTheOpenCommand) {
    const QString a = WriteFile("a.txt", "a");
    const QString b = WriteFile("b.txt", "b");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(TabCaptions(), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(CurrentText(), "b");
}

TEST_F(MainWindowTest, DragsWithoutLocalFilesOpenNothing) {
    const struct {
        const char* name;
        std::function<void(QMimeData&)> fill;
        bool entered;
    } cases[] = {
        {"text only", [](QMimeData& data) { data.setText("words"); }, false},
        {"a web address",
         [](QMimeData& data) { data.setUrls({QUrl("https://example.org/a.txt")}); }, true},
    };
    for (const auto& c : cases) {
        QMimeData data;
        c.fill(data);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), c.entered) << c.name;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        EXPECT_EQ(window->DocumentCount(), 1) << c.name;
        EXPECT_TRUE(window->CurrentDocument().FileName.isEmpty()) << c.name;
        EXPECT_TRUE(dialogs.History().empty()) << c.name << ": nothing to report either";
    }
}
