#include "app/qt/MainWindow.h"

#include "app/qt/ToolIcons.h"

#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TForm1::TForm1(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs(dialogs) {
    setWindowTitle("Tabrix Pro ");
    CreateMenus();
    CreateToolBar();
    CreateClientArea();
    resize(800, 600);
}

TForm1::~TForm1() = default;

void TForm1::CreateMenus() {
    QMenuBar* bar = menuBar();
    mniFile = bar->addMenu("&File");
    mniEdit = bar->addMenu("&Edit");
    mniView = bar->addMenu("&View");
    mniFunctions = bar->addMenu("F&unctions");
    mniOptions = bar->addMenu("&Options");
    mniStyle = bar->addMenu("&Style");
    mniFavorites = bar->addMenu("F&avorites");
    mniTabs = bar->addMenu("&Tabs");
    mniHelp = bar->addMenu("&Help");
    // Options belongs to code view and the window starts in plain view; Favorites is never shown.
    mniOptions->menuAction()->setVisible(false);
    mniFavorites->menuAction()->setVisible(false);
}

namespace {

struct ToolButtonSpec {
    const char* caption;
    const char* hint;
    const char* icon;
};

// Adds the buttons of one tool bar row; a null caption is a separator.
void AddButtons(QToolBar* row, std::initializer_list<ToolButtonSpec> buttons) {
    for (const ToolButtonSpec& spec : buttons) {
        if (!spec.caption) {
            row->addSeparator();
            continue;
        }
        QAction* action = row->addAction(ToolIcon(spec.icon), spec.caption);
        action->setToolTip(spec.hint);
        action->setObjectName(spec.icon);
    }
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

} // namespace

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
}

void TForm1::CreateClientArea() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    EditorArea = new QStackedWidget(client);
    layout->addWidget(EditorArea, 1);

    TabControl = new QTabBar(client);
    TabControl->setObjectName("TabControl");
    TabControl->setShape(QTabBar::RoundedSouth);
    TabControl->setFocusPolicy(Qt::NoFocus);
    TabControl->setExpanding(false);
    TabControl->setDrawBase(true);
    layout->addWidget(TabControl);
    setCentralWidget(client);

    StatusText = new QLabel(this);
    statusBar()->addWidget(StatusText, 1);
}
