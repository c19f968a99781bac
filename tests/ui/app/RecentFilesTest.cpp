#include "SettingsFixture.h"
#include "app/qt/RecentMenus.h"
#include "app/qt/WindowProjects.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

class RecentFilesTest : public SettingsTest {
protected:
    QString File(const QString& name, const QByteArray& bytes = "text") {
        const QString path = root.filePath("files/" + name);
        Write(path, bytes);
        return path;
    }
    // The visible items' captions, as the menu holds them ("&&" shows one "&").
    static QStringList Shown(const QMenu* menu) {
        QStringList captions;
        for (const QAction* item : menu->actions()) {
            if (item->isVisible())
                captions << item->text();
        }
        return captions;
    }
    static QStringList Escaped(QStringList texts) {
        for (QString& text : texts)
            text.replace("&", "&&");
        return texts;
    }
    static QStringList Names(const QStringList& paths) {
        QStringList names;
        for (const QString& path : paths)
            names << QFileInfo(path).fileName();
        return names;
    }
    QStringList Recent() const {
        QStringList paths;
        for (const QString& path : window->Recent().RecentFiles())
            paths << path;
        return paths;
    }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& shown : dialogs.History()) {
            if (shown.kind == ScriptedDialogs::Kind::Message)
                texts << shown.text;
        }
        return texts;
    }
};

TEST_F(RecentFilesTest, BothMenusShowTheLastFifteenNewestFirst) {
    Start();
    QStringList opened;
    for (int i = 1; i <= 16; ++i) {
        opened.prepend(File(QString("f%1 & co.txt").arg(i)));
        window->Files().OpenFile(opened.front());
    }
    const QStringList expected = opened.mid(0, 15);
    EXPECT_EQ(Recent(), expected);
    EXPECT_EQ(Shown(&Part<QMenu>(*window, "mniRecent")), Escaped(expected));
    EXPECT_EQ(Shown(&Part<QMenu>(*window, "mnuRecent")), Escaped(Names(expected)));
    EXPECT_EQ(Part<QMenu>(*window, "mniRecent").actions().size(), 15);
    ASSERT_EQ(Part<QMenu>(*window, "mnuRecent").actions().size(), 16);
    EXPECT_FALSE(Part<QMenu>(*window, "mnuRecent").actions().back()->isVisible());
    for (int slot = 0; slot < 16; ++slot)
        EXPECT_EQ(Part<QMenu>(*window, "mnuRecent").actions()[slot]->data().toInt(), slot);

    // The Open button's drop-down is the names menu.
    auto* open = Part<QToolBar>(*window, "ToolBar").findChild<QAction*>("tbOpen");
    ASSERT_NE(open, nullptr);
    auto* button =
        qobject_cast<QToolButton*>(Part<QToolBar>(*window, "ToolBar").widgetForAction(open));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(open->menu(), &Part<QMenu>(*window, "mnuRecent"));
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
}

TEST_F(RecentFilesTest, TheFileMenuHoldsRecentAfterOpenAndSaveProjectAsAfterSaveNewVersion) {
    Start();
    const QList<QAction*> items = Part<QMenu>(*window, "mniFile").actions();
    const struct {
        const char* before;
        QAction* item;
    } cases[] = {{"&Open", Part<QMenu>(*window, "mniRecent").menuAction()},
                 {"Save new &version", &Part<QAction>(*window, "SaveProjectAs1")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        const qsizetype at = items.indexOf(c.item);
        ASSERT_GT(at, 0);
        EXPECT_EQ(items[at - 1]->text(), c.before);
    }
    EXPECT_EQ(Part<QMenu>(*window, "mniRecent").title(), "&Recent");
    EXPECT_EQ(Part<QAction>(*window, "SaveProjectAs1").text(), "Save Pro&ject As...");
}

TEST_F(RecentFilesTest, ChoosingAnEntryReopensItAndMovesItUp) {
    Start();
    QStringList opened;
    for (int i = 0; i < 10; ++i) {
        opened.prepend(File(QString("r%1.txt").arg(i), QByteArray::number(i)));
        window->Files().OpenFile(opened.front());
    }
    window->Tabs().mniCloseAllClick();
    ASSERT_EQ(window->DocumentCount(), 1);

    struct Case {
        QMenu* menu;
        int slot;
    };
    for (const Case& c : {Case{&Part<QMenu>(*window, "mniRecent"), 7},
                          Case{&Part<QMenu>(*window, "mnuRecent"), 4}}) {
        const QString entry = Recent()[c.slot];
        QStringList expected = Recent();
        expected.move(c.slot, 0);
        c.menu->actions()[c.slot]->trigger();
        EXPECT_EQ(window->CurrentDocument().FileName, entry);
        EXPECT_EQ(Recent(), expected);
        EXPECT_TRUE(dialogs.History().empty());
    }
    // The next Open starts in the entry's folder.
    dialogs.QueueCancel();
    window->Files().mniOpenClick();
    EXPECT_EQ(dialogs.History().back().fileRequest.initialFolder, root.filePath("files"));
}

TEST_F(RecentFilesTest, SavingAsAndSavingANewVersionPutTheNameOnTop) {
    Start();
    const QString old = File("old.txt");
    window->Files().OpenFile(old);
    window->mniNewClick();
    const QString saved = root.filePath("files/new & more.txt");
    dialogs.QueueFiles({saved});
    window->Files().mniSaveAsClick();
    EXPECT_EQ(Recent(), QStringList({saved, old}));
    EXPECT_EQ(Part<QMenu>(*window, "mnuRecent").actions()[0]->text(), "new && more.txt");

    window->Files().Savenewversion1Click();
    const QString version = root.filePath("files/new & more_2.txt");
    EXPECT_EQ(Recent(), QStringList({version, saved, old}));
}

TEST_F(RecentFilesTest, AMissingEntryIsReportedAndStaysUntilTheNextStart) {
    Start();
    const QString kept = File("kept.txt");
    const QString gone = File("gone.txt");
    window->Files().OpenFile(kept);
    window->Files().OpenFile(gone);
    window->Tabs().mniCloseAllClick();
    QFile::remove(gone);
    Part<QMenu>(*window, "mniRecent").actions()[0]->trigger();
    EXPECT_EQ(Messages(), QStringList({gone + " not found"}));
    EXPECT_EQ(Recent(), QStringList({gone, kept}));

    Restart();
    EXPECT_EQ(Recent(), QStringList({kept}));
    EXPECT_EQ(Shown(&Part<QMenu>(*window, "mniRecent")), QStringList({kept}));
}

TEST_F(RecentFilesTest, TheListSurvivesARestartAndOldKeysOfUnusedSlotsStay) {
    const QString a = File("a & b.txt"), c = File("c.txt"), d = File("d.txt");
    const QString missing = root.filePath("files/missing.txt");
    Write(MainSettingsPath(), ("[Recent]\r\nFile0=" + a + "\r\nFile1=" + missing +
                               "\r\nFile2=" + c + "\r\nFile3=" + d + "\r\nFile4=" + d + "\r\n")
                                  .toUtf8());
    Start();
    // Missing files drop out; duplicates from the file are kept.
    EXPECT_EQ(Recent(), QStringList({a, c, d, d}));
    Restart();
    const QByteArray saved = Read(MainSettingsPath());
    EXPECT_TRUE(saved.contains(("File0=" + a + "\r\n").toUtf8()));
    EXPECT_TRUE(saved.contains(("File1=" + c + "\r\n").toUtf8()));
    EXPECT_TRUE(saved.contains(("File3=" + d + "\r\n").toUtf8()));
    // Slot 4 is no longer used: its old key stays as it was.
    EXPECT_TRUE(saved.contains(("File4=" + d + "\r\n").toUtf8()));
    EXPECT_EQ(Recent(), QStringList({a, c, d, d, d}));
}

TEST_F(RecentFilesTest, AProjectEntryReplacesTheTabsWithTheProject) {
    const QString listed = File("listed.txt", "listed");
    const QString project = File("work.txp", "listed.txt\r\n");
    Write(MainSettingsPath(), ("[Recent]\r\nFile0=" + project + "\r\n").toUtf8());
    Start();
    const QString other = File("other.txt");
    window->Files().OpenFile(other);
    window->mniNewClick();
    Part<QMenu>(*window, "mniRecent").actions()[1]->trigger();
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(window->CurrentDocument().FileName, listed);
    EXPECT_EQ(window->Projects().CurrentProject(), project);
    // Loading a project adds its files; the project's own entry does not move.
    EXPECT_EQ(Recent(), QStringList({listed, other, project}));
}

} // namespace
