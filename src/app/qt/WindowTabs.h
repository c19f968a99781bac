#pragma once
// The tabs of the window: the tab bar under the editors, the Tabs menu with an item per tab, the
// tab context menu and dragging a tab onto another. The document list is the window's: the tabs
// follow its changes and reach it through the window's public commands.

#include <QObject>
#include <QPoint>
#include <QPointer>

class QAction;
class QMenu;
class QTabBar;
class TForm1;

// What the tabs show in; the menus' own items come from their tables.
struct TTabWidgets {
    QTabBar& tabBar;
    // The Tabs menu: the tab items follow the separator.
    QMenu& tabsMenu;
    QAction& tabsSeparator;
    // Tabs > "Hide from Close All", for the current tab.
    QAction& hideCurrent;
    // The tab context menu and its "Hide from Close All", for the clicked tab.
    QMenu& contextMenu;
    QAction& hideClicked;
};

class TWindowTabs : public QObject {
public:
    // Takes the tab bar's clicks, context menu requests and drags.
    TWindowTabs(TForm1& window, const TTabWidgets& widgets);

    void mniCloseClick();
    // The tab context menu's Close: the tab it was opened on.
    void mniClose1Click();
    void mniCloseAllClick();
    void mniHidefromCloseallClick();
    // Tabs > "Hide from Close All": the same for the current tab, so the keyboard reaches it.
    void SetCurrentHiddenFromCloseAll(bool hidden);
    void mnuTabsPopup();
    void mniNextTabClick();
    void mniPreviousTabClick();
    void mniTabItemClick(int position);
    void TabControlChange();
    void TabControlMouseDown(Qt::MouseButton button, QPoint position);
    void TabControlDragDrop(QPoint position);

    // The tab bar and the Tabs menu follow the document list one change at a time, so work
    // on one tab does not grow with the number of tabs.
    // A tab and a Tabs menu item for the document just inserted at position.
    void AddTab(int position);
    // Takes away the tab and item of the document just removed from position.
    void RemoveTab(int position);
    // Shows the caption of the document at position on its tab and its item, and names its
    // editors after it.
    void ShowTabCaption(int position);
    void ShowTabBarWhenNeeded();
    // Checks the Tabs menu's item of that tab, and no other.
    void CheckTabItem(int position);
    // The Tabs menu's "Hide from Close All" shows the current tab's flag.
    void CheckHiddenFromCloseAll();

protected:
    // Presses, drags and drops on the tab bar.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The Tabs menu's item of that tab; none past the last.
    QAction* TabItem(int position) const;
    // The context menu was opened on a tab.
    bool OnClickedTab() const;

    TForm1& window;
    TTabWidgets widgets;
    QPointer<QAction> checkedTabItem;
    int clickedTabIndex = -1;
    int dragSourceIndex = -1;
    QPoint dragStart;
};
