#pragma once
// TForm1, the main window: owns the document list, the editors of every document, the menus,
// the tool bar, the tab bar and the status bar, and every command handler of the program.
// Handlers are thin entry points: the menus are tables next to them (MenuTable.h), and the work
// of a subsystem's commands lives in its own src/<subsystem>/qt/.

#include "app/qt/Document.h"
#include "app/qt/MenuTable.h"
#include "app/qt/WindowParts.h"
#include "platform/Progress.h"

#include <QMainWindow>
#include <QPoint>
#include <QRect>
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
class QAction;
class StatusBarProgress;
class TSearchController;
class TOutputCommands;
class TRecentMenus;
class TWindowProjects;
class TWindowRecovery;
class TRichFormatCommands;
class TWindowFrame;
class QAbstractScrollArea;
struct WindowSettings;
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
    void mniCloseClick();
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
    void RefreshCurrentTab();
    void ApplyAppearanceToAllDocuments();
    // Gives one document's editors the look of the model editor.
    void ApplyAppearance(TMyMemo& document, const TMemo& model);
    void UpdateTitle();
    void Memo01Change();

    // ---- Window and view options ----
    // Each setter sets its menu item's check mark, then applies it.
    void SetFullScreen(bool on);
    bool FullScreen() const { return fullScreen; }
    // The window's outer rectangle when full screen was entered.
    QRect RestoreBounds() const { return restoreBounds; }
    void mniFullScreenClick();
    void SetAlwaysOnTop(bool on);
    void SetToolWindowMode(bool on);
    void SetMainMenuVisible(bool on);
    void SetToolBarVisible(bool on);
    void SetStatusBarVisible(bool on);
    void SetWordWrap(bool on);
    void SetScrollBars(bool horizontal, bool vertical);
    void mniHScrollbarClick(bool on);
    void mniVScrollbarClick(bool on);
    // Captions under the tool bar icons; the tool bar's own state, which its item shows.
    bool ToolBarCaptions() const;
    void SetToolBarCaptions(bool on);
    void mniShowToolbarCaptionsClick();
    void Showlinenumbers1Click();
    void mniBackgroundClick();
    void mniFontColorClick();
    void mniFontClick();
    void QuickFontClick(const QString& caption);
    void mniIncreaseFontClick();
    void mniDecreaseFontClick();
    // Ctrl with the wheel over an editor: each notch away from the user is Increase Font Size,
    // each one towards the user Decrease Font Size.
    void ZoomByWheel(int notches);
    // Pointer movement over an editor, in the editor's coordinates.
    void Memo01MouseMove(QWidget* editor, QPoint position);
    // Rebuilds mnuPopup from the main menu.
    void MirrorMainMenu();
    // Main-menu items with this tag (QAction::data) sit at the top of the context menu.
    static constexpr int ContextMenuTopTag = 99;

    // ---- Settings and styles ----
    void LoadSettings(const QString& name, bool isMain);
    // False when the file could not be written (the user has been told).
    bool SaveSettings(const QString& name, bool isMain, int activeTab);
    const QString& CurrentStyleName() const { return currentStyleName; }
    void RebuildStylesMenu();
    void mniStyleItemClick(int position);
    void mniSaveStyleClick();
    void OpenOrganize1Click();
    void mniResetClick();
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
    // Runs the named text function on the current plain editor by its rule, after
    // TakeUndoSnapshot.
    void RunTextFunction(std::string_view command);
    // tag 0: codes 32 to 255, 1: codes 32 to 89, 2: digits and letters.
    void mniFillRandomClick(int tag);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateClientArea();
    void FormShow();
    // A document whose editors are wired to the window's handlers.
    std::unique_ptr<TMyMemo> NewDocument();
    void ConnectEditor(TSynEditWidget* editor);
    void ConnectRichEditor(TRxRichEdit* editor);
    // The rich editor takes the plain editor's font, font colour and background.
    void ApplyLookToRichEditor(TMyMemo& document, const TMemo& model);
    void FocusActiveEditor();
    // Puts the font menu's items into the view-mode switch.
    void TrackQuickFontModes();
    void ShowTabBarWhenNeeded();
    // Checks the Tabs menu's item of that tab, and no other.
    void CheckTabItem(int position);
    // The Tabs menu's "Hide from Close All" shows the current tab's flag.
    void CheckHiddenFromCloseAll();
    // The Tabs menu's item of that tab; none past the last.
    QAction* TabItem(int position) const;

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
    int savedTabIndex = -1;
    int clickedTabIndex = -1;
    int dragSourceIndex = -1;
    QPoint dragStart;
    std::unique_ptr<TFileCommands> fileCommands;
    std::unique_ptr<TDocumentFormats> formats;

    // ---- Settings and appearance ----
    // The window's frame, and the taskbar following activation in full screen.
    void WatchWindowEvents();
    void CreateContextMenu();
    // Context menu and pointer handling of one editor.
    void WatchEditor(QAbstractScrollArea* editor);
    void ForEachEditor(const std::function<void(TSynEditWidget&)>& change);
    void ChangeFontSize(int step);
    // The options and look the window has before any settings file is read.
    void ApplyDefaultLook();
    void LoadStartupSettings();
    void SaveSettingsAtExit(int activeTab);
    // The window's state as the settings files hold it.
    WindowSettings CurrentWindowSettings(int activeTab) const;

    bool fullScreen = false;
    QRect restoreBounds;
    TWindowFrame* frame = nullptr;
    QString currentStyleName = "Untitled";

    QStringList listedStyles;
    std::unique_ptr<TRecentMenus> recent;
    std::unique_ptr<TWindowProjects> projects;

    // ---- Crash recovery ----
    std::unique_ptr<TWindowRecovery> recovery;
    std::unique_ptr<TDiskChanges> diskChanges;

    std::unique_ptr<TOutputCommands> outputCommands;
    std::unique_ptr<TRichFormatCommands> formatCommands;
};
