// Menus and tool buttons built from their tables: what a row asks for is what the window shows,
// and a tool button does what its menu item does.

#include "MainWindowFixture.h"
#include "app/qt/ContextMenu.h"
#include "app/qt/MainWindowMenus.h"
#include "textfuncs/TextCommands.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions) {
        if (action->isVisible())
            captions << (action->isSeparator() ? QString("|") : action->text().remove('&'));
    }
    return captions;
}

const MenuItem TestSubmenu[] = {
    {.name = "inner", .caption = "Inner", .handler = Call<&TForm1::mniNewClick>},
};

// Rows out of place order, a check, a view mode, a button without a menu item and a submenu.
const MenuItem TestRows[] = {
    {.name = "first",
     .caption = "&First",
     .shortcuts = {"Ctrl+F5", "Ctrl+Num+5"},
     .tag = 7,
     .handler = Call<&TForm1::mniNewClick>,
     .button = {"tbSecond", "B", "Hint B", "document-new", {ToolRow::First, 2, 1}}},
    {},
    {.name = "wrap",
     .caption = "Wrap",
     .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::SetWordWrap>,
     .button = {"tbFirst", "A", "Hint A", "document-open", {ToolRow::First, 1, 1}},
     .modes = InCodeView,
     .check = MenuCheck::Checked},
    {.name = "later", .button = {"tbThird", "C", "Hint C", "edit-find", {ToolRow::First, 2, 2}}},
    {.name = "sub", .caption = "Sub", .submenu = TestSubmenu},
};

class MenuTableTest : public MainWindowTest {
protected:
    void Build() {
        build.AddItems(menu, TestRows, *window, parts);
        build.PlaceToolButtons(firstRow, secondRow, parts);
    }
    QAction* Child(QObject& parent, const char* name) {
        return parent.findChild<QAction*>(name, Qt::FindChildrenRecursively);
    }

    MenuBuild build;
    TWindowParts parts;
    QMenu menu;
    QToolBar firstRow;
    QToolBar secondRow;
};

TEST_F(MenuTableTest, ItemsTakeWhatTheirRowsSay) {
    Build();
    EXPECT_EQ(Captions(menu.actions()), QStringList({"First", "|", "Wrap", "Sub"}));
    QAction* first = Child(menu, "first");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->shortcuts(),
              QList<QKeySequence>({QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_F5)),
                                   QKeySequence(QKeyCombination(
                                       Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_5))}));
    EXPECT_EQ(first->data().toInt(), 7);
    EXPECT_TRUE(window->actions().contains(first)) << "its keys work while the menu is hidden";
    QAction* wrap = Child(menu, "wrap");
    ASSERT_NE(wrap, nullptr);
    EXPECT_TRUE(wrap->isCheckable());
    EXPECT_TRUE(wrap->isChecked());
    ASSERT_NE(Child(menu, "inner"), nullptr);
    EXPECT_EQ(Child(menu, "later"), nullptr) << "a button without a menu item";
}

// Rows that keep what they build in the window's parts, or take it from there.
const MenuItem PartRows[] = {
    {.name = "bold", .caption = "Bold", .action = &TWindowParts::mniBold},
    {.name = "styles",
     .caption = "Styles",
     .submenu = TestSubmenu,
     .menu = &TWindowParts::mniStyles},
    {.name = "again", .caption = "Again", .menu = &TWindowParts::mniStyles},
    {.name = "font",
     .button = {"tbFont", "F", "Hint F", "edit-find", {ToolRow::Second, 1, 1}},
     .dropDown = &TWindowParts::mnuFont},
};

TEST_F(MenuTableTest, RowsKeepWhatTheyBuildInTheWindowsParts) {
    QMenu fonts;
    parts.mnuFont = &fonts;
    build.AddItems(menu, PartRows, *window, parts);
    build.PlaceToolButtons(firstRow, secondRow, parts);
    EXPECT_EQ(parts.mniBold, Child(menu, "bold"));
    ASSERT_NE(parts.mniStyles, nullptr);
    EXPECT_EQ(parts.mniStyles->objectName(), "styles");
    EXPECT_EQ(parts.mniStyles->menuAction(), Child(menu, "styles"));
    EXPECT_EQ(menu.findChildren<QMenu*>().size(), 1) << "the second row shares the first's menu";
    EXPECT_EQ(parts.mniStyles->title(), "Again");
    EXPECT_NE(Child(*parts.mniStyles, "inner"), nullptr);
    QAction* button = Child(secondRow, "tbFont");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->menu(), &fonts);
}

TEST_F(MenuTableTest, HandlersGetNothingTheCheckMarkOrTheTag) {
    Build();
    const int before = window->DocumentCount();
    Child(menu, "first")->trigger();
    Child(menu, "inner")->trigger();
    EXPECT_EQ(window->DocumentCount(), before + 2);
    Child(menu, "wrap")->trigger();
    EXPECT_FALSE(window->CurrentPlainEditor()->WordWrap()) << "the new check mark, off";
    window->findChild<QAction*>("FillRandomAlphanumeric1")->trigger();
    const std::string text = window->CurrentPlainEditor()->Text();
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '\r' || c == '\n';
    })) << "tag 2: alphanumeric text";
}

TEST_F(MenuTableTest, ButtonsGoInPlaceOrderWithSeparatorsBetweenGroups) {
    Build();
    EXPECT_EQ(Captions(firstRow.actions()), QStringList({"A", "|", "B", "C"}));
    EXPECT_TRUE(secondRow.actions().isEmpty());
    QAction* button = Child(firstRow, "tbSecond");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), "Hint B");
    const int before = window->DocumentCount();
    button->trigger();
    EXPECT_EQ(window->DocumentCount(), before + 1) << "a click on its menu item";
    Child(firstRow, "tbThird")->trigger();
    EXPECT_EQ(window->DocumentCount(), before + 1) << "nothing to click yet";
}

TEST_F(MenuTableTest, ItemsAndButtonsShowInTheirViewModesOnly) {
    Build();
    for (const int mode : {vmPlain, vmCode, vmRich}) {
        SCOPED_TRACE(mode);
        build.ShowFor(mode);
        EXPECT_EQ(Child(menu, "wrap")->isVisible(), mode == vmCode);
        EXPECT_EQ(Child(firstRow, "tbFirst")->isVisible(), mode == vmCode);
        EXPECT_TRUE(Child(menu, "first")->isVisible());
    }
}

TEST_F(MainWindowTest, ToolButtonsDoWhatTheirMenuItemsDo) {
    const struct {
        const char* button;
        std::function<void(TForm1&)> before;
        std::function<bool(TForm1&)> done;
    } cases[] = {
        {"tbNew", nullptr, [](TForm1& w) { return w.DocumentCount() == 2; }},
        {"tbCopy",
         [](TForm1& w) {
             w.CurrentPlainEditor()->SetText("copied");
             w.mniSelectAllClick();
         },
         [](TForm1&) { return QApplication::clipboard()->text() == "copied"; }},
        {"tbCut",
         [](TForm1& w) {
             w.CurrentPlainEditor()->SetText("cut");
             w.mniSelectAllClick();
         },
         [](TForm1& w) {
             return w.CurrentPlainEditor()->Text().empty() &&
                    QApplication::clipboard()->text() == "cut";
         }},
        {"tbPaste", [](TForm1&) { QApplication::clipboard()->setText("pasted"); },
         [](TForm1& w) { return w.CurrentPlainEditor()->Text() == "pasted"; }},
        {"tbZoomIn",
         [](TForm1& w) {
             QFont font = w.CurrentPlainEditor()->Font();
             font.setPointSize(10);
             w.CurrentPlainEditor()->SetFont(font);
         },
         [](TForm1& w) { return w.CurrentPlainEditor()->Font().pointSize() == 11; }},
        {"tbFullScreen", nullptr, [](TForm1& w) { return w.ViewOptions().FullScreen(); }},
        {"ToolButton9", [](TForm1& w) { w.CurrentPlainEditor()->SetText("ccc\r\na"); },
         [](TForm1& w) { return w.CurrentPlainEditor()->Text() == "a\r\nccc\r\n"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        window = std::make_unique<TForm1>(dialogs);
        ShowAndStart(*window);
        if (c.before)
            c.before(*window);
        QAction* button = window->findChild<QAction*>(c.button);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(Part<QToolBar>(*window, "ToolBar").actions().contains(button) ||
                    Part<QToolBar>(*window, "ToolBarSecond").actions().contains(button));
        button->trigger();
        EXPECT_TRUE(c.done(*window));
        window->ViewOptions().SetFullScreen(false);
    }
}

TEST(MenuTables, TheFunctionsMenuRunsEveryTextCommandOnce) {
    std::multiset<std::string_view> onMenu;
    const std::function<void(std::span<const MenuItem>)> collect =
        [&](std::span<const MenuItem> rows) {
            for (const MenuItem& row : rows) {
                collect(row.submenu);
                if (!row.command.empty())
                    onMenu.insert(row.command);
            }
        };
    collect(FunctionsMenu());
    std::multiset<std::string_view> known;
    for (const TextCommand& command : TextCommands())
        known.insert(command.name);
    EXPECT_EQ(onMenu, known);
}

// The letter a caption's accelerator mark gives ("&&" is an ampersand), or none.
std::optional<char> Accelerator(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return char(std::tolower(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return std::nullopt;
}

// Each key of a menu opens one item: Alt+F, P must not merely move between two.
TEST(MenuTables, NoTwoItemsOfAMenuShareAnAccelerator) {
    std::vector<std::string> clashes;
    const auto check = [&](const std::string& menu, const std::vector<const char*>& captions) {
        std::map<char, const char*> taken;
        for (const char* caption : captions) {
            const std::optional<char> key = Accelerator(caption);
            if (!key)
                continue;
            if (const auto [at, added] = taken.emplace(*key, caption); !added)
                clashes.push_back(menu + ": \"" + at->second + "\" and \"" + caption + "\"");
        }
    };
    const std::function<void(const std::string&, std::span<const MenuItem>)> walk =
        [&](const std::string& menu, std::span<const MenuItem> rows) {
            std::vector<const char*> captions;
            for (const MenuItem& row : rows) {
                if (!row.caption)
                    continue;
                captions.push_back(row.caption);
                if (row.IsSubmenu())
                    walk(menu + " > " + row.caption, row.submenu);
            }
            check(menu, captions);
        };
    walk("menu bar", MainMenu());
    walk("tab menu", TabContextMenu());
    // The editors' context menu: the items tagged for its top, then the menu bar's menus.
    std::vector<const char*> contextTop;
    for (const MenuItem& menu : MainMenu()) {
        for (const MenuItem& row : menu.submenu) {
            if (row.caption && row.tag == TEditorContextMenu::ContextMenuTopTag)
                contextTop.push_back(row.caption);
        }
    }
    ASSERT_EQ(contextTop.size(), 5u) << "Undo, Cut, Copy, Paste, Select All";
    for (const MenuItem& menu : MainMenu())
        contextTop.push_back(menu.caption);
    check("context menu", contextTop);
    EXPECT_TRUE(clashes.empty()) << testing::PrintToString(clashes);
}

} // namespace

namespace {

void CollectMenuActions(const QList<QAction*>& actions, std::set<const QAction*>& into) {
    for (QAction* action : actions) {
        into.insert(action);
        if (action->menu())
            CollectMenuActions(action->menu()->actions(), into);
    }
}

QStringList VisibleCaptions(const QMenu& menu) {
    QStringList captions;
    for (const QAction* item : menu.actions()) {
        if (item->isVisible() && !item->isSeparator())
            captions << item->text();
    }
    return captions;
}

// The mouse alone reaches the tool buttons, their drop-downs and the tab context menu (the tab
// bar takes no focus); the keyboard reaches every command through the main menu, whose menus
// open with Alt and their letter.
TEST_F(MainWindowTest, EveryCommandIsInTheMainMenu) {
    window->Files().OpenFile(WriteFile("recent.txt", "text"));
    std::set<const QAction*> inMenus;
    CollectMenuActions(window->menuBar()->actions(), inMenus);
    std::set<QString> menuCaptions;
    for (const QAction* item : inMenus)
        menuCaptions.insert(item->text().remove('&'));

    for (const MenuItem& menu : MainMenu())
        EXPECT_TRUE(Accelerator(menu.caption)) << menu.caption;

    const std::function<void(std::span<const MenuItem>)> checkButtons =
        [&](std::span<const MenuItem> rows) {
            for (const MenuItem& row : rows) {
                checkButtons(row.submenu);
                if (!row.button.name)
                    continue;
                SCOPED_TRACE(row.button.name);
                EXPECT_NE(row.caption, nullptr) << "a tool button without a menu item";
                EXPECT_TRUE(inMenus.contains(window->findChild<QAction*>(row.name)));
                if (!row.dropDown)
                    continue;
                // The drop-down the row names is the one its tool button shows.
                const QMenu* dropDown = Part<QAction>(*window, row.button.name).menu();
                ASSERT_NE(dropDown, nullptr);
                if (dropDown == &Part<QMenu>(*window, "mnuRecent")) {
                    EXPECT_EQ(VisibleCaptions(*dropDown).size(),
                              VisibleCaptions(Part<QMenu>(*window, "mniRecent")).size())
                        << "File > Recent lists the same files";
                } else {
                    EXPECT_TRUE(
                        std::any_of(inMenus.begin(), inMenus.end(),
                                    [&](const QAction* item) { return item->menu() == dropDown; }));
                }
            }
        };
    checkButtons(MainMenu());
    ASSERT_EQ(VisibleCaptions(Part<QMenu>(*window, "mnuRecent")).size(), 1);

    std::set<const QAction*> onTabMenu;
    CollectMenuActions(Part<QMenu>(*window, "mnuTabs").actions(), onTabMenu);
    for (const QAction* item : onTabMenu) {
        if (item->isSeparator())
            continue;
        EXPECT_TRUE(inMenus.contains(item) || menuCaptions.contains(item->text().remove('&')))
            << item->text().toStdString();
    }
}

} // namespace
