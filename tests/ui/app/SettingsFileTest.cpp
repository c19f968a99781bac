#include "SettingsFixture.h"
#include "app/qt/RecentMenus.h"

#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

QRect WorkArea(const QWidget& window) {
    return window.screen()->availableGeometry();
}

} // namespace

TEST_F(SettingsTest, EveryKeyComesBackAfterARestart) {
    const QString recent0 = root.filePath("one.txt"), recent1 = root.filePath("two & three.txt");
    Write(recent0, "1");
    Write(recent1, "2");
    Write(MainSettingsPath(),
          ("[Recent]\r\nFile0=" + recent0 + "\r\nFile1=" + recent1 + "\r\n").toUtf8());
    Start();
    ASSERT_EQ(window->Recent().RecentFiles(), std::vector<QString>({recent0, recent1}));
    SetFrame(QRect(30, 40, 500, 350));
    window->ViewOptions().SetAlwaysOnTop(true);
    window->ViewOptions().SetWordWrap(false);
    window->ViewOptions().SetScrollBars(true, false);
    window->ViewOptions().SetStatusBarVisible(false);
    window->ViewOptions().SetMainMenuVisible(false);
    window->ViewOptions().SetToolBarVisible(false);
    window->ViewOptions().SetToolWindowMode(true);
    Part<QAction>(*window, "Showlinenumbers1").trigger();
    window->ViewOptions().SetToolBarCaptions(false);
    QFont font("DejaVu Serif", 15);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    dialogs.Queue(std::optional<FontChoice>(FontChoice{font, QColor(1, 2, 3)}));
    Part<QAction>(*window, "mniFont").trigger();
    dialogs.Queue(std::optional<QColor>(QColor(250, 240, 230)));
    Part<QAction>(*window, "mniBackground").trigger();
    window->ViewOptions().SetFullScreen(true);
    window->mniNewClick();
    window->mniNewClick();
    dialogs.QueueText("Mine");
    Part<QAction>(*window, "mniSaveStyle").trigger();
    const QRect bounds = window->ViewOptions().RestoreBounds();
    ASSERT_EQ(bounds, QRect(30, 40, 500, 350));

    Restart();
    EXPECT_TRUE(Read(MainSettingsPath()).contains("CIndex=2\r\n"));
    EXPECT_EQ(window->Settings().CurrentStyleName(), "Mine");
    EXPECT_EQ(window->Recent().RecentFiles(), std::vector<QString>({recent0, recent1}));
    EXPECT_TRUE(window->ViewOptions().FullScreen());
    EXPECT_EQ(window->ViewOptions().RestoreBounds(), bounds);
    EXPECT_TRUE(Part<QAction>(*window, "mniAlwaysOnTop").isChecked());
    EXPECT_FALSE(Part<QAction>(*window, "mniWordWrap").isChecked());
    EXPECT_FALSE(window->CurrentPlainEditor()->WordWrap());
    EXPECT_EQ(window->CurrentPlainEditor()->ScrollBars(), TScrollStyle::ssHorizontal);
    EXPECT_FALSE(Part<QAction>(*window, "mniStatusbar").isChecked());
    EXPECT_FALSE(Part<QAction>(*window, "mniViewMainMenu").isChecked());
    EXPECT_FALSE(Part<QAction>(*window, "mniViewToolbar").isChecked());
    EXPECT_TRUE(Part<QAction>(*window, "mniHideCaption").isChecked());
    EXPECT_FALSE(Part<QAction>(*window, "Showlinenumbers1").isChecked());
    EXPECT_FALSE(window->DocumentAt(0).CodeEditor->ShowLineNumbers());
    EXPECT_FALSE(window->ViewOptions().ToolBarCaptions());
    EXPECT_FALSE(Part<QAction>(*window, "mniShowToolbarCaptions").isChecked());
    for (TSynEditWidget* editor :
         {static_cast<TSynEditWidget*>(window->CurrentPlainEditor()),
          static_cast<TSynEditWidget*>(window->DocumentAt(0).CodeEditor)}) {
        EXPECT_EQ(editor->Font().family(), "DejaVu Serif");
        EXPECT_EQ(editor->Font().pointSize(), 15);
        EXPECT_TRUE(editor->Font().bold() && editor->Font().italic() &&
                    editor->Font().underline() && editor->Font().strikeOut());
        EXPECT_EQ(editor->FontColor(), RGB(1, 2, 3));
        EXPECT_EQ(editor->Color(), RGB(250, 240, 230));
    }

    // Leaving full screen gives back the saved bounds and the saved bars.
    window->ViewOptions().SetFullScreen(false);
    QApplication::processEvents();
    EXPECT_EQ(window->frameGeometry(), bounds);
    EXPECT_TRUE(window->menuBar()->isHidden());
    EXPECT_TRUE(Part<QToolBar>(*window, "ToolBar").isHidden());
    EXPECT_TRUE(window->statusBar()->isHidden());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(SettingsTest, FirstStartCoversTheWorkAreaWithTheDefaultLook) {
    Start();
    const QRect work = WorkArea(*window);
    // The offscreen platform keeps the inside of a framed window on screen, so only the size
    // is exact here; tests/desktop checks the position under a real window manager.
    EXPECT_EQ(window->frameGeometry().size(), work.adjusted(-4, -4, 4, 4).size());
    EXPECT_EQ(window->Settings().CurrentStyleName(), "Untitled");
    EXPECT_TRUE(Part<QAction>(*window, "mniWordWrap").isChecked());
    EXPECT_TRUE(window->CurrentPlainEditor()->WordWrap());
    EXPECT_EQ(window->CurrentPlainEditor()->ScrollBars(), TScrollStyle::ssVertical);
    EXPECT_TRUE(Part<QAction>(*window, "mniVScrollbar").isChecked());
    EXPECT_EQ(window->CurrentPlainEditor()->Font().family(), "Courier New");
    EXPECT_EQ(window->CurrentPlainEditor()->Font().pointSize(), 10);
    EXPECT_EQ(window->CurrentPlainEditor()->Color(), clWindow);
    EXPECT_EQ(window->CurrentPlainEditor()->FontColor(), clWindowText);
}

TEST_F(SettingsTest, ASessionLeavesExactlyTheExpectedSettingsFile) {
    const QString data = QStringLiteral(TABRIX_TEST_DATA) + "/settings/";
    Write(MainSettingsPath(), Read(data + "session-before.ini"));
    Start();
    window->ViewOptions().SetWordWrap(false);
    Part<QAction>(*window, "mniHScrollbar").trigger();
    dialogs.Queue(std::optional<QColor>(QColor(255, 0, 0)));
    Part<QAction>(*window, "mniFontColor").trigger();
    Part<QAction>(*window, "mniIncreaseFont").trigger();
    window->mniNewClick();
    Exit();
    EXPECT_EQ(Read(MainSettingsPath()), Read(data + "session-after.ini"));
}

TEST_F(SettingsTest, TheTabActiveAtExitIsTheCurrentOneAtTheNextStart) {
    const QString files[] = {root.filePath("a.txt"), root.filePath("b.txt"),
                             root.filePath("c.txt")};
    for (const QString& file : files)
        Write(file, "text");
    for (int active : {0, 1, 2}) {
        Start();
        while (window->DocumentCount() > 1)
            ASSERT_TRUE(window->CloseDocument(window->DocumentCount() - 1));
        for (const QString& file : files)
            window->Files().OpenFile(file);
        ASSERT_EQ(window->DocumentCount(), 3) << "the opened files take the place of the new tab";
        window->Tabs().mniTabItemClick(active);
        Restart();
        ASSERT_EQ(window->DocumentCount(), 3) << "the session's files are open again";
        EXPECT_EQ(window->CurrentIndex(), active);
        EXPECT_EQ(window->CurrentDocument().FileName, files[active]);
        Exit();
    }
}

TEST_F(SettingsTest, TheProgramFoldersFileIsReadOnlyWhileTheSettingsFolderHasNone) {
    Write(ProgramFolder() + "/tabrix_pro.ini",
          "[Settings]\r\nWordwrap=0\r\n[Font]\r\nName=DejaVu Sans\r\n");
    Start();
    EXPECT_FALSE(Part<QAction>(*window, "mniWordWrap").isChecked());
    Exit();
    EXPECT_TRUE(Read(MainSettingsPath()).contains("Name=DejaVu Sans\r\n"));
    Write(ProgramFolder() + "/tabrix_pro.ini", "[Settings]\r\nWordwrap=1\r\n");
    Start();
    EXPECT_FALSE(Part<QAction>(*window, "mniWordWrap").isChecked())
        << "the settings folder's file wins";
}

TEST_F(SettingsTest, OversizedOrMisplacedBoundsAreBroughtBackOntoTheWorkArea) {
    Start();
    const QRect work = WorkArea(*window);
    window.reset();
    struct Case {
        QRect saved;
        QRect expected;
    };
    const std::vector<Case> cases = {
        {QRect(10, 20, work.width() + 9, 400), QRect(10, 20, work.width() + 8, 400)},
        {QRect(10, 20, 400, work.height() + 50), QRect(10, 20, 400, work.height() + 8)},
        {QRect(work.width() + 1, 20, 400, 400), QRect(0, 20, 400, 400)},
        {QRect(10, work.height() + 1, 400, 400), QRect(10, 0, 400, 400)},
        {QRect(10, 20, 400, 400), QRect(10, 20, 400, 400)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved.width());
        Write(MainSettingsPath(),
              QString("[Form]\r\nTop=%1\r\nLeft=%2\r\nWidth=%3\r\nHeight=%4\r\n")
                  .arg(c.saved.top())
                  .arg(c.saved.left())
                  .arg(c.saved.width())
                  .arg(c.saved.height())
                  .toUtf8());
        Start();
        EXPECT_EQ(window->frameGeometry(), c.expected);
        window.reset();
    }
}

TEST_F(SettingsTest, AGarbageSettingsFileStartsWithSensibleValues) {
    QByteArray garbage("\x00\xff\xfe[Form\r\nWordwrap=0\r\n", 22);
    garbage += "[Form]\r\nWidth=99999999\r\nTop=-5000\r\nHeight=abc\r\n"
               "[Settings]\nWordwrap=yes\nStatusBarVisible=0\n[Font]\nSize=0\nColor=clNoSuch\n"
               "Name=\n[Background]\nColor=$zz\n[Settings";
    garbage += QByteArray(100000, 'x');
    Write(MainSettingsPath(), garbage);
    Start();
    const QRect work = WorkArea(*window);
    const QRect bounds = window->frameGeometry();
    EXPECT_LE(bounds.width(), work.width() + 8);
    EXPECT_LE(bounds.height(), work.height() + 8);
    EXPECT_GE(bounds.top(), work.top() - 8) << "the caption stays on the work area";
    EXPECT_TRUE(Part<QAction>(*window, "mniWordWrap").isChecked());
    EXPECT_FALSE(Part<QAction>(*window, "mniStatusbar").isChecked())
        << "readable keys among the garbage count";
    EXPECT_EQ(window->CurrentPlainEditor()->Font().family(), "Courier New");
    EXPECT_EQ(window->CurrentPlainEditor()->Font().pointSize(), 10);
    EXPECT_EQ(window->CurrentPlainEditor()->FontColor(), clWindowText);
    EXPECT_EQ(window->CurrentPlainEditor()->Color(), clWindow);
}

TEST_F(SettingsTest, AnUnwritableSettingsFolderIsReportedAndTheExitGoesOn) {
    Write(SettingsFolder(), "a file where the folder should be");
    Start();
    window->close();
    EXPECT_FALSE(window->isVisible());
    // The default project cannot be written there either: each failure has its own box.
    ASSERT_EQ(dialogs.History().size(), 2u);
    EXPECT_EQ(dialogs.History().front().messageKind, MessageKind::Error);
    EXPECT_TRUE(dialogs.History().front().text.contains(SettingsFolder() + "/default.txp"));
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
    EXPECT_EQ(dialogs.History().back().text, "Unable to write to " + MainSettingsPath());
    EXPECT_EQ(Read(SettingsFolder()), "a file where the folder should be");
}
