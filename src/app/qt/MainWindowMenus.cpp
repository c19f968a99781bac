// The main menu, the tab context menu and the tool bar, wired to their handlers.

#include "app/qt/MainWindow.h"
#include "app/qt/ToolIcons.h"

#include <QMenuBar>
#include <QTabBar>
#include <QToolBar>

namespace {

QAction* AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(shortcut);
    return action;
}

QToolBar* NewRow(QMainWindow* window, const QString& name) {
    auto* row = new QToolBar(name, window);
    row->setObjectName(name);
    row->setMovable(false);
    row->setFloatable(false);
    row->setIconSize(QSize(24, 24));
    row->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    window->addToolBar(Qt::TopToolBarArea, row);
    return row;
}

struct ToolButtonDefinition {
    const char* caption = nullptr; // none: a separator
    const char* hint = nullptr;
    const char* icon = nullptr;
};

void AddButtons(QToolBar* row, std::initializer_list<ToolButtonDefinition> buttons) {
    for (const ToolButtonDefinition& button : buttons) {
        if (!button.caption) {
            row->addSeparator();
            continue;
        }
        QAction* action = row->addAction(ToolIcon(button.icon), button.caption);
        action->setToolTip(button.hint);
        action->setObjectName(button.icon);
    }
}

} // namespace

void TForm1::CreateMenus() {
    QMenuBar* bar = menuBar();
    mniFile = bar->addMenu("&File");
    mniEdit = bar->addMenu("&Edit");
    mniView = bar->addMenu("&View");
    mniFunctions = bar->addMenu("F&unctions");
    mniFunctions2 = bar->addMenu("&Options");
    mniStyle = bar->addMenu("&Style");
    mniFavorites = bar->addMenu("F&avorites");
    mniTabs = bar->addMenu("&Tabs");
    mniHelp = bar->addMenu("&Help");
    mniFavorites->menuAction()->setVisible(false);
    CreateFileMenu();
    CreateEditMenu();
    CreateFunctionsMenu();
    CreateTabsMenus();
    CreateViewMenu();
    CreateStyleMenu();
    CreateHelpMenu();
}

void TForm1::CreateFileMenu() {
    connect(AddItem(mniFile, "&New", QKeySequence("Ctrl+N")), &QAction::triggered, this,
            &TForm1::mniNewClick);
    connect(AddItem(mniFile, "&Open", QKeySequence("Ctrl+O")), &QAction::triggered, this,
            &TForm1::mniOpenClick);
    mniFile->addSeparator();
    connect(AddItem(mniFile, "&Save", QKeySequence("Ctrl+S")), &QAction::triggered, this,
            &TForm1::mniSaveClick);
    connect(AddItem(mniFile, "Save &As..."), &QAction::triggered, this, &TForm1::mniSaveAsClick);
    connect(AddItem(mniFile, "Save A&ll", QKeySequence("Ctrl+Shift+S")), &QAction::triggered, this,
            &TForm1::mniSaveAllClick);
    connect(AddItem(mniFile, "Save new &version"), &QAction::triggered, this,
            &TForm1::Savenewversion1Click);
    mniFile->addSeparator();
    connect(AddItem(mniFile, "&Close", QKeySequence("Ctrl+W")), &QAction::triggered, this,
            &TForm1::mniCloseClick);
    connect(AddItem(mniFile, "Close A&ll", QKeySequence("Ctrl+Shift+W")), &QAction::triggered, this,
            &TForm1::mniCloseAllClick);
    mniFile->addSeparator();
    connect(AddItem(mniFile, "E&xit", QKeySequence("Alt+F4")), &QAction::triggered, this,
            &TForm1::Exit1Click);
}

void TForm1::CreateEditMenu() {
    // These also open the editors' context menu.
    const auto top = [](QAction* action) {
        action->setData(ContextMenuTopTag);
        return action;
    };
    connect(top(AddItem(mniEdit, "&Undo", QKeySequence("Ctrl+Z"))), &QAction::triggered, this,
            &TForm1::mniUndoClick);
    top(mniEdit->addSeparator());
    connect(top(AddItem(mniEdit, "Cu&t", QKeySequence("Ctrl+X"))), &QAction::triggered, this,
            &TForm1::mniCutClick);
    connect(top(AddItem(mniEdit, "&Copy", QKeySequence("Ctrl+C"))), &QAction::triggered, this,
            &TForm1::mniCopyClick);
    connect(top(AddItem(mniEdit, "&Paste", QKeySequence("Ctrl+V"))), &QAction::triggered, this,
            &TForm1::mniPasteClick);
    connect(AddItem(mniEdit, "&Delete"), &QAction::triggered, this, &TForm1::mniDeleteClick);
    top(mniEdit->addSeparator());
    connect(top(AddItem(mniEdit, "Select &All", QKeySequence("Ctrl+A"))), &QAction::triggered,
            this, &TForm1::mniSelectAllClick);
    top(mniEdit->addSeparator());
    connect(AddItem(mniEdit, "&Go to", QKeySequence("Ctrl+G")), &QAction::triggered, this,
            &TForm1::mniGotoClick);
}

void TForm1::CreateTabsMenus() {
    QAction* next = AddItem(mniTabs, "&Next Tab", QKeySequence("Ctrl+Tab"));
    QAction* previous = AddItem(mniTabs, "&Previous Tab", QKeySequence("Ctrl+Shift+Tab"));
    // Ctrl+Tab must reach the window even while an editor that takes Tab has the focus.
    next->setShortcutContext(Qt::ApplicationShortcut);
    previous->setShortcutContext(Qt::ApplicationShortcut);
    connect(next, &QAction::triggered, this, &TForm1::mniNextTabClick);
    connect(previous, &QAction::triggered, this, &TForm1::mniPreviousTabClick);
    mniTabsSeparator = mniTabs->addSeparator();
    mniTabsSeparator->setVisible(false);

    mnuTabs = new QMenu(this);
    mniHidefromCloseall = AddItem(mnuTabs, "Hide from Close All");
    mniHidefromCloseall->setCheckable(true);
    connect(mniHidefromCloseall, &QAction::triggered, this, &TForm1::mniHidefromCloseallClick);
    connect(AddItem(mnuTabs, "Close"), &QAction::triggered, this, &TForm1::mniClose1Click);
}

void TForm1::CreateToolBar() {
    ToolBar = NewRow(this, "ToolBar");
    AddButtons(ToolBar, {{"New", "New", "document-new"},
                         {"Open", "Open", "document-open"},
                         {"Save", "Save", "document-save"},
                         {},
                         {"Cut", "Cut", "edit-cut"},
                         {"Copy", "Copy", "edit-copy"},
                         {"Paste", "Paste", "edit-paste"},
                         {},
                         {"Find", "Find", "edit-find"},
                         {"Replace", "Replace", "edit-find-replace"},
                         {},
                         {"Full Screen", "Full Screen", "view-fullscreen"}});
    addToolBarBreak(Qt::TopToolBarArea);
    ToolBarSecond = NewRow(this, "ToolBarSecond");
    AddButtons(ToolBarSecond, {{"Sort", "Sort Alphabetically", "sort-alphabetically"},
                               {"Sort", "Sort by Line Length", "sort-by-length"},
                               {},
                               {"Zoom In", "Zoom In", "zoom-in"},
                               {" Zoom Out", "Zoom Out", "zoom-out"},
                               {},
                               {"Font Color", "Font Color", "format-text-color"},
                               {"Background", "Background", "color-fill"},
                               {"Font Type", "Font Type", "font-type"},
                               {},
                               {"Speak", "Speak", "speak"},
                               {"Options", "Speak Settings", "speak-options"}});

    const auto wire = [this](const char* name, void (TForm1::*handler)()) {
        connect(findChild<QAction*>(name), &QAction::triggered, this, handler);
    };
    wire("document-new", &TForm1::mniNewClick);
    wire("document-open", &TForm1::mniOpenClick);
    wire("document-save", &TForm1::mniSaveClick);
    wire("edit-cut", &TForm1::mniCutClick);
    wire("edit-copy", &TForm1::mniCopyClick);
    wire("edit-paste", &TForm1::mniPasteClick);
    WireAppearanceButtons();
    CreateContextMenu();
    WireFunctionButtons();
}
