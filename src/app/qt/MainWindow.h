#pragma once
// TForm1, the main window: owns the document list, the editors of every document, the menus,
// the tool bar, the tab bar and the status bar, and the parts that hold the commands of a
// feature (tabs, view options, output ...). Handlers are thin entry points: the menus are tables
// next to them (MenuTable.h), and the work of a subsystem's commands lives in its own
// src/<subsystem>/qt/.

#include "app/qt/Document.h"
#include "app/qt/MenuTable.h"
#include "app/qt/WindowParts.h"
#include "platform/Progress.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class Dialogs;
class TDiskChanges;
class TDocumentFormats;
class TFileCommands;
class StatusBarProgress;
class TSearchController;
class TEditorContextMenu;
class TOutputCommands;
class TRecentMenus;
class TTextFunctionCommands;
class TViewOptions;
class TWindowProjects;
class TWindowRecovery;
class TWindowSettings;
class TWindowTabs;
class TRichFormatCommands;
class TWindowFrame;
class TSynEditStringList;
class TSynEditWidget;
class TSynCustomHighlighter;

// Its parts (menus, bars, labels, dialogs) are its own: other code asks it for what it needs.
class TForm1 : public QMainWindow, private TWindowParts {
    Q_OBJECT

public:
    // arguments: the command line's files, opened when the window is first shown.
    explicit TForm1(Dialogs& dialogs, QStringList arguments = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    Dialogs& Questions() { return dialogs; }
    // Find, Replace and Find Next, with the dialogs they show.
    TSearchController& Search() { return *search; }
    bool Initialised() const { return initialised; }
    // The start-up work of the first showing (the last session's tabs, the command line's
    // files) has been done; it runs once the window is on screen.
    bool StartupDone() const { return startupDone; }
    bool Closing() const { return closing; }

    // ---- The document list ----
    int DocumentCount() const { return static_cast<int>(documents.size()); }
    int CurrentIndex() const;
    // Selects a tab without any refresh.
    void SelectIndex(int index);
    TMyMemo& DocumentAt(int index) { return *documents[static_cast<std::size_t>(index)]; }
    TMyMemo& CurrentDocument() { return DocumentAt(CurrentIndex()); }
    TMemo* CurrentPlainEditor() { return CurrentDocument().PlainEditor; }
    // The window's own instance of a highlighter class by its name ("SynHTMLSyn1"), or nothing.
    TSynCustomHighlighter* HighlighterInstance(std::string_view instanceName) const;

    void mniNewClick();
    // False when the user cancelled (or the save that was asked for did not happen).
    bool CloseDocument(int position);
    // Swaps two documents in the list; their tabs are the caller's to show.
    void ExchangeDocuments(int first, int second);
    void RefreshCurrentTab();
    void FocusActiveEditor();
    void UpdateTitle();
    void Memo01Change();
    // The tab bar, the Tabs menu and the tab context menu.
    TWindowTabs& Tabs() { return *tabs; }

    // ---- Window and view options, the editors' font and colours ----
    TViewOptions& ViewOptions() { return *viewOptions; }

    // ---- Settings and styles ----
    TWindowSettings& Settings() { return *settings; }
    void mniAboutClick();

    // ---- Opening and saving; each document's encoding and line breaks ----
    TFileCommands& Files() { return *fileCommands; }
    TDocumentFormats& Formats() { return *formats; }

    // ---- The window's parts ----
    TDiskChanges& DiskChanges() { return *diskChanges; }
    TWindowRecovery& Recovery() { return *recovery; }

    // ---- Recent files and projects ----
    TRecentMenus& Recent() { return *recent; }
    TWindowProjects& Projects() { return *projects; }

    // ---- View modes ----
    void SetViewMode(int mode);
    // Gives the editor of one view mode the text of another's, as switching modes does.
    void CarryText(TMyMemo& document, int fromMode, int toMode);
    void ShowActiveEditor();
    // Checks the "View Mode" item of the current document's view mode, and no other.
    void CheckViewModeItems();
    void UpdateModeMenus();
    // The "View Mode" items: the clicked item's tag is the mode.
    void mniPlainClick(int mode);
    // Format menu (rich view): the selection's look, and the menu's checks following it.
    TRichFormatCommands& Format() { return *formatCommands; }
    void UpdateFormatChecks();
    // Gives the current code editor the highlighter of the extension (with its dot, letter case
    // as it is); false, changing nothing, for an extension no highlighter claims.
    bool ChangeSyn(const QString& extension);
    // The "Code Editor Mode" items (html1Click ... ini1Click): the item's extension.
    void CodeEditorModeClick(std::string_view extension);

    // ---- Edit commands ----
    void TakeUndoSnapshot();
    void mniUndoClick();
    void mniCutClick();
    void mniCopyClick();
    void mniPasteClick();
    void mniDeleteClick();
    void mniSelectAllClick();
    void mniGotoClick();
    void mniFindClick();
    void FindNext1Click();
    void mniReplaceClick();
    void ShowCaretPosition();
    void Exit1Click();

    // ---- Output: HTML export, printing, speech ----
    TOutputCommands& Output() { return *outputCommands; }

    // ---- Text functions ----
    TTextFunctionCommands& TextFunctions() { return *textFunctions; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateClientArea();
    void FormShow();
    // A document whose editors are wired to the window's handlers.
    std::unique_ptr<TMyMemo> NewDocument();
    void ConnectEditor(TSynEditWidget* editor);
    void ConnectRichEditor(TRxRichEdit* editor);
    // Puts the font menu's items into the view-mode switch.
    void TrackQuickFontModes();

    Dialogs& dialogs;
    QStringList arguments;
    // The menus and tool buttons built from the tables, for the view-mode switch.
    MenuBuild menus;
    std::vector<std::unique_ptr<TMyMemo>> documents;
    // One instance of every highlighter class, as the code editors share them.
    std::vector<std::unique_ptr<TSynCustomHighlighter>> highlighters;
    bool initialised = false;
    bool closing = false;
    bool shownOnce = false;
    bool startupDone = false;
    std::unique_ptr<TFileCommands> fileCommands;
    std::unique_ptr<TDocumentFormats> formats;

    TWindowFrame* frame = nullptr;
    std::unique_ptr<TWindowSettings> settings;
    std::unique_ptr<TRecentMenus> recent;
    std::unique_ptr<TWindowProjects> projects;

    // ---- Crash recovery ----
    std::unique_ptr<TWindowRecovery> recovery;
    std::unique_ptr<TDiskChanges> diskChanges;

    std::unique_ptr<TOutputCommands> outputCommands;
    std::unique_ptr<TTextFunctionCommands> textFunctions;
    std::unique_ptr<TRichFormatCommands> formatCommands;
    std::unique_ptr<TWindowTabs> tabs;
    std::unique_ptr<TViewOptions> viewOptions;
    std::unique_ptr<TEditorContextMenu> contextMenu;
};
