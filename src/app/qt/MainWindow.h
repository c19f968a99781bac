#pragma once
// TForm1, the main window: owns the document list, the menus, the tool bar, the tab bar and the
// status bar, and every command handler of the program.

#include <QMainWindow>

class Dialogs;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolBar;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    Dialogs& Questions() { return dialogs; }

    // The menus of the menu bar, in their order.
    QMenu* mniFile = nullptr;
    QMenu* mniEdit = nullptr;
    QMenu* mniView = nullptr;
    QMenu* mniFunctions = nullptr;
    QMenu* mniOptions = nullptr;
    QMenu* mniStyle = nullptr;
    QMenu* mniFavorites = nullptr;
    QMenu* mniTabs = nullptr;
    QMenu* mniHelp = nullptr;

    QToolBar* ToolBar = nullptr;       // first row
    QToolBar* ToolBarSecond = nullptr; // second row
    QStackedWidget* EditorArea = nullptr;
    QTabBar* TabControl = nullptr;
    QLabel* StatusText = nullptr;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateClientArea();

    Dialogs& dialogs;
};
