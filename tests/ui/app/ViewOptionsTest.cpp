#include "SettingsFixture.h"
#include "settings/qt/QuickFont.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

QRect Desktop() {
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens())
        desktop |= screen->geometry();
    return desktop;
}

} // namespace

class ViewOptionsTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        Start();
    }
    bool MenuBarShown() const { return !window->menuBar()->isHidden(); }
    bool ToolBarShown() const {
        EXPECT_EQ(Part<QToolBar>(*window, "ToolBar").isHidden(),
                  Part<QToolBar>(*window, "ToolBarSecond").isHidden());
        return !Part<QToolBar>(*window, "ToolBar").isHidden();
    }
    int FontSize(TSynEditWidget* editor) const { return editor->Font().pointSize(); }
};

TEST_F(ViewOptionsTest, EachViewItemTogglesItsCheckAndWhatItControls) {
    struct Case {
        const char* name;
        const char* item;
        std::function<bool(TForm1&)> applied;
    };
    const std::vector<Case> cases = {
        {"Word Wrap", "mniWordWrap", [](TForm1& w) { return w.CurrentPlainEditor()->WordWrap(); }},
        {"Horizontal Scrollbar", "mniHScrollbar",
         [](TForm1& w) {
             const TScrollStyle style = w.CurrentPlainEditor()->ScrollBars();
             return style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
         }},
        {"Vertical Scrollbar", "mniVScrollbar",
         [](TForm1& w) {
             const TScrollStyle style = w.CurrentPlainEditor()->ScrollBars();
             return style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
         }},
        {"Status Bar", "mniStatusbar", [](TForm1& w) { return !w.statusBar()->isHidden(); }},
        {"Main Menu", "mniViewMainMenu", [](TForm1& w) { return !w.menuBar()->isHidden(); }},
        {"Tool Bar", "mniViewToolbar",
         [](TForm1& w) {
             return !Part<QToolBar>(w, "ToolBar").isHidden() &&
                    !Part<QToolBar>(w, "ToolBarSecond").isHidden();
         }},
        {"Show Toolbar Captions", "mniShowToolbarCaptions",
         [](TForm1& w) {
             return Part<QToolBar>(w, "ToolBarSecond").toolButtonStyle() ==
                    Qt::ToolButtonTextUnderIcon;
         }},
        {"Always on Top", "mniAlwaysOnTop",
         [](TForm1& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }},
        {"Tool Window Mode", "mniHideCaption",
         [](TForm1& w) { return (w.windowFlags() & Qt::WindowType_Mask) == Qt::Tool; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QAction* item = &Part<QAction>(*window, c.item);
        EXPECT_EQ(item->text().remove('&'), c.name);
        const bool before = item->isChecked();
        EXPECT_EQ(c.applied(*window), before);
        item->trigger();
        EXPECT_EQ(item->isChecked(), !before);
        EXPECT_EQ(c.applied(*window), !before);
        item->trigger();
        EXPECT_EQ(c.applied(*window), before);
        EXPECT_TRUE(window->isWindow());
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(window->windowFlags() & Qt::WindowType_Mask, Qt::Window);
}

TEST_F(ViewOptionsTest, ScrollbarItemsCombineIntoTheEditorsScrollBarSetting) {
    struct Case {
        bool horizontal, vertical;
        TScrollStyle expected;
    };
    for (const Case& c :
         {Case{false, false, TScrollStyle::ssNone}, Case{true, false, TScrollStyle::ssHorizontal},
          Case{false, true, TScrollStyle::ssVertical}, Case{true, true, TScrollStyle::ssBoth}}) {
        window->ViewOptions().SetScrollBars(c.horizontal, c.vertical);
        EXPECT_EQ(window->CurrentPlainEditor()->ScrollBars(), c.expected);
        EXPECT_EQ(Part<QAction>(*window, "mniHScrollbar").isChecked(), c.horizontal);
        EXPECT_EQ(Part<QAction>(*window, "mniVScrollbar").isChecked(), c.vertical);
    }
}

TEST_F(ViewOptionsTest, FullScreenCoversTheDesktopAndLeavingRestoresTheBoundsItHad) {
    SetFrame(QRect(40, 50, 500, 300));
    QApplication::processEvents();
    const QRect before = window->frameGeometry();
    Part<QAction>(*window, "mniFullScreen").trigger();
    QApplication::processEvents();
    EXPECT_TRUE(window->ViewOptions().FullScreen());
    EXPECT_TRUE(Part<QAction>(*window, "mniFullScreen").isChecked());
    EXPECT_EQ(window->geometry(), Desktop());
    EXPECT_EQ(window->ViewOptions().RestoreBounds(), before);
    EXPECT_FALSE(MenuBarShown());
    EXPECT_FALSE(ToolBarShown());
    EXPECT_TRUE(window->statusBar()->isHidden());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window->CurrentPlainEditor()->frameShape(), QFrame::NoFrame);

    window->findChild<QAction*>("tbFullScreen")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window->ViewOptions().FullScreen());
    EXPECT_FALSE(Part<QAction>(*window, "mniFullScreen").isChecked());
    EXPECT_EQ(window->frameGeometry(), before);
    EXPECT_TRUE(MenuBarShown());
    EXPECT_TRUE(ToolBarShown());
    EXPECT_FALSE(window->statusBar()->isHidden());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_NE(window->CurrentPlainEditor()->frameShape(), QFrame::NoFrame);
}

TEST_F(ViewOptionsTest, LeavingFullScreenAppliesOptionsChangedMeanwhile) {
    window->ViewOptions().SetFullScreen(true);
    window->ViewOptions().SetToolBarVisible(true);
    EXPECT_TRUE(ToolBarShown()) << "turning the tool bar on shows it in full screen";
    window->ViewOptions().SetStatusBarVisible(false);
    window->ViewOptions().SetMainMenuVisible(false);
    window->ViewOptions().SetFullScreen(false);
    EXPECT_TRUE(ToolBarShown());
    EXPECT_FALSE(MenuBarShown());
    EXPECT_TRUE(window->statusBar()->isHidden());
}

TEST_F(ViewOptionsTest, InFullScreenThePointerAtTheTopOfTheEditorBringsBackMenuAndToolBar) {
    window->ViewOptions().SetFullScreen(true);
    TMemo* editor = window->CurrentPlainEditor();
    struct Step {
        int y;
        bool barsShown;
    };
    // At exactly 10 pixels nothing changes, whichever way the pointer came.
    for (const Step& step : {Step{5, true}, Step{10, true}, Step{11, false}, Step{10, false},
                             Step{9, true}, Step{200, false}}) {
        SCOPED_TRACE(step.y);
        window->ViewOptions().Memo01MouseMove(editor, QPoint(20, step.y));
        EXPECT_EQ(MenuBarShown(), step.barsShown);
        EXPECT_EQ(ToolBarShown(), step.barsShown);
    }
    window->ViewOptions().SetToolBarVisible(false);
    window->ViewOptions().Memo01MouseMove(editor, QPoint(20, 2));
    EXPECT_TRUE(MenuBarShown());
    EXPECT_FALSE(ToolBarShown()) << "only the bars whose options are on come back";
}

TEST_F(ViewOptionsTest, PointerOutsideFullScreenLeavesTheBarsAlone) {
    window->ViewOptions().SetMainMenuVisible(false);
    window->ViewOptions().Memo01MouseMove(window->CurrentPlainEditor(), QPoint(20, 2));
    EXPECT_FALSE(MenuBarShown());
    EXPECT_TRUE(ToolBarShown());
}

TEST_F(ViewOptionsTest, FontSizeStepsAllEditorsAndStopsAtOnePoint) {
    window->mniNewClick();
    TSynEditWidget* other = window->DocumentAt(0).CodeEditor;
    QFont font = window->CurrentPlainEditor()->Font();
    font.setPointSize(2);
    window->CurrentPlainEditor()->SetFont(font);
    window->ViewOptions().ApplyAppearanceToAllDocuments();
    struct Step {
        const char* item;
        int expected;
    };
    for (const Step& step : {Step{"mniDecreaseFont", 1}, Step{"mniDecreaseFont", 1},
                             Step{"mniIncreaseFont", 2}, Step{"mniIncreaseFont", 3}}) {
        Part<QAction>(*window, step.item).trigger();
        EXPECT_EQ(FontSize(window->CurrentPlainEditor()), step.expected);
        EXPECT_EQ(FontSize(other), step.expected);
    }
    EXPECT_EQ(
        Part<QAction>(*window, "mniIncreaseFont").shortcut(),
        QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus)));
    EXPECT_EQ(
        Part<QAction>(*window, "mniDecreaseFont").shortcut(),
        QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus)));
    window->findChild<QAction*>("tbZoomOut")->trigger();
    EXPECT_EQ(FontSize(window->CurrentPlainEditor()), 2);
}

TEST_F(ViewOptionsTest, WordWrapChangesOnlyTheCurrentDocumentUntilTheLookIsSpread) {
    window->mniNewClick(); // second document, current
    window->ViewOptions().SetWordWrap(false);
    window->ViewOptions().SetScrollBars(true, true);
    TMemo* first = window->DocumentAt(0).PlainEditor;
    EXPECT_TRUE(first->WordWrap());
    EXPECT_EQ(first->ScrollBars(), TScrollStyle::ssVertical);
    Part<QAction>(*window, "Showlinenumbers1").trigger();
    EXPECT_FALSE(first->WordWrap());
    EXPECT_EQ(first->ScrollBars(), TScrollStyle::ssBoth);
    EXPECT_FALSE(window->DocumentAt(0).CodeEditor->ShowLineNumbers());
    EXPECT_FALSE(window->DocumentAt(1).CodeEditor->ShowLineNumbers());
}

TEST_F(ViewOptionsTest, ColourDialogsStartAtTheCurrentColourAndCancelChangesNothing) {
    window->mniNewClick();
    dialogs.Queue(std::optional<QColor>(QColor(1, 2, 3)));
    window->findChild<QAction*>("tbBackground")->trigger();
    dialogs.Queue(std::optional<QColor>(QColor(255, 0, 0)));
    Part<QAction>(*window, "mniFontColor").trigger();
    for (int position = 0; position < 2; ++position) {
        for (TSynEditWidget* editor :
             {static_cast<TSynEditWidget*>(window->DocumentAt(position).PlainEditor),
              static_cast<TSynEditWidget*>(window->DocumentAt(position).CodeEditor)}) {
            EXPECT_EQ(editor->Color(), RGB(1, 2, 3));
            EXPECT_EQ(editor->FontColor(), clRed);
        }
    }
    dialogs.Queue(std::optional<QColor>());
    Part<QAction>(*window, "mniBackground").trigger();
    EXPECT_EQ(window->DocumentAt(0).PlainEditor->Color(), RGB(1, 2, 3));
    EXPECT_EQ(dialogs.History().back().text, QColor(1, 2, 3).name())
        << "starts at the current colour";
}

TEST_F(ViewOptionsTest, FontDialogListsFixedPitchFacesOnlyInCodeView) {
    QFont chosen("DejaVu Serif", 13);
    chosen.setItalic(true);
    dialogs.Queue(std::optional<FontChoice>(FontChoice{chosen, QColor(0, 0, 255)}));
    window->findChild<QAction*>("tbFontType")->trigger();
    EXPECT_EQ(dialogs.History().back().text, "all fonts");
    window->mniNewClick();
    for (TSynEditWidget* editor :
         {static_cast<TSynEditWidget*>(window->DocumentAt(1).PlainEditor),
          static_cast<TSynEditWidget*>(window->DocumentAt(0).CodeEditor)}) {
        EXPECT_EQ(editor->Font().family(), "DejaVu Serif");
        EXPECT_EQ(editor->Font().pointSize(), 13);
        EXPECT_TRUE(editor->Font().italic());
        EXPECT_EQ(editor->FontColor(), clBlue);
    }
    window->SetViewMode(vmCode);
    dialogs.Queue(std::optional<FontChoice>());
    Part<QAction>(*window, "mniFont").trigger();
    EXPECT_EQ(dialogs.History().back().text, "fixed pitch");
    EXPECT_EQ(window->CurrentPlainEditor()->Font().pointSize(), 13);
}

TEST_F(ViewOptionsTest, QuickFontCaptionsGiveFaceAndSize) {
    struct Case {
        const char* caption;
        const char* face;
        int size;
    };
    for (const Case& c :
         {Case{"Times New Roman, 12", "Times New Roman", 12}, Case{"&Arial, 10", "Arial", 10},
          Case{" Small Fonts ,  7 ", "Small Fonts", 7}, Case{"A, B, 9", "A", 0},
          Case{"Tahoma", "Tahoma", 0}}) {
        const QuickFont font = ParseQuickFontCaption(c.caption);
        EXPECT_EQ(font.face, c.face) << c.caption;
        EXPECT_EQ(font.size, c.size) << c.caption;
    }
}

TEST_F(ViewOptionsTest, QuickFontMenuSetsFaceAndSizeAndKeepsStyleAndColour) {
    QFont bold = window->CurrentPlainEditor()->Font();
    bold.setBold(true);
    window->CurrentPlainEditor()->SetFont(bold);
    window->CurrentPlainEditor()->SetFontColor(clMaroon);
    window->ViewOptions().ApplyAppearanceToAllDocuments();
    QStringList captions = Captions(&Part<QMenu>(*window, "mnuFont"));
    EXPECT_EQ(captions.size(), 19 + 3);
    EXPECT_EQ(captions.indexOf("|"), 6);
    QAction* times = Part<QMenu>(*window, "mnuFont").actions()[4];
    ASSERT_EQ(times->text(), "Times New Roman, 12");
    times->trigger();
    const QFont font = window->DocumentAt(0).CodeEditor->Font();
    EXPECT_EQ(font.family(), "Times New Roman");
    EXPECT_EQ(font.pointSize(), 12);
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(window->DocumentAt(0).CodeEditor->FontColor(), clMaroon);
    EXPECT_EQ(window->findChild<QAction*>("tbFontType")->menu(), &Part<QMenu>(*window, "mnuFont"));
}
