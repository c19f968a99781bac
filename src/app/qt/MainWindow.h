#pragma once
// TForm1, the main window: owns the document list, the editors of every document, the menus,
// the tool bar, the tab bar and the status bar, and every command handler of the program.
// Handlers are thin entry points: the menus are tables next to them (MenuTable.h), and the work
// of a subsystem's commands lives in its own src/<subsystem>/qt/.

#include "app/RecentList.h"
#include "app/qt/Document.h"
#include "app/qt/MenuTable.h"
#include "app/qt/WindowParts.h"
#include "output/qt/Printing.h"
#include "platform/LineBreak.h"
#include "platform/Progress.h"
#include "platform/Speech.h"
#include "recovery/qt/RecoveryKeeper.h"

#include <QMainWindow>
#include <QMargins>
#include <QPoint>
#include <QPrinter>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class Dialogs;
class DiskWatch;
class QAction;
class StatusBarProgress;
class TSearchController;
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
    // The line list of the current document's editor for its view mode.
    TSynEditStringList& CurrentLines();
    // The editor of the document's view mode when it is one of our engine (plain or code view);
    // nothing in rich view.
    TSynEditWidget* ActiveEditor(const TMyMemo& document) const;
    // The rich editor in rich view, else nothing.
    TRxRichEdit* ActiveRichEditor(const TMyMemo& document) const;
    // The editor of the document's view mode, whichever it is.
    QWidget* ActiveWidget(const TMyMemo& document) const;
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
    // Bounds set while the window was hidden, applied again once its frame is known.
    void ApplyPendingOuterBounds();
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

    // ---- Opening and saving ----
    void mniOpenClick();
    void OpenFile(const QString& path);
    void mniSaveClick();
    void mniSaveAsClick();
    void mniSaveAllClick();
    void Savenewversion1Click();
    // True when the file was written.
    // askAboutLoss: saving over the file the rich editor read asks first when reading it left
    // items out.
    bool SaveDocument(int position, bool askAboutLoss = true);
    // True when a name was chosen and the file was written.
    bool SaveDocumentAs(int position);

    // ---- Document encodings ----
    // Sets the document's encoding and tells its editors; the bytes they hold stay as they are.
    void SetDocumentEncoding(TMyMemo& document, const DocumentEncoding& encoding);
    // File > "Reopen with Encoding" and "Save with Encoding": the item's tag is the position
    // of its encoding in its menu.
    void ReopenWithEncodingClick(int choice);
    void SaveWithEncodingClick(int choice);

    // ---- Document line breaks ----
    // File > "Line Endings": the item's tag is the TSynEditFileFormat every line of the current
    // document gets, as one undoable edit.
    void LineEndingsClick(int format);
    // New documents' files get the named break ("LF", "CR LF", "CR"); any other name: the
    // platform's.
    void SetNewDocumentLineBreaks(const std::string& name);
    // ---- Files changed by other programs ----
    // Looks at the file of every document: an unmodified document reloads, a modified one asks
    // first, a deleted file marks its document modified so that its text is not lost.
    void CheckFilesOnDisk();
    // The document's file on disk, as stamped (before loading, after saving), is the one its
    // text came from or went to; nothing: no file is known for it.
    void RememberDiskFile(TMyMemo& document, const std::optional<FileStamp>& stamp);

    // ---- Recent files and projects ----
    void AddRecentFile(const QString& path);
    // The recent entries, slot 0 (the newest) first.
    std::vector<QString> RecentFiles() const;
    // The list as the settings file gives it.
    void SetRecentFiles(std::vector<std::string> entries);
    void mniRecentItemClick(int slot);
    void SaveProjectAs1Click();
    // False when the file could not be written (the user has been told).
    bool SaveProject(const QString& destination);
    void LoadProject(const QString& path);
    // The project file last loaded or saved; empty when there is none.
    const QString& CurrentProject() const { return currentProject; }

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
    void mniBoldClick(bool on);
    void mniItalicClick(bool on);
    void mniUnderlineClick(bool on);
    void mniStrikeOutClick(bool on);
    void mniFormatFontClick();
    void mniTextColourClick();
    void mniHighlightColourClick();
    void mniAlignClick(int alignment);
    void mniBulletsClick();
    void mniNumberingClick();
    void mniIndentClick(int steps);
    void UpdateFormatChecks();
    // Gives the current code editor the highlighter of the extension (with its dot, letter case
    // as it is); false, changing nothing, for an extension no highlighter claims.
    bool ChangeSyn(const QString& extension);
    // The rich editor's extensions, compared exactly.
    static bool ChangeRich(const QString& extension);
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
    void mniHTMLExportClick(int tag);
    // "HTML File with Colours": the page as the active editor colours it.
    void mniHTMLExportColoursClick();
    void PreviewinBrowser1Click();
    void Print1Click();
    void PrintPreview1Click();
    void Pagesetup1Click();
    void mniSpeakClick();
    void mniSpeakSettingsClick();

    // ---- Text functions ----
    // Runs the named text function on the current plain editor by its rule, after
    // TakeUndoSnapshot.
    void RunTextFunction(std::string_view command);
    // tag 0: codes 32 to 255, 1: codes 32 to 89, 2: digits and letters.
    void mniFillRandomClick(int tag);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The current rich editor when the current document is in rich view, else none.
    TRxRichEdit* FormatTarget();
    void CreateMenus();
    void CreateToolBar();
    void CreateClientArea();
    void FormShow();
    // Creates the three editors of a document, hidden, wired to the window's handlers.
    void CreateEditors(TMyMemo& document);
    void DestroyEditors(TMyMemo& document);
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
    // The text a save writes, whole: for the saves that convert it on the way.
    std::string DocumentBytes(const TMyMemo& document, const ProgressHook& progress) const;
    // OpenFile, but a path that names no file is not reported: its message is given back.
    std::optional<QString> OpenFileUnlessMissing(const QString& path);
    // Reads the file into the document's plain editor in the encoding `choose` finds for its
    // bytes; the error's text when it cannot be read.
    std::optional<std::string>
    LoadPlainText(TMyMemo& document, const std::string& path,
                  const std::function<DocumentEncoding(std::string_view)>& choose);
    // Reads a rich-text file (RTF, else plain text) into the document's rich editor; the error's
    // text when it cannot be read.
    std::optional<std::string> LoadRichText(TMyMemo& document, const std::string& path);
    // The file's bytes for the document's text in its encoding; nothing when characters the
    // encoding cannot hold would be lost and the user would rather not save.
    std::optional<std::string> BytesToSave(const TMyMemo& document, StatusBarProgress& progress);
    // A byte-order mark in the file, else the encoding the user last gave the file, else the
    // one its bytes show.
    DocumentEncoding EncodingForFile(const std::string& path, std::string_view bytes) const;
    // Keeps the encoding of a file just written or reopened for the next time it is opened.
    void RememberDocumentEncoding(const TMyMemo& document);
    // Whether to go on when count characters cannot be held by the encoding and become "?".
    bool AcceptLostCharacters(const TMyMemo& document, std::size_t count,
                              const DocumentEncoding& encoding, const QString& action);
    void ShowDocumentEncoding();
    // Checks the items of the current document's encoding in both encoding menus.
    void MarkDocumentEncoding();
    // The status bar's line breaks and binary note, and the checks of "Line Endings".
    void ShowDocumentLineBreaks();
    // An empty document's breaks: those of new documents.
    void GiveNewDocumentLineBreaks(TMyMemo& document) const;
    // The text a save writes: the editor of the document's view mode, piece by piece.
    void WriteDocument(const TMyMemo& document, const std::function<bool(std::string_view)>& write,
                       const ProgressHook& progress) const;
    // Rich view's plain text in the document's encoding, its lines joined by the breaks they
    // had when the text went into rich view, adding to unencodable the characters that became
    // '?'.
    std::string RichViewText(const TMyMemo& document, const ProgressHook& progress,
                             std::size_t& unencodable) const;

    Dialogs& dialogs;
    QStringList arguments;
    // The menus and tool buttons built from the tables, for the view-mode switch.
    MenuBuild menus;
    std::vector<std::unique_ptr<TMyMemo>> documents;
    // One instance of every highlighter class, as the code editors share them.
    std::vector<std::unique_ptr<TSynCustomHighlighter>> highlighters;
    // The rich editor's text as CurrentLines gives it in rich view.
    std::unique_ptr<TSynEditStringList> richLines;
    bool initialised = false;
    bool closing = false;
    bool shownOnce = false;
    bool startupDone = false;
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
    TSynEditFileFormat newDocumentLineBreaks =
        FileFormatOfBreak(PlatformLineBreak()).value_or(TSynEditFileFormat::sffDos);

    // ---- Settings and appearance ----
    // Pending bounds applied once shown; the taskbar following activation in full screen.
    void WatchWindowEvents();
    void CreateContextMenu();
    // Context menu and pointer handling of one editor.
    void WatchEditor(QAbstractScrollArea* editor);
    void SetWindowFlagKeepingShown(Qt::WindowType flag, bool on);
    void SetWindowFlagsKeepingShown(Qt::WindowFlags flags);
    QMargins FrameMargins() const;
    QRect OuterBounds() const;
    void SetOuterBounds(const QRect& bounds);
    QRect WorkArea() const;
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
    std::optional<QRect> pendingOuterBounds;
    QString currentStyleName = "Untitled";

    // ---- Files changed by other programs ----
    void CheckFileOnDisk(int position);
    // Reads the document's file again into the editor of its view mode, keeping the caret's
    // line and the scroll where the new text allows.
    void ReloadFromDisk(int position);
    // Before writing over the document's file: true unless another program changed the file
    // since the document last read or wrote it and the user chose not to overwrite it.
    bool MayOverwriteOnDisk(const TMyMemo& document);
    void WatchDocumentFiles();

    DiskWatch* diskWatch = nullptr;

    // ---- Recent files and projects ----
    // The slots of File > "Recent" and of the Open button's drop-down, hidden until used.
    void CreateRecentItems();
    void RefreshRecentMenus();
    // The status bar's field of the current project, hidden while there is none.
    void CreateProjectField();
    void SetCurrentProject(const QString& path);
    // Close All, then the project: how the Open dialog and the recent list open one.
    void OpenProjectReplacingTabs(const QString& path);
    void SaveCurrentProject();
    void LoadDefaultProject();
    void SaveDefaultProject();

    RecentList recentList;
    QString currentProject;
    QString saveProjectDialogFileName;
    QStringList listedStyles;

    // ---- Output ----
    // The whole text of the current document's editor for its view mode.
    std::string ActiveText();
    PrintJob CurrentPrintJob();

    // ---- Crash recovery ----
    // Chooses the recovery folder shared by all instances (inside the settings folder unless that
    // one cannot be trusted) and starts keeping copies in it.
    void StartRecovery();
    std::optional<TRecoveryKeeper::Capture> CaptureForRecovery(const void* key);
    // The document's text is its file's, in the state stamp: a big one's recovery copies are
    // journals of the edits from here on.
    void StartJournal(TMyMemo& document, const std::optional<FileStamp>& stamp);
    // Offers the copies left by instances that ended without closing, as modified tabs.
    void RestoreAbandonedDocuments();
    void RestoreDocument(const RecoveredDocument& recovered);
    // Opens the journal's file and plays its edits back; what could not be done, if anything.
    std::optional<QString> RestoreJournal(const RecoveredDocument& recovered);

    TRecoveryKeeper* recovery = nullptr;
    std::string recoveryRoot;

    // The print dialog's choices, kept between prints as the dialog component keeps them.
    QPrinter printer;
    PageSetup pageSetup;
    SpeechToAudioDevice speech;
};
