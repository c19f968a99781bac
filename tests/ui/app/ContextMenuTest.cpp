#include "SettingsFixture.h"

#include <QMenuBar>
#include <QTest>
#include <QToolBar>

class ContextMenuTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        Start();
    }
    // Rebuilds the context menu as opening it does.
    void Open() { emit Part<QMenu>(*window, "mnuPopup").aboutToShow(); }
    QMenu* Submenu(const QString& caption) {
        for (QAction* action : Part<QMenu>(*window, "mnuPopup").actions()) {
            if (action->menu() && action->text().remove('&') == caption)
                return action->menu();
        }
        return nullptr;
    }
    QAction* Item(QMenu* menu, const QString& caption) {
        for (QAction* action : menu->actions()) {
            if (action->text().remove('&') == caption)
                return action;
        }
        return nullptr;
    }
    QStringList VisibleCaptions() const {
        QStringList captions;
        for (const QAction* action : Part<QMenu>(*window, "mnuPopup").actions()) {
            if (action->isVisible())
                captions << (action->isSeparator() ? QString("|") : action->text().remove('&'));
        }
        return captions;
    }
};

TEST_F(ContextMenuTest, OpensWithTheEditItemsThenTheMainMenusInOrder) {
    Open();
    EXPECT_EQ(Captions(&Part<QMenu>(*window, "mnuPopup")),
              QStringList({"Undo", "|", "Cut", "Copy", "Paste", "|", "Select All", "|", "File",
                           "Edit", "View", "Functions", "Options", "Format", "Style", "Favorites",
                           "Tabs", "Help"}));
    EXPECT_EQ(VisibleCaptions(),
              QStringList({"Undo", "|", "Cut", "Copy", "Paste", "|", "Select All", "|", "File",
                           "Edit", "View", "Functions", "Style", "Tabs", "Help"}));
    EXPECT_EQ(Captions(Submenu("Edit")),
              QStringList({"Delete", "Go to", "Find...", "Find Next", "Replace"}));
    EXPECT_EQ(Captions(Submenu("View")), Captions(&Part<QMenu>(*window, "mniView")));
}

TEST_F(ContextMenuTest, FollowsTheMainMenuEachTimeItOpens) {
    Open();
    window->SetViewMode(vmCode);
    Open();
    EXPECT_TRUE(VisibleCaptions().contains("Options"));
    EXPECT_FALSE(VisibleCaptions().contains("Functions"));
    window->ViewOptions().SetWordWrap(false);
    Open();
    EXPECT_FALSE(Item(Submenu("View"), "Word Wrap")->isChecked());
}

TEST_F(ContextMenuTest, BringsBackTheMenuBarWhenItIsHidden) {
    window->ViewOptions().SetMainMenuVisible(false);
    ASSERT_TRUE(window->menuBar()->isHidden());
    Open();
    QAction* mainMenu = Item(Submenu("View"), "Main Menu");
    ASSERT_NE(mainMenu, nullptr);
    EXPECT_FALSE(mainMenu->isChecked());
    mainMenu->trigger();
    EXPECT_FALSE(window->menuBar()->isHidden());
    EXPECT_TRUE(Part<QAction>(*window, "mniViewMainMenu").isChecked());
}

TEST_F(ContextMenuTest, ToolbarCaptionsItemActsLikeTheMainMenuItem) {
    Open();
    Item(Submenu("View"), "Show Toolbar Captions")->trigger();
    EXPECT_EQ(Part<QToolBar>(*window, "ToolBar").toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_FALSE(Part<QAction>(*window, "mniShowToolbarCaptions").isChecked());
    Open();
    EXPECT_FALSE(Item(Submenu("View"), "Show Toolbar Captions")->isChecked());
}

TEST_F(ContextMenuTest, IsTheContextMenuOfEveryEditorAndOfTheToolBar) {
    window->mniNewClick();
    for (int position = 0; position < window->DocumentCount(); ++position) {
        TMyMemo& document = window->DocumentAt(position);
        EXPECT_EQ(document.PlainEditor->contextMenuPolicy(), Qt::CustomContextMenu);
        EXPECT_EQ(document.CodeEditor->contextMenuPolicy(), Qt::CustomContextMenu);
    }
    EXPECT_EQ(Part<QToolBar>(*window, "ToolBar").contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(Part<QToolBar>(*window, "ToolBarSecond").contextMenuPolicy(), Qt::CustomContextMenu);
    emit window->CurrentPlainEditor()->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(Part<QMenu>(*window, "mnuPopup").isVisible());
    EXPECT_TRUE(VisibleCaptions().contains("Help"));
    Part<QMenu>(*window, "mnuPopup").hide();
}

TEST_F(ContextMenuTest, MenuShortcutsStillWorkWhileTheMenuBarIsHidden) {
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    window->CurrentPlainEditor()->setFocus();
    QApplication::processEvents();
    for (bool menuShown : {true, false}) {
        SCOPED_TRACE(menuShown);
        window->ViewOptions().SetMainMenuVisible(menuShown);
        const int before = window->DocumentCount();
        QTest::keyClick(window->CurrentPlainEditor()->viewport(), Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(window->DocumentCount(), before + 1);
        QTest::keyClick(window->CurrentPlainEditor()->viewport(), Qt::Key_Plus,
                        Qt::ControlModifier | Qt::KeypadModifier);
        EXPECT_EQ(window->CurrentPlainEditor()->Font().pointSize(), menuShown ? 11 : 12);
    }
}
