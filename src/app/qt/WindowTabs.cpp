// The tab bar, the Tabs menu and the tab context menu: their tables and their commands.

#include "app/qt/WindowTabs.h"

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/PathNames.h"
#include "richedit/qt/RichEdit.h"

#include <QApplication>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabBar>
#include <utility>

namespace {

const char* const TabDragMimeType = "application/x-tabrix-tab";

QString TabCaption(const TMyMemo& document) {
    if (document.FileName.isEmpty())
        return "Blank";
    return ShownFileName(document.FileName);
}

// A screen reader names an editor as the tab names its document, and says which editor it is.
void NameEditors(const TMyMemo& document) {
    const QString name = TabCaption(document);
    const std::pair<QWidget*, const char*> editors[] = {
        {document.PlainEditor, "Plain text"},
        {document.CodeEditor, "Code"},
        {document.RichEditor, "Rich text"},
    };
    for (const auto& [editor, kind] : editors) {
        editor->setAccessibleName(name);
        editor->setAccessibleDescription(kind);
    }
}

} // namespace

std::span<const MenuItem> TabsMenu() {
    static const MenuItem rows[] = {
        // Ctrl+Tab must reach the window even while an editor that takes Tab has the focus.
        {.name = "mniNextTab",
         .caption = "&Next Tab",
         .shortcuts = {"Ctrl+Tab"},
         .handler = CallOn<&TForm1::Tabs, &TWindowTabs::mniNextTabClick>,
         .shortcutContext = Qt::ApplicationShortcut},
        {.name = "mniPreviousTab",
         .caption = "&Previous Tab",
         .shortcuts = {"Ctrl+Shift+Tab"},
         .handler = CallOn<&TForm1::Tabs, &TWindowTabs::mniPreviousTabClick>,
         .shortcutContext = Qt::ApplicationShortcut},
        {},
        // The tab context menu's commands, for the current tab: the mouse alone opens that menu.
        {.name = "mniHideCurrentFromCloseAll",
         .caption = "&Hide from Close All",
         .handler = CallOn<&TForm1::Tabs, &TWindowTabs::SetCurrentHiddenFromCloseAll>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniHideCurrentFromCloseAll},
        {.name = "mniViewMode",
         .caption = "&View Mode",
         .submenu = ViewModeMenu(),
         .menu = &TWindowParts::mniViewModeMenu},
        {.name = "mniCodeEditorMode",
         .caption = "&Code Editor Mode",
         .submenu = CodeEditorModeMenu(),
         .menu = &TWindowParts::mniCodeEditorModeMenu},
        {},
        // Never shown; the tab items follow it.
        {.name = "mniTabsSeparator",
         .modes = NoViewMode,
         .action = &TWindowParts::mniTabsSeparator},
    };
    return rows;
}

std::span<const MenuItem> TabContextMenu() {
    static const MenuItem rows[] = {
        {.name = "mniHidefromCloseall",
         .caption = "Hide from Close All",
         .handler = CallOn<&TForm1::Tabs, &TWindowTabs::mniHidefromCloseallClick>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniHidefromCloseall},
        {.name = "mniClose1",
         .caption = "Close",
         .handler = CallOn<&TForm1::Tabs, &TWindowTabs::mniClose1Click>},
        {},
        {.caption = "&View Mode", .menu = &TWindowParts::mniViewModeMenu},
        {.caption = "&Code Editor Mode", .menu = &TWindowParts::mniCodeEditorModeMenu},
    };
    return rows;
}

TWindowTabs::TWindowTabs(TForm1& window, const TTabWidgets& widgets)
    : window(window), widgets(widgets) {
    widgets.tabBar.setShape(QTabBar::RoundedSouth);
    widgets.tabBar.setFocusPolicy(Qt::NoFocus);
    widgets.tabBar.setExpanding(false);
    widgets.tabBar.setDrawBase(true);
    widgets.tabBar.setAcceptDrops(true);
    widgets.tabBar.setContextMenuPolicy(Qt::CustomContextMenu);
    widgets.tabBar.installEventFilter(this);
    connect(&widgets.tabBar, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index != this->window.CurrentIndex()) {
            this->window.SelectIndex(index);
            TabControlChange();
        }
    });
    connect(&widgets.tabBar, &QWidget::customContextMenuRequested, this, [this](QPoint position) {
        mnuTabsPopup();
        this->widgets.contextMenu.popup(this->widgets.tabBar.mapToGlobal(position));
    });
}

bool TWindowTabs::OnClickedTab() const {
    return clickedTabIndex >= 0 && clickedTabIndex < window.DocumentCount();
}

void TWindowTabs::mniCloseClick() {
    window.CloseDocument(window.CurrentIndex());
    window.FocusActiveEditor();
}

void TWindowTabs::mniClose1Click() {
    if (!OnClickedTab())
        return;
    window.CloseDocument(clickedTabIndex);
    window.FocusActiveEditor();
}

void TWindowTabs::mniCloseAllClick() {
    for (int position = window.DocumentCount() - 1; position >= 0; --position) {
        if (!window.DocumentAt(position).HiddenFromCloseAll)
            window.CloseDocument(position);
    }
    window.FocusActiveEditor();
}

void TWindowTabs::mniHidefromCloseallClick() {
    if (!OnClickedTab())
        return;
    TMyMemo& document = window.DocumentAt(clickedTabIndex);
    document.HiddenFromCloseAll = !document.HiddenFromCloseAll;
    CheckHiddenFromCloseAll();
}

void TWindowTabs::SetCurrentHiddenFromCloseAll(bool hidden) {
    window.CurrentDocument().HiddenFromCloseAll = hidden;
}

void TWindowTabs::CheckHiddenFromCloseAll() {
    widgets.hideCurrent.setChecked(window.CurrentDocument().HiddenFromCloseAll);
}

void TWindowTabs::mnuTabsPopup() {
    widgets.hideClicked.setChecked(OnClickedTab() &&
                                   window.DocumentAt(clickedTabIndex).HiddenFromCloseAll);
}

void TWindowTabs::mniNextTabClick() {
    const int next = window.CurrentIndex() + 1;
    window.SelectIndex(next < window.DocumentCount() ? next : 0);
    window.RefreshCurrentTab();
}

void TWindowTabs::mniPreviousTabClick() {
    const int previous = window.CurrentIndex() - 1;
    window.SelectIndex(previous >= 0 ? previous : window.DocumentCount() - 1);
    window.RefreshCurrentTab();
}

void TWindowTabs::mniTabItemClick(int position) {
    window.SelectIndex(position);
    window.RefreshCurrentTab();
}

void TWindowTabs::TabControlChange() {
    window.RefreshCurrentTab();
}

void TWindowTabs::TabControlMouseDown(Qt::MouseButton button, QPoint position) {
    if (button == Qt::RightButton)
        clickedTabIndex = widgets.tabBar.tabAt(position);
    else if (button == Qt::LeftButton)
        dragSourceIndex = widgets.tabBar.tabAt(position);
}

void TWindowTabs::TabControlDragDrop(QPoint position) {
    const int target = widgets.tabBar.tabAt(position);
    if (target < 0 || dragSourceIndex < 0 || dragSourceIndex >= window.DocumentCount())
        return;
    // An exchange, not a move: A B C D with A dropped on D gives D B C A.
    window.ExchangeDocuments(dragSourceIndex, target);
    ShowTabCaption(dragSourceIndex);
    ShowTabCaption(target);
    window.SelectIndex(target);
    window.RefreshCurrentTab();
}

bool TWindowTabs::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        TabControlMouseDown(mouse->button(), mouse->position().toPoint());
        dragStart = mouse->position().toPoint();
        // A right-button press only records the tab; the tab bar would make it current.
        if (mouse->button() == Qt::RightButton)
            return true;
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool dragging = (mouse->buttons() & Qt::LeftButton) && dragSourceIndex >= 0 &&
                              (mouse->position().toPoint() - dragStart).manhattanLength() >=
                                  QApplication::startDragDistance();
        if (dragging) {
            auto* drag = new QDrag(&widgets.tabBar);
            auto* data = new QMimeData;
            data->setData(TabDragMimeType, QByteArray::number(dragSourceIndex));
            drag->setMimeData(data);
            drag->exec(Qt::MoveAction);
            return true;
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData()->hasFormat(TabDragMimeType)) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasFormat(TabDragMimeType)) {
            TabControlDragDrop(drop->position().toPoint());
            drop->acceptProposedAction();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

QAction* TWindowTabs::TabItem(int position) const {
    const QList<QAction*> items = widgets.tabsMenu.actions();
    return items.value(items.indexOf(&widgets.tabsSeparator) + 1 + position);
}

void TWindowTabs::AddTab(int position) {
    NameEditors(window.DocumentAt(position));
    const QString caption = WithoutAcceleratorMarks(TabCaption(window.DocumentAt(position)));
    {
        // The tab bar keeps the current tab; the caller selects.
        const QSignalBlocker blocker(widgets.tabBar);
        widgets.tabBar.insertTab(position, caption);
    }
    auto* item = new QAction(caption, &widgets.tabsMenu);
    item->setCheckable(true);
    // The item's place in the menu is its tab's, also after tabs before it come and go.
    connect(item, &QAction::triggered, this, [this, item] {
        const QList<QAction*> items = widgets.tabsMenu.actions();
        mniTabItemClick(int(items.indexOf(item) - items.indexOf(&widgets.tabsSeparator) - 1));
    });
    widgets.tabsMenu.insertAction(TabItem(position), item);
    ShowTabBarWhenNeeded();
}

void TWindowTabs::RemoveTab(int position) {
    {
        const QSignalBlocker blocker(widgets.tabBar);
        widgets.tabBar.removeTab(position);
    }
    delete TabItem(position);
    ShowTabBarWhenNeeded();
}

void TWindowTabs::ShowTabCaption(int position) {
    NameEditors(window.DocumentAt(position));
    const QString caption = WithoutAcceleratorMarks(TabCaption(window.DocumentAt(position)));
    widgets.tabBar.setTabText(position, caption);
    TabItem(position)->setText(caption);
}

void TWindowTabs::ShowTabBarWhenNeeded() {
    widgets.tabBar.setVisible(window.DocumentCount() > 1 ||
                              window.CurrentDocument().ViewMode != vmPlain);
}

void TWindowTabs::CheckTabItem(int position) {
    QAction* item = TabItem(position);
    if (checkedTabItem && checkedTabItem != item)
        checkedTabItem->setChecked(false);
    checkedTabItem = item;
    if (item)
        item->setChecked(true);
}
