#pragma once
// TWindowParts: the menus, actions, bars, labels and dialogs the main window builds and keeps.
// The window holds them through a private base, so only the window's own code and the menu
// tables (through member pointers) reach them; other code asks the window, and tests find
// them by object name. Holds pointers only: it owns, builds and wires nothing.

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;
class QTimer;
class QToolBar;
class TAboutBox;
class TForm2;
class TForm4;
class TSearchController;

struct TWindowParts {
    QMenu* mniFile = nullptr;
    QMenu* mniEdit = nullptr;
    QMenu* mniView = nullptr;
    QMenu* mniFunctions = nullptr;
    QMenu* mniFunctions2 = nullptr; // "Options"
    QMenu* mniStyle = nullptr;
    QMenu* mniFavorites = nullptr;
    QMenu* mniTabs = nullptr;
    QMenu* mniHelp = nullptr;
    QMenu* mniFormat = nullptr;
    QAction* mniBold = nullptr;
    QAction* mniItalic = nullptr;
    QAction* mniUnderline = nullptr;
    QAction* mniStrikeOut = nullptr;
    QAction* mniAlignLeft = nullptr;
    QAction* mniAlignCentre = nullptr;
    QAction* mniAlignRight = nullptr;
    QAction* mniJustify = nullptr;
    QAction* mniBullets = nullptr;
    QAction* mniNumbering = nullptr;
    QMenu* mnuTabs = nullptr;
    QAction* mniHidefromCloseall = nullptr;
    QAction* mniHideCurrentFromCloseAll = nullptr;
    // Shared by the Tabs menu and the tab context menu.
    QMenu* mniViewModeMenu = nullptr;
    QMenu* mniCodeEditorModeMenu = nullptr;
    QAction* mniPlain = nullptr;
    QAction* mniSyn = nullptr;
    QAction* mniRich = nullptr;
    QAction* mniTabsSeparator = nullptr;
    QToolBar* ToolBar = nullptr;       // first row
    QToolBar* ToolBarSecond = nullptr; // second row
    QStackedWidget* EditorArea = nullptr;
    QTabBar* TabControl = nullptr;
    QLabel* StatusBarText = nullptr;
    QLabel* StatusBarEncoding = nullptr;   // the current document's encoding
    QLabel* StatusBarLineBreaks = nullptr; // its line breaks: "LF", "CR LF", "CR" or "Mixed"
    QLabel* StatusBarBinary = nullptr;     // shown while it looks like no text
    QLabel* StatusBarLostItems = nullptr;  // what reading the current rich file left out
    QTimer* Timer1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm4* Form4 = nullptr;
    TSearchController* search = nullptr;
    TAboutBox* AboutBox = nullptr;
    QAction* mniFullScreen = nullptr;
    QAction* mniAlwaysOnTop = nullptr;
    QAction* mniHideCaption = nullptr;
    QAction* mniWordWrap = nullptr;
    QAction* mniHScrollbar = nullptr;
    QAction* mniVScrollbar = nullptr;
    QAction* mniStatusbar = nullptr;
    QAction* mniViewMainMenu = nullptr;
    QAction* mniViewToolbar = nullptr;
    QAction* mniShowToolbarCaptions = nullptr;
    QAction* Showlinenumbers1 = nullptr;
    QAction* mniBackground = nullptr;
    QAction* mniFontColor = nullptr;
    QAction* mniFont = nullptr;
    QAction* mniDecreaseFont = nullptr;
    QAction* mniIncreaseFont = nullptr;
    QAction* mniSaveStyle = nullptr;
    QAction* OpenOrganize1 = nullptr;
    QAction* mniReset = nullptr;
    QAction* mniAbout = nullptr;
    QMenu* mniStyles = nullptr;
    QMenu* mnuFont = nullptr;
    QMenu* mniRecent = nullptr; // File > "Recent": full paths
    QMenu* mniReopenWithEncoding = nullptr;
    QMenu* mniSaveWithEncoding = nullptr;
    QMenu* mnuRecent = nullptr; // the Open button's drop-down: names only
    QMenu* mniLineEndings = nullptr;
    QAction* SaveProjectAs1 = nullptr;
};
