// Saves the file system or the file's mode stands against: a read-only file is written only
// when the user says so, whoever runs the program, and a failed save names the system's reason.

#include "MainWindowFixture.h"

#include <QDir>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

class SaveRefusalsTest : public MainWindowTest {
protected:
    void TearDown() override {
        window.reset();
        if (!mounted.isEmpty())
            umount2(QFile::encodeName(mounted).constData(), MNT_DETACH);
        MainWindowTest::TearDown();
    }

    // A small file system of its own, when this process may mount one (as root); its folder.
    QString MountSmallFileSystem(const char* options) {
        const QString folder = PathOf("mounted");
        QDir().mkpath(folder);
        if (mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options) != 0)
            return {};
        mounted = folder;
        return folder;
    }

    // Closes every tab without a question, losing the edits.
    void Discard() {
        for (int position = 0; position < window->DocumentCount(); ++position)
            window->DocumentAt(position).Modified = false;
        window->Tabs().mniCloseAllClick();
    }

    QString mounted;
};

TEST_F(SaveRefusalsTest, AReadOnlyFileIsWrittenOnlyAfterTheUserSaysSo) {
    const struct {
        DialogAnswer answer;
        QByteArray content;
    } cases[] = {{DialogAnswer::No, "old"}, {DialogAnswer::Yes, "new"}};
    for (const auto& c : cases) {
        const QString path = WriteFile("locked.txt", "old");
        chmod(QFile::encodeName(path).constData(), 0444);
        window->Files().OpenFile(path);
        window->CurrentPlainEditor()->SetText("new");
        dialogs.Queue(c.answer);
        window->Files().mniSaveClick();
        ASSERT_FALSE(dialogs.History().empty());
        EXPECT_EQ(dialogs.History().back().text, "File " + path + " is read-only.  Save anyway?");
        EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Confirmation);
        EXPECT_EQ(ReadFile(path), c.content);
        EXPECT_EQ(window->CurrentDocument().Modified, c.answer == DialogAnswer::No);
        struct stat status {};
        stat(QFile::encodeName(path).constData(), &status);
        EXPECT_EQ(status.st_mode & 07777, 0444u) << "the file stays read-only";
        Discard();
        chmod(QFile::encodeName(path).constData(), 0644);
        dialogs.ClearHistory();
    }
}

TEST_F(SaveRefusalsTest, AFailedSaveNamesTheSystemsReasonAndKeepsTheOldFile) {
    if (MountSmallFileSystem("size=64k").isEmpty())
        GTEST_SKIP() << "cannot mount a file system here (not root)";
    const QString full = mounted + "/full.txt";
    const QString readOnly = mounted + "/read-only.txt";
    QFile::copy(WriteFile("seed.txt", QByteArray(20000, 'o')), full);
    QFile::copy(PathOf("seed.txt"), readOnly);
    const struct {
        QString path;
        QByteArray text;
        bool remountReadOnly;
        QString reason;
    } cases[] = {
        // The new copy beside the old one needs more room than is left.
        {full, QByteArray(50000, 'n'), false, "No space left on device"},
        {readOnly, "new", true, "Read-only file system"},
    };
    for (const auto& c : cases) {
        window->Files().OpenFile(c.path);
        window->CurrentPlainEditor()->SetText(c.text.toStdString());
        if (c.remountReadOnly) {
            ASSERT_EQ(mount("tmpfs", QFile::encodeName(mounted).constData(), "tmpfs",
                            MS_REMOUNT | MS_RDONLY, "size=64k"),
                      0);
        }
        window->Files().mniSaveClick();
        EXPECT_EQ(LastMessage(), "File " + c.path + " has not been saved\n" + c.reason);
        EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
        EXPECT_EQ(ReadFile(c.path), QByteArray(20000, 'o'));
        EXPECT_TRUE(window->CurrentDocument().Modified);
        EXPECT_EQ(QDir(mounted).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList({"full.txt", "read-only.txt"}));
    }
    Discard();
}

} // namespace
