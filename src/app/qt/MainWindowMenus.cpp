// The main menu, the tab context menu, the quick font menu and the tool bar, built from the
// menu tables.

#include "app/qt/MainWindowMenus.h"

#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/RecentMenus.h"
#include "app/qt/ViewOptions.h"
#include "settings/qt/QuickFont.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

std::span<const MenuItem> MainMenu() {
    static const MenuItem rows[] = {
        {.name = "mniFile",
         .caption = "&File",
         .submenu = FileMenu(),
         .menu = &TWindowParts::mniFile},
        {.name = "mniEdit",
         .caption = "&Edit",
         .submenu = EditMenu(),
         .menu = &TWindowParts::mniEdit},
        {.name = "mniView",
         .caption = "&View",
         .submenu = ViewMenu(),
         .menu = &TWindowParts::mniView},
        {.name = "mniFunctions",
         .caption = "Fu&nctions",
         .modes = InPlainView,
         .submenu = FunctionsMenu(),
         .menu = &TWindowParts::mniFunctions},
        {.name = "mniFunctions2",
         .caption = "&Options",
         .modes = InCodeView,
         .submenu = OptionsMenu(),
         .menu = &TWindowParts::mniFunctions2},
        {.name = "mniFormat",
         .caption = "For&mat",
         .modes = InRichView,
         .submenu = FormatMenu(),
         .menu = &TWindowParts::mniFormat},
        {.name = "mniStyle",
         .caption = "&Style",
         .submenu = StyleMenu(),
         .menu = &TWindowParts::mniStyle},
        {.name = "mniFavorites",
         .caption = "Favo&rites",
         .modes = NoViewMode,
         .menu = &TWindowParts::mniFavorites},
        {.name = "mniTabs",
         .caption = "Ta&bs",
         .submenu = TabsMenu(),
         .menu = &TWindowParts::mniTabs},
        {.name = "mniHelp",
         .caption = "&Help",
         .submenu = HelpMenu(),
         .menu = &TWindowParts::mniHelp},
    };
    return rows;
}

namespace {

// The title is the row's name for assistive technology.
QToolBar* NewRow(QMainWindow* window, const QString& name, const QString& title) {
    auto* row = new QToolBar(title, window);
    row->setObjectName(name);
    // Before any button is added, the one tool button the row has is its own: the one that shows
    // the buttons there is no room for.
    for (QToolButton* more : row->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        more->setAccessibleName("More Buttons");
    row->setMovable(false);
    row->setFloatable(false);
    row->setIconSize(QSize(24, 24));
    row->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    window->addToolBar(Qt::TopToolBarArea, row);
    return row;
}

} // namespace

void TForm1::CreateMenus() {
    // The drop-down of the "Font Type" button, made before the buttons.
    mnuFont = new QMenu(this);
    mnuFont->setObjectName("mnuFont");
    AddQuickFontItems(*mnuFont,
                      [this](const QString& caption) { viewOptions->QuickFontClick(caption); });
    TrackQuickFontModes();
    // The Open button's drop-down; File > "Recent" comes with the File menu.
    mnuRecent = new QMenu(this);
    mnuRecent->setObjectName("mnuRecent");

    menus.AddMenus(*menuBar(), MainMenu(), *this, *this);
    mnuTabs = new QMenu(this);
    mnuTabs->setObjectName("mnuTabs");
    menus.AddItems(*mnuTabs, TabContextMenu(), *this, *this);
    recent = std::make_unique<TRecentMenus>(*mniRecent, *mnuRecent, [this](const QString& entry) {
        fileCommands->OpenRecentFile(entry);
    });
}

void TForm1::CreateToolBar() {
    ToolBar = NewRow(this, "ToolBar", "Standard");
    addToolBarBreak(Qt::TopToolBarArea);
    ToolBarSecond = NewRow(this, "ToolBarSecond", "Text Tools");
    menus.PlaceToolButtons(*ToolBar, *ToolBarSecond, *this);
}
