#pragma once
// The menu items whose check marks are options a settings file keeps: the view options part
// applies them, the settings part reads and writes them.

class QAction;

struct TOptionItems {
    QAction& alwaysOnTop;
    QAction& toolWindowMode;
    QAction& wordWrap;
    QAction& hScrollBar;
    QAction& vScrollBar;
    QAction& statusBar;
    QAction& mainMenu;
    QAction& toolBarShown;
    QAction& lineNumbers;
};
