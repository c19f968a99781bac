#pragma once
// TForm1, the main window: owns the document list, the editors of every document, the menus,
// the tool bar, the tab bar and the status bar, and every command handler of the program.
// Handlers are thin: they read the editors, call the core, write the editors.

#include "app/qt/Document.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <string_view>
#include <vector>

class Dialogs;
class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;
class QTimer;
class QToolBar;
class QToolButton;
class TForm2;
class TForm4;
class TSynEditStringList;
class TSynEditWidget;
class TSynCustomHighlighter;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // arguments: the command line's files, opened when the window is first shown.
    explicit TForm1(Dialogs& dialogs, QStringList arguments = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    Dialogs& Questions() { return dialogs; }
    bool Initialised() const { return initialised; }
    bool Closing() const { return closing; }

    // ---- The document list ----
    int DocumentCount() const { return static_cast<int>(documents.size()); }
    int CurrentIndex() const;
    // Selects a tab without any refresh.
    void SelectIndex(int index);
    TMyMemo& DocumentAt(int index) { return *documents[static_cast<std::size_t>(index)]; }
    TMyMemo& CurrentDocument() { return DocumentAt(CurrentIndex()); }
    TMemo* CurrentPlainEditor() { return CurrentDocument().PlainEditor; }
    // The line list of the current document's editor for its view mode.
    TSynEditStringList& CurrentLines();
    // The editor of the document's view mode.
    TSynEditWidget* ActiveEditor(const TMyMemo& document) const;
    // The window's own instance of a highlighter class by its name ("SynHTMLSyn1"), or nothing.
    TSynCustomHighlighter* HighlighterInstance(std::string_view instanceName) const;

    void mniNewClick();
    // False when the user cancelled (or the save that was asked for did not happen).
    bool CloseDocument(int position);
    void mniCloseClick();
    void mniClose1Click();
    void mniCloseAllClick();
    void mniHidefromCloseallClick();
    void mnuTabsPopup();
    void mniNextTabClick();
    void mniPreviousTabClick();
    void mniTabItemClick(int position);
    void TabControlChange();
    void TabControlMouseDown(Qt::MouseButton button, QPoint position);
    void TabControlDragDrop(QPoint position);
    void RebuildTabs();
    void RefreshCurrentTab();
    void ApplyAppearanceToAllDocuments();
    void UpdateTitle();
    void Memo01Change();

    // ---- Opening and saving ----
    void mniOpenClick();
    void OpenFile(const QString& path);
    void mniSaveClick();
    void mniSaveAsClick();
    void mniSaveAllClick();
    void Savenewversion1Click();
    // True when the file was written.
    bool SaveDocument(int position);
    // True when a name was chosen and the file was written.
    bool SaveDocumentAs(int position);

    // ---- View modes ----
    void SetViewMode(int mode);
    void ShowActiveEditor();
    void UpdateModeMenus();

    // ---- Edit commands ----
    void TakeUndoSnapshot();
    void mniUndoClick();
    void mniCutClick();
    void mniCopyClick();
    void mniPasteClick();
    void mniDeleteClick();
    void mniSelectAllClick();
    void mniGotoClick();
    void ShowCaretPosition();
    void Exit1Click();

    // ---- Components other code and tests reach ----
    QMenu* mniFile = nullptr;
    QMenu* mniEdit = nullptr;
    QMenu* mniView = nullptr;
    QMenu* mniFunctions = nullptr;
    QMenu* mniOptions = nullptr;
    QMenu* mniStyle = nullptr;
    QMenu* mniFavorites = nullptr;
    QMenu* mniTabs = nullptr;
    QMenu* mniHelp = nullptr;
    QMenu* mnuTabs = nullptr;
    QAction* mniHidefromCloseall = nullptr;
    QAction* mniTabsSeparator = nullptr;
    QToolBar* ToolBar = nullptr;       // first row
    QToolBar* ToolBarSecond = nullptr; // second row
    QStackedWidget* EditorArea = nullptr;
    QTabBar* TabControl = nullptr;
    QLabel* StatusBarText = nullptr;
    QTimer* Timer1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm4* Form4 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateTabsMenus();
    void CreateToolBar();
    void CreateClientArea();
    void FormShow();
    // Creates the three editors of a document, hidden, wired to the window's handlers.
    void CreateEditors(TMyMemo& document);
    void DestroyEditors(TMyMemo& document);
    void ConnectEditor(TSynEditWidget* editor);
    void FocusActiveEditor();
    void ShowTabBarWhenNeeded();
    // Writes text to path; shows "File <path> has not been saved" on failure.
    bool WriteDocumentFile(const QString& path, const std::string& bytes);
    std::string DocumentBytes(const TMyMemo& document) const;
    bool LoadPlainText(TMyMemo& document, const QString& path);

    Dialogs& dialogs;
    QStringList arguments;
    std::vector<std::unique_ptr<TMyMemo>> documents;
    // One instance of every highlighter class, as the code editors share them.
    std::vector<std::unique_ptr<TSynCustomHighlighter>> highlighters;
    bool initialised = false;
    bool closing = false;
    bool shownOnce = false;
    int savedTabIndex = -1;
    int clickedTabIndex = -1;
    int dragSourceIndex = -1;
    QPoint dragStart;
    // The file dialogs keep what they last showed, as the common dialog components do.
    QString openDialogFolder;
    int openDialogFilterIndex = 1;
    QString saveDialogFileName;
    int saveDialogFilterIndex = 1;
    QString saveDialogDefaultExtension;
};
