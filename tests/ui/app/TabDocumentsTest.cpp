#include "MainWindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

namespace {

QStringList TabsMenuItems(TForm1& window) {
    QStringList items;
    const QList<QAction*> actions = Part<QMenu>(window, "mniTabs").actions();
    for (qsizetype i = actions.indexOf(&Part<QAction>(window, "mniTabsSeparator")) + 1;
         i < actions.size(); ++i)
        items << (actions[i]->isChecked() ? "*" : "") + actions[i]->text();
    return items;
}

} // namespace

TEST_F(MainWindowTest, FirstRunShowsOneBlankTabWithTheTabBarHidden) {
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(TabCaptions(), QStringList({"Blank"}));
    EXPECT_FALSE(Part<QTabBar>(*window, "TabControl").isVisible());
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "Line: 1  Col: 1  ");
    EXPECT_EQ(TabsMenuItems(*window), QStringList({"*Blank"}));
}

TEST_F(MainWindowTest, NewInsertsAfterTheCurrentTabAndSelectsIt) {
    MakeDocuments({"one", "two", "three"});
    window->SelectIndex(1);
    window->RefreshCurrentTab();
    window->mniNewClick();
    EXPECT_EQ(window->DocumentCount(), 4);
    EXPECT_EQ(window->CurrentIndex(), 2);
    EXPECT_EQ(CurrentText(), "");
    window->SelectIndex(3);
    EXPECT_EQ(CurrentText(), "three");
    EXPECT_TRUE(Part<QTabBar>(*window, "TabControl").isVisible());
}

TEST_F(MainWindowTest, ClosePromptAnswers) {
    struct Case {
        DialogAnswer answer;
        bool closed;
        bool saved;
    };
    for (const Case& c : {Case{DialogAnswer::Yes, true, true}, Case{DialogAnswer::No, true, false},
                          Case{DialogAnswer::Cancel, false, false}}) {
        const QString path = WriteFile("doc.txt", "old");
        window->Files().OpenFile(path);
        window->mniNewClick();
        window->SelectIndex(0);
        window->CurrentPlainEditor()->SetText("new");
        ASSERT_TRUE(window->CurrentDocument().Modified);
        dialogs.Queue(c.answer);
        EXPECT_EQ(window->CloseDocument(0), c.closed);
        EXPECT_EQ(LastMessage(), "File " + path + " has been modified.  Save changes?");
        EXPECT_EQ(dialogs.History().back().buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Warning);
        EXPECT_EQ(window->DocumentCount(), c.closed ? 1 : 2);
        EXPECT_EQ(ReadFile(path), c.saved ? "new" : "old");
        // Back to one untouched tab for the next case.
        for (int i = window->DocumentCount() - 1; i >= 0; --i)
            window->DocumentAt(i).Modified = false;
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(MainWindowTest, YesWithCancelledSaveAsKeepsTheTabAndItsText) {
    MakeDocuments({"first", "precious"});
    dialogs.Queue(DialogAnswer::Yes);
    dialogs.QueueCancel();
    EXPECT_FALSE(window->CloseDocument(1));
    EXPECT_EQ(dialogs.History().front().text, "File <blank> has been modified.  Save changes?");
    EXPECT_EQ(window->DocumentCount(), 2);
    window->SelectIndex(1);
    EXPECT_EQ(CurrentText(), "precious");
    EXPECT_TRUE(window->CurrentDocument().Modified);
}

TEST_F(MainWindowTest, ClosingTheOnlyTabEmptiesItAndAsksNothingTheSecondTime) {
    window->CurrentPlainEditor()->SetText("text");
    dialogs.Queue(DialogAnswer::No);
    EXPECT_TRUE(window->CloseDocument(0));
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(TabCaptions(), QStringList({"Blank"}));
    EXPECT_EQ(CurrentText(), "");
    EXPECT_FALSE(window->CurrentDocument().Modified);
    dialogs.ClearHistory();
    EXPECT_TRUE(window->CloseDocument(0));
    EXPECT_TRUE(dialogs.History().empty());
}

TEST_F(MainWindowTest, ClosingMovesTheCurrentTabAsTheRulesSay) {
    struct Case {
        int current;
        int closed;
        QString nowCurrent;
    };
    for (const Case& c : {Case{0, 0, "b"}, Case{2, 2, "b"}, Case{2, 0, "c"}, Case{0, 2, "a"}}) {
        MakeDocuments({"a", "b", "c"});
        for (int i = 0; i < 3; ++i)
            window->DocumentAt(i).Modified = false;
        window->SelectIndex(c.current);
        window->CloseDocument(c.closed);
        EXPECT_EQ(CurrentText(), c.nowCurrent) << c.current << " " << c.closed;
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(MainWindowTest, CloseAllSparesTheTabHiddenFromIt) {
    MakeDocuments({"a", "b", "c"});
    for (int i = 0; i < 3; ++i)
        window->DocumentAt(i).Modified = false;
    window->Tabs().TabControlMouseDown(Qt::RightButton,
                                       Part<QTabBar>(*window, "TabControl").tabRect(1).center());
    window->Tabs().mnuTabsPopup();
    EXPECT_FALSE(Part<QAction>(*window, "mniHidefromCloseall").isChecked());
    window->Tabs().mniHidefromCloseallClick();
    window->Tabs().mnuTabsPopup();
    EXPECT_TRUE(Part<QAction>(*window, "mniHidefromCloseall").isChecked());

    window->Tabs().mniCloseAllClick();
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(CurrentText(), "b");
}

// The Tabs menu's item does the same for the current tab, and shows the current tab's flag.
TEST_F(MainWindowTest, TabsMenuHidesTheCurrentTabFromCloseAll) {
    MakeDocuments({"a", "b", "c"});
    for (int i = 0; i < 3; ++i)
        window->DocumentAt(i).Modified = false;
    window->SelectIndex(1);
    window->RefreshCurrentTab();
    QAction& item = Part<QAction>(*window, "mniHideCurrentFromCloseAll");
    EXPECT_FALSE(item.isChecked());
    item.trigger();
    EXPECT_TRUE(window->DocumentAt(1).HiddenFromCloseAll);
    window->Tabs().mniNextTabClick();
    EXPECT_FALSE(item.isChecked()) << "the next tab is not hidden";
    window->Tabs().TabControlMouseDown(Qt::RightButton,
                                       Part<QTabBar>(*window, "TabControl").tabRect(2).center());
    window->Tabs().mniHidefromCloseallClick();
    EXPECT_TRUE(item.isChecked()) << "the context menu hid the current tab";
    window->Tabs().mniPreviousTabClick();
    EXPECT_TRUE(item.isChecked());

    window->Tabs().mniCloseAllClick();
    EXPECT_EQ(window->DocumentCount(), 2);
    EXPECT_EQ(CurrentText(), "b");
}

// The menu items run the tab commands they are named after: "b" is current and hidden from
// Close All, the context menu was opened on "a".
TEST_F(MainWindowTest, EachCloseItemClosesTheTabsOfItsCommand) {
    struct Case {
        const char* item;
        QStringList left;
    };
    for (const Case& c : {Case{"mniClose", {"a", "c"}}, Case{"mniCloseAll", {"b"}},
                          Case{"mniClose1", {"b", "c"}}}) {
        SCOPED_TRACE(c.item);
        MakeDocuments({"a", "b", "c"});
        for (int i = 0; i < 3; ++i)
            window->DocumentAt(i).Modified = false;
        window->DocumentAt(1).HiddenFromCloseAll = true;
        window->SelectIndex(1);
        window->RefreshCurrentTab();
        window->Tabs().TabControlMouseDown(
            Qt::RightButton, Part<QTabBar>(*window, "TabControl").tabRect(0).center());
        Part<QAction>(*window, c.item).trigger();
        QStringList left;
        for (int i = 0; i < window->DocumentCount(); ++i)
            left << QString::fromStdString(window->DocumentAt(i).PlainEditor->Text());
        EXPECT_EQ(left, c.left);
        for (int i = 0; i < window->DocumentCount(); ++i)
            window->DocumentAt(i).HiddenFromCloseAll = false;
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(MainWindowTest, ContextMenuCloseActsOnTheClickedTab) {
    MakeDocuments({"a", "b"});
    for (int i = 0; i < 2; ++i)
        window->DocumentAt(i).Modified = false;
    window->SelectIndex(0);
    window->Tabs().TabControlMouseDown(Qt::RightButton,
                                       Part<QTabBar>(*window, "TabControl").tabRect(1).center());
    window->Tabs().mniClose1Click();
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(CurrentText(), "a");

    // A press outside every tab leaves nothing to act on.
    window->mniNewClick();
    window->Tabs().TabControlMouseDown(Qt::RightButton, QPoint(-5, -5));
    window->Tabs().mniClose1Click();
    EXPECT_EQ(window->DocumentCount(), 2);
}

TEST_F(MainWindowTest, DraggingATabOntoAnotherExchangesThem) {
    const QString a = WriteFile("A.txt", "a");
    const QString b = WriteFile("B.txt", "b");
    const QString c = WriteFile("C.txt", "c");
    const QString d = WriteFile("D.txt", "d");
    for (const QString& path : {a, b, c, d})
        window->Files().OpenFile(path);
    QApplication::processEvents();
    window->Tabs().TabControlMouseDown(Qt::LeftButton,
                                       Part<QTabBar>(*window, "TabControl").tabRect(0).center());
    window->Tabs().TabControlDragDrop(Part<QTabBar>(*window, "TabControl").tabRect(3).center());
    EXPECT_EQ(TabCaptions(), QStringList({"D.txt", "B.txt", "C.txt", "A.txt"}));
    EXPECT_EQ(window->CurrentIndex(), 3);
    EXPECT_EQ(CurrentText(), "a");
    EXPECT_EQ(TabsMenuItems(*window), QStringList({"D.txt", "B.txt", "C.txt", "*A.txt"}));

    window->Tabs().TabControlDragDrop(QPoint(-5, -5));
    EXPECT_EQ(TabCaptions(), QStringList({"D.txt", "B.txt", "C.txt", "A.txt"}));
}

TEST_F(MainWindowTest, NextAndPreviousTabWrapAround) {
    MakeDocuments({"a", "b", "c"});
    window->Tabs().mniNextTabClick();
    EXPECT_EQ(window->CurrentIndex(), 0);
    window->Tabs().mniPreviousTabClick();
    EXPECT_EQ(window->CurrentIndex(), 2);
    window->Tabs().mniPreviousTabClick();
    EXPECT_EQ(window->CurrentIndex(), 1);
}

TEST_F(MainWindowTest, CtrlTabSwitchesTabsFromInsideAnEditor) {
    MakeDocuments({"a", "b"});
    window->activateWindow();
    window->CurrentPlainEditor()->setFocus();
    QTest::keyClick(window->CurrentPlainEditor(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window->CurrentIndex(), 0);
    QTest::keyClick(window->CurrentPlainEditor(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->CurrentIndex(), 1);
}

TEST_F(MainWindowTest, TabsMenuItemSelectsItsTab) {
    MakeDocuments({"a", "b", "c"});
    window->Tabs().mniTabItemClick(0);
    EXPECT_EQ(CurrentText(), "a");
    EXPECT_EQ(TabsMenuItems(*window), QStringList({"*Blank", "Blank", "Blank"}));
}

TEST_F(MainWindowTest, TypingMarksTheDocumentModified) {
    window->activateWindow();
    window->CurrentPlainEditor()->setFocus();
    EXPECT_FALSE(window->CurrentDocument().Modified);
    QTest::keyClicks(window->CurrentPlainEditor(), "hi");
    EXPECT_TRUE(window->CurrentDocument().Modified);
    EXPECT_EQ(CurrentText(), "hi");
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "Line: 1  Col: 3  ");
}

TEST_F(MainWindowTest, ExitAskingNoThenCancelKeepsTheWindowWithTwoTabs) {
    MakeDocuments({"a", "b", "c"});
    dialogs.Queue(DialogAnswer::No);
    dialogs.Queue(DialogAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->DocumentCount(), 2);
    EXPECT_EQ(dialogs.History().size(), 2u);
}

TEST_F(MainWindowTest, TitleShowsTheFullPathOfTheCurrentDocument) {
    const QString path = WriteFile("a.txt", "x");
    window->Files().OpenFile(path);
    EXPECT_EQ(window->windowTitle(), "Tabrix Pro [" + path + "]");
    window->mniNewClick();
    EXPECT_EQ(window->windowTitle(), "Tabrix Pro ");
}

TEST_F(MainWindowTest, TabBarAndTabsMenuFollowEveryChangeToTheTabs) {
    for (const QString& name : QStringList{"A", "B", "C", "D"})
        window->Files().OpenFile(WriteFile(name + ".txt", name.toLower().toUtf8()));
    const auto triggerItem = [this](int position) {
        const QList<QAction*> items = Part<QMenu>(*window, "mniTabs").actions();
        items[items.indexOf(&Part<QAction>(*window, "mniTabsSeparator")) + 1 + position]->trigger();
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        QStringList tabs; // "*" marks the checked Tabs menu item
        QString currentText;
    };
    const Step steps[] = {
        {"opened", [] {}, {"A.txt", "B.txt", "C.txt", "*D.txt"}, "d"},
        {"first closed", [this] { window->CloseDocument(0); }, {"B.txt", "C.txt", "*D.txt"}, "d"},
        {"item chosen after a close before it",
         [&] { triggerItem(1); },
         {"B.txt", "*C.txt", "D.txt"},
         "c"},
        {"new after the current",
         [this] { window->mniNewClick(); },
         {"B.txt", "C.txt", "*Blank", "D.txt"},
         ""},
        {"current closed",
         [this] { window->Tabs().mniCloseClick(); },
         {"B.txt", "*C.txt", "D.txt"},
         "c"},
        {"a new tab given a file",
         [this] {
             window->mniNewClick();
             window->Files().OpenFile(WriteFile("E & F.txt", "e"));
         },
         {"B.txt", "C.txt", "*E & F.txt", "D.txt"},
         "e"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        QStringList tabs = TabCaptions();
        for (QString& tab : tabs)
            tab.replace("&&", "&");
        QStringList items = TabsMenuItems(*window);
        for (QString& item : items)
            item.replace("&&", "&");
        QStringList expectedTabs = step.tabs;
        for (QString& tab : expectedTabs)
            tab.remove('*');
        EXPECT_EQ(tabs, expectedTabs);
        EXPECT_EQ(items, step.tabs);
        EXPECT_EQ(CurrentText(), step.currentText);
        // The shown editor paints.
        TMemo* shown = window->CurrentPlainEditor();
        EXPECT_TRUE(shown->isVisible());
        EXPECT_TRUE(shown->updatesEnabled());
    }
}
