#include "MainWindowFixture.h"
#include "app/qt/NameDialog.h"
#include "codeedit/HighlighterRegistry.h"
#include "search/qt/GoToLineDialog.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <set>
#include <typeinfo>

TEST_F(MainWindowTest, MenuBarHasTheMenusInOrderWithOptionsAndFavoritesHidden) {
    QStringList visible;
    QStringList all;
    for (QAction* action : window->menuBar()->actions()) {
        QString caption = action->text().remove('&');
        all << caption;
        if (action->isVisible())
            visible << caption;
    }
    EXPECT_EQ(all, QStringList({"File", "Edit", "View", "Functions", "Options", "Format", "Style",
                                "Favorites", "Tabs", "Help"}));
    EXPECT_EQ(visible, QStringList({"File", "Edit", "View", "Functions", "Style", "Tabs", "Help"}));
}

TEST_F(MainWindowTest, ToolBarHasTwoRowsOfCaptionedButtonsAboveTheEditorArea) {
    auto captions = [](QToolBar* row) {
        QStringList result;
        for (QAction* action : row->actions())
            result << (action->isSeparator() ? QString("|") : action->text());
        return result;
    };
    EXPECT_EQ(captions(&Part<QToolBar>(*window, "ToolBar")),
              QStringList({"New", "Open", "Save", "|", "Cut", "Copy", "Paste", "|", "Find",
                           "Replace", "|", "Full Screen"}));
    EXPECT_EQ(captions(&Part<QToolBar>(*window, "ToolBarSecond")),
              QStringList({"Sort", "Sort", "|", "Zoom In", " Zoom Out", "|", "Font Color",
                           "Background", "Font Type", "|", "Speak", "Options", "|", "Bold",
                           "Italic", "Underline", "Strike-out"}));
    EXPECT_EQ(Part<QToolBar>(*window, "ToolBar").iconSize(), QSize(24, 24));
    EXPECT_EQ(Part<QToolBar>(*window, "ToolBar").toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_LT(Part<QToolBar>(*window, "ToolBar").geometry().bottom(),
              Part<QToolBar>(*window, "ToolBarSecond").geometry().bottom());
    const QPoint rowInWindow =
        Part<QToolBar>(*window, "ToolBarSecond").mapTo(window.get(), QPoint(0, 0));
    const QPoint editorInWindow =
        Part<QStackedWidget>(*window, "EditorArea").mapTo(window.get(), QPoint(0, 0));
    EXPECT_LT(rowInWindow.y(), editorInWindow.y());
}

TEST_F(MainWindowTest, TabBarSitsBelowTheEditorsAndAboveTheStatusBar) {
    const auto top = [&](QWidget* widget) { return widget->mapTo(window.get(), QPoint(0, 0)).y(); };
    window->mniNewClick();
    QApplication::processEvents();
    ASSERT_GT(Part<QTabBar>(*window, "TabControl").height(), 0);
    EXPECT_EQ(Part<QTabBar>(*window, "TabControl").shape(), QTabBar::RoundedSouth);
    EXPECT_EQ(Part<QTabBar>(*window, "TabControl").focusPolicy(), Qt::NoFocus);
    EXPECT_GT(top(&Part<QTabBar>(*window, "TabControl")),
              top(&Part<QStackedWidget>(*window, "EditorArea")));
    EXPECT_GT(top(window->statusBar()), top(&Part<QTabBar>(*window, "TabControl")));
}

TEST_F(MainWindowTest, TitleIsTheProgramNameWithTrailingSpace) {
    EXPECT_EQ(window->windowTitle(), "Tabrix Pro ");
}

TEST_F(MainWindowTest, SecondaryDialogsStartWithTheirCaptionsAndTexts) {
    struct Case {
        QDialog* dialog;
        QString caption;
        QString text;
    };
    for (const Case& c : {Case{&Part<TForm2>(*window, "Form2"), "Enter file name", "untitled"},
                          Case{&Part<TForm4>(*window, "Form4"), "Go to line number", "1"}}) {
        dialogs.QueueText("", false);
        EXPECT_FALSE(dialogs.Exec(*c.dialog));
        EXPECT_EQ(dialogs.History().back().caption, c.caption);
        EXPECT_EQ(dialogs.History().back().text, c.text);
    }
    EXPECT_EQ(Part<TForm2>(*window, "Form2").size(), QSize(248, 72));
}

TEST_F(MainWindowTest, OwnsOneInstanceOfEveryHighlighterClass) {
    std::set<const TSynCustomHighlighter*> instances;
    for (const THighlighterClass& highlighterClass : HighlighterClasses()) {
        TSynCustomHighlighter* instance =
            window->HighlighterInstance(highlighterClass.instanceName);
        ASSERT_NE(instance, nullptr) << std::string(highlighterClass.instanceName);
        const auto constructed = highlighterClass.create();
        const TSynCustomHighlighter& fresh = *constructed;
        EXPECT_EQ(typeid(*instance), typeid(fresh)) << std::string(highlighterClass.instanceName);
        EXPECT_TRUE(instances.insert(instance).second)
            << "shared " << std::string(highlighterClass.instanceName);
    }
    EXPECT_EQ(window->HighlighterInstance("NoSuchSyn1"), nullptr);
    EXPECT_EQ(window->CurrentDocument().CodeEditor->Highlighter(),
              window->HighlighterInstance("SynHTMLSyn1"));
}

TEST_F(MainWindowTest, HighlighterInstancesCarryTheFormValues) {
    const THighlighterClass* php = FindHighlighterClass(".php");
    ASSERT_NE(php, nullptr);
    const std::unique_ptr<TSynCustomHighlighter> constructed = php->create();
    const TSynCustomHighlighter* instance = window->HighlighterInstance(php->instanceName);
    const auto colours = [](const TSynCustomHighlighter& highlighter) {
        std::vector<TColor> result;
        for (int i = 0; i < highlighter.AttributeCount(); ++i)
            result.push_back(highlighter.AttributeAt(i)->Foreground());
        return result;
    };
    EXPECT_NE(colours(*instance), colours(*constructed));
    constructed->ApplyFormDefaults();
    EXPECT_EQ(colours(*instance), colours(*constructed));
}
