#pragma once
// mnuPopup, the context menu of every editor and of the tool bars: a live copy of the main menu,
// so every command stays reachable while the menu bar is hidden. Items tagged ContextMenuTopTag
// come first, at the top level.

class QAbstractScrollArea;
class QMainWindow;
class QMenu;
class QToolBar;

class TEditorContextMenu {
public:
    // Main-menu items with this tag (QAction::data) sit at the top of the context menu.
    static constexpr int ContextMenuTopTag = 99;

    // The menu is the window's child; it opens on the tool bars.
    TEditorContextMenu(QMainWindow& window, QToolBar& firstRow, QToolBar& secondRow);

    // The menu opens on the editor too.
    void WatchEditor(QAbstractScrollArea& editor);
    // Rebuilds the menu from the main menu.
    void MirrorMainMenu();

private:
    QMainWindow& window;
    QMenu* popup;
};
