// The File menu, and opening and saving in the window.

#include "app/qt/FileCommands.h"

#include "app/DocumentText.h"
#include "app/FileNameParts.h"
#include "app/ProjectFile.h"
#include "app/VersionName.h"
#include "app/qt/DiskChanges.h"
#include "app/qt/DiskWatch.h"
#include "app/qt/DocumentFormats.h"
#include "app/qt/DocumentView.h"
#include "app/qt/FileEncodings.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/OutputCommands.h"
#include "app/qt/RecentMenus.h"
#include "app/qt/StatusBarProgress.h"
#include "app/qt/WindowProjects.h"
#include "app/qt/WindowRecovery.h"
#include "app/qt/WindowTabs.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/UnforeseenError.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EncodingQt.h"
#include "platform/qt/PathNames.h"
#include "richedit/qt/RichEdit.h"

#include <QDropEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <climits>
#include <new>
#include <stdexcept>

std::span<const MenuItem> FileMenu() {
    static const MenuItem rows[] = {
        {.name = "mniNew",
         .caption = "&New",
         .shortcuts = {"Ctrl+N"},
         .handler = Call<&TForm1::mniNewClick>,
         .button = {"tbNew", "New", "New", "document-new", {ToolRow::First, 1, 1}}},
        {.name = "mniOpen",
         .caption = "&Open",
         .shortcuts = {"Ctrl+O"},
         .handler = CallOn<&TForm1::Files, &TFileCommands::mniOpenClick>,
         .button = {"tbOpen", "Open", "Open", "document-open", {ToolRow::First, 1, 2}},
         .dropDown = &TWindowParts::mnuRecent},
        {.name = "mniRecent", .caption = "&Recent", .menu = &TWindowParts::mniRecent},
        {},
        {.name = "mniSave",
         .caption = "&Save",
         .shortcuts = {"Ctrl+S"},
         .handler = CallOn<&TForm1::Files, &TFileCommands::mniSaveClick>,
         .button = {"tbSave", "Save", "Save", "document-save", {ToolRow::First, 1, 3}}},
        {.name = "mniSaveAs",
         .caption = "Save &As...",
         .handler = CallOn<&TForm1::Files, &TFileCommands::mniSaveAsClick>},
        {.name = "mniSaveAll",
         .caption = "Save A&ll",
         .shortcuts = {"Ctrl+Shift+S"},
         .handler = CallOn<&TForm1::Files, &TFileCommands::mniSaveAllClick>},
        {.name = "Savenewversion1",
         .caption = "Save new &version",
         .handler = CallOn<&TForm1::Files, &TFileCommands::Savenewversion1Click>},
        {.name = "SaveProjectAs1",
         .caption = "Save Pro&ject As...",
         .handler = CallOn<&TForm1::Projects, &TWindowProjects::SaveProjectAs1Click>,
         .action = &TWindowParts::SaveProjectAs1},
        {},
        {.name = "mniReopenWithEncoding",
         .caption = "Reopen with Encoding",
         .modes = ViewModes(InPlainView | InCodeView),
         .submenu = ReopenWithEncodingMenu(),
         .menu = &TWindowParts::mniReopenWithEncoding},
        {.name = "mniSaveWithEncoding",
         .caption = "Save with Encoding",
         .modes = ViewModes(InPlainView | InCodeView),
         .submenu = SaveWithEncodingMenu(),
         .menu = &TWindowParts::mniSaveWithEncoding},
        {.name = "mniLineEndings",
         .caption = "Line Endings",
         .modes = ViewModes(InPlainView | InCodeView),
         .submenu = LineEndingsMenu(),
         .menu = &TWindowParts::mniLineEndings},
        {},
        {.name = "mniExport", .caption = "Expor&t", .submenu = ExportMenu()},
        {},
        {.name = "Print1",
         .caption = "&Print",
         .shortcuts = {"Ctrl+P"},
         .handler = CallOn<&TForm1::Output, &TOutputCommands::Print1Click>},
        {.name = "PrintPreview1",
         .caption = "Print Previe&w",
         .handler = CallOn<&TForm1::Output, &TOutputCommands::PrintPreview1Click>},
        {.name = "Pagesetup1",
         .caption = "Page Set&up",
         .handler = CallOn<&TForm1::Output, &TOutputCommands::Pagesetup1Click>,
         .modes = NoViewMode},
        {},
        {.name = "mniClose",
         .caption = "&Close",
         .shortcuts = {"Ctrl+W"},
         .handler = CallOn<&TForm1::Tabs, &TWindowTabs::mniCloseClick>},
        {.name = "mniCloseAll",
         .caption = "Clos&e All",
         .shortcuts = {"Ctrl+Shift+W"},
         .handler = CallOn<&TForm1::Tabs, &TWindowTabs::mniCloseAllClick>},
        {},
        {.name = "Exit1",
         .caption = "E&xit",
         .shortcuts = {"Alt+F4"},
         .handler = Call<&TForm1::Exit1Click>},
    };
    return rows;
}

namespace {

const std::vector<FileFilter>& OpenDialogFilters() {
    static const std::vector<FileFilter> filters = {
        {"Text Files and Souces (*.txt;*.htm;*.html;*.php;*.php3;*.php4;*.php5;*.pas;*.bas;*.sql;"
         "*.ini;*.css;*.cpp;*.c;*.xml;*.perl;*.pl;*.java)",
         "*.txt;*.htm;*.html;*.php;*.php3;*.php4;*.php5;*.pas;*.bas;*.sql;*.ini;*.css;*.cpp;*.c;"
         "*.xml;*.perl;*.pl;*.java"},
        {"Text Projects (*.txp)", "*.txp"},
        {"Text Files (*.txt)", "*.txt"},
        {"All Files", "*.*"}};
    return filters;
}

const std::vector<FileFilter>& SaveDialogFilters() {
    static const std::vector<FileFilter> filters = {{"Text Files (*.txt)", "*.txt"},
                                                    {"HTML Files (*.htm, *.html)", "*.htm;*.html"},
                                                    {"Zipped Files (*.zip)", "*.zip"},
                                                    {"All Files", "*.*"}};
    return filters;
}

// Every line but the last ends in a break byte, so a file that can be read has no more lines
// than the line list's int indexes reach: only memory can fail a load.
static_assert(kMaxReadableFileSize <= std::uint64_t{INT_MAX});

// The open command's message for a text the editors could not take in (the exception being
// handled says why).
std::string CannotOpenText(const std::string& path) {
    return "Cannot open \"" + path + "\": " + UnforeseenErrorText(std::current_exception());
}

constexpr int ProjectFileType = 2;
constexpr int AllFilesType = 4;

// Only blanks and control characters: the tab counts as unused. Stops at the first other
// byte, so a large text costs nothing.
bool IsUnusedText(const TSynEditStringList& lines) {
    for (LineIndex line(0); line.Value() < lines.Count(); ++line) {
        if (!IsBlankText(lines.Get(line)))
            return false;
    }
    return true;
}

} // namespace

TFileCommands::TFileCommands(TForm1& window, QLabel& progressField)
    : window(window), dialogs(window.Questions()), progressField(progressField) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool TFileCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (enter->mimeData()->hasUrls())
            enter->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        for (const QUrl& url : drop->mimeData()->urls()) {
            if (url.isLocalFile())
                OpenFile(url.toLocalFile());
        }
        drop->acceptProposedAction();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TFileCommands::mniOpenClick() {
    FileDialogRequest request;
    request.caption = "Open";
    request.filters = OpenDialogFilters();
    request.filterIndex = openDialogFilterIndex;
    request.initialFolder = openDialogFolder;
    request.defaultExtension = "txt";
    request.multiSelect = true;
    const std::optional<FileDialogResult> chosen = dialogs.OpenFile(request);
    if (!chosen)
        return;
    openDialogFilterIndex = chosen->filterIndex;
    openDialogFolder = DisplayFolderOf(chosen->files.front());
    // The type the dialog kept from the last time is no reason to read a source file as a
    // list of paths: only a project's own name does.
    if (chosen->filterIndex == ProjectFileType &&
        IsProjectFileName(LocalPath(chosen->files.front()))) {
        window.Projects().OpenProjectReplacingTabs(chosen->files.front());
        return;
    }
    for (const QString& file : chosen->files)
        OpenFile(file);
}

void TFileCommands::OpenFile(const QString& path) {
    if (const std::optional<QString> missing = OpenFileUnlessMissing(path))
        dialogs.ShowMessage("Tabrix Pro", *missing);
}

void TFileCommands::OpenRecentFile(const QString& entry) {
    openDialogFolder = DisplayFolderOf(entry);
    if (IsProjectFileName(LocalPath(entry)))
        window.Projects().OpenProjectReplacingTabs(entry);
    else
        OpenFile(entry);
}

std::optional<QString> TFileCommands::OpenFileUnlessMissing(const QString& path) {
    const std::string absolute = AbsolutePath(LocalPath(path));
    const QString shown = DisplayPath(absolute);
    for (int position = 0; position < window.DocumentCount(); ++position) {
        if (SamePath(LocalPath(window.DocumentAt(position).FileName), absolute)) {
            window.SelectIndex(position);
            window.RefreshCurrentTab();
            return std::nullopt;
        }
    }
    if (!FileExists(absolute))
        return PathExists(absolute) ? ShownPath(shown) + " is not a file"
                                    : ShownPath(shown) + " not found";

    TMyMemo& current = window.CurrentDocument();
    const bool reuse = current.FileName.isEmpty() && current.ViewMode == vmPlain &&
                       IsUnusedText(current.PlainEditor->Lines());
    if (!reuse)
        window.mniNewClick();
    TMyMemo& target = window.CurrentDocument();
    const std::optional<FileStamp> stampBeforeLoading = StampOfFile(absolute);
    RemoveStaleTemporaries(absolute);

    const QString extension = QString::fromStdString(SplitFileName(absolute).extension);
    const bool rich = ChangeRich(extension.toLower());
    TDocumentFormats& formats = window.Formats();
    // Rich files carry their code page inside; a text file's is found from its bytes.
    formats.SetDocumentEncoding(target, DocumentEncoding::Plain(ProgramEncoding()));
    formats.GiveNewDocumentLineBreaks(target);
    std::optional<std::string> error;
    try {
        error = rich ? LoadRichText(target, absolute)
                     : LoadPlainText(target, absolute, [&](std::string_view bytes) {
                           return EncodingForFile(absolute, bytes);
                       });
    } catch (const std::length_error&) {
        error = CannotOpenText(absolute);
    } catch (const std::bad_alloc&) {
        error = CannotOpenText(absolute);
    }
    // Refused content (a binary file, a text the editors cannot hold) leaves the tab empty and
    // untitled.
    if (error) {
        dialogs.ShowError("Tabrix Pro", ShownText(*error));
        return std::nullopt;
    }
    if (rich)
        target.ViewMode = vmRich;
    target.FileName = shown;
    target.Modified = false;
    window.Recent().AddRecentFile(shown);
    window.Tabs().ShowTabCaption(window.CurrentIndex());
    window.UpdateTitle();

    // A known language shows in code view; the extension keeps its letter case here.
    if (window.ChangeSyn(extension))
        window.SetViewMode(vmCode);
    else if (rich)
        window.SetViewMode(vmRich);
    // After the view is set: the text is in the editor that gets the edits.
    window.DiskChanges().RememberDiskFile(target, stampBeforeLoading);
    formats.ShowDocumentLineBreaks();
    return std::nullopt;
}

std::optional<std::string>
TFileCommands::LoadPlainText(TMyMemo& document, const std::string& path,
                             const std::function<DocumentEncoding(std::string_view)>& choose) {
    // The block read is the one the lines keep: a big file is in memory once.
    StatusBarProgress progress(&progressField, "Opening " + ShownText(path));
    FileResult<ByteBlock> content = ReadFileBytes(path, progress.Hook());
    if (!content)
        return content.error->message;
    const DocumentEncoding encoding = choose(content.value.View());
    TDocumentFormats& formats = window.Formats();
    formats.SetDocumentEncoding(document, encoding);
    // Converting a big UTF-16 file takes a while: beside the window, which repaints.
    const std::uint64_t size = content.value.View().size();
    ByteBlock text;
    progress.RunWhileRepainting(
        size, [&] { text = DecodeFileBytes(std::move(content.value), encoding); });
    document.LooksBinary = LooksBinaryText(text.View(), *encoding.encoding);
    // A file without line breaks gets those of a new document.
    document.PlainEditor->Lines().SetFileFormat(formats.NewDocumentLineBreaks());
    document.PlainEditor->TakeText(std::move(text), progress.Hook(), TSynTextBreaks::AsInText);
    return std::nullopt;
}

std::optional<std::string> TFileCommands::LoadRichText(TMyMemo& document, const std::string& path) {
    StatusBarProgress progress(&progressField, "Opening " + ShownText(path));
    // Loading is no edit: the pieces of a big file are no changes to mark or copy.
    const QSignalBlocker loading(document.RichEditor);
    return document.RichEditor->LoadFromFile(path, progress.Hook());
}

bool TFileCommands::ChangeRich(const QString& extension) {
    for (const char* rich : {".doc", ".rtf", ".docx", ".rtfx"}) {
        if (extension == QLatin1String(rich))
            return true;
    }
    return false;
}

bool TFileCommands::SaveDocument(int position, bool askAboutLoss) {
    TMyMemo& document = window.DocumentAt(position);
    if (document.FileName.isEmpty())
        return SaveDocumentAs(position);
    TDiskChanges& diskChanges = window.DiskChanges();
    if (!diskChanges.MayOverwriteOnDisk(document))
        return false;
    const std::string path = LocalPath(document.FileName);
    // The question is put to root too, whom the system would let write the file.
    if (IsReadOnlyFile(path) &&
        !dialogs.AskYesNo("Confirm",
                          "File " + ShownPath(document.FileName) + " is read-only.  Save anyway?"))
        return false;
    const DiskWatch::Pause ownWrite(diskChanges.Watch());
    // Rich view writes RTF into a rich-text file only: any other file (a .txt shown in rich
    // view) keeps being text.
    const bool asRtf = document.ViewMode == vmRich &&
                       ChangeRich(QString::fromStdString(SplitFileName(path).extension).toLower());
    TRxRichEdit& rich = *document.RichEditor;
    if (asRtf && askAboutLoss && rich.LostItemCount() > 0 &&
        dialogs.Message(MessageKind::Warning, "Tabrix Pro",
                        QString("File %1 contains %2 items that Tabrix Pro cannot keep (%3).  "
                                "Save anyway?")
                            .arg(ShownPath(document.FileName))
                            .arg(rich.LostItemCount())
                            .arg(QString::fromStdString(rich.LostItemNames())),
                        MessageButtons::YesNo) != DialogAnswer::Yes)
        return false;
    std::optional<FileError> error;
    StatusBarProgress progress(&progressField, "Saving " + ShownPath(document.FileName));
    if (asRtf) {
        error = SaveFileAtomically(path, document.RichEditor->RtfText(progress.Hook()),
                                   ReadOnlyFile::Overwrite);
    } else if (document.ViewMode == vmRich || document.FileEncoding.IsUtf16()) {
        // Characters are converted on the way, and some may not survive: the user is asked.
        const std::optional<std::string> bytes = BytesToSave(dialogs, document, progress);
        if (!bytes)
            return false;
        progress.RunWhileRepainting(bytes->size(), [&] {
            error = SaveFileAtomically(path, *bytes, ReadOnlyFile::Overwrite);
        });
    } else {
        // Streamed to the file: a big text is never held a second time.
        error = SaveFileAtomically(
            path,
            [&](const std::function<bool(std::string_view)>& write) {
                std::size_t unencodable = 0;
                if (write(MarkBytes(document.FileEncoding.mark)))
                    document.View().WriteFileText(write, progress.Hook(), unencodable);
            },
            ReadOnlyFile::Overwrite);
    }
    if (error) {
        // The system's reason tells a full disk from a locked file: the atomic save needs room
        // for a second copy.
        dialogs.ShowError("Tabrix Pro", "File " + ShownPath(document.FileName) +
                                            " has not been saved\n" + ShownText(error->reason));
        return false;
    }
    document.Modified = false;
    // The file now holds what the editor holds.
    if (asRtf)
        rich.ForgetLostItems();
    if (!asRtf)
        RememberDocumentEncoding(document);
    diskChanges.RememberDiskFile(document, StampOfFile(path));
    window.Recovery().Keeper().Discard(&document);
    return true;
}

bool TFileCommands::SaveDocumentAs(int position) {
    TMyMemo& document = window.DocumentAt(position);
    FileDialogRequest request;
    request.caption = "Save As";
    request.filters = SaveDialogFilters();
    request.overwritePrompt = true;
    request.fileName = document.FileName.isEmpty() ? saveDialogFileName : document.FileName;
    saveDialogFileName = request.fileName;
    if (SplitFileName(LocalPath(request.fileName)).extension == ".txt") {
        saveDialogDefaultExtension = "txt";
    } else {
        saveDialogFilterIndex = AllFilesType;
        saveDialogDefaultExtension.clear();
    }
    request.filterIndex = saveDialogFilterIndex;
    request.defaultExtension = saveDialogDefaultExtension;
    const std::optional<FileDialogResult> chosen = dialogs.SaveFile(request);
    if (!chosen)
        return false;
    saveDialogFilterIndex = chosen->filterIndex;
    saveDialogFileName = chosen->files.front();
    const bool sameFile = document.FileName == saveDialogFileName;
    document.FileName = saveDialogFileName;
    const bool saved = SaveDocument(position, sameFile);
    window.Recent().AddRecentFile(document.FileName);
    window.Tabs().ShowTabCaption(position);
    window.UpdateTitle();
    return saved;
}

void TFileCommands::mniSaveClick() {
    SaveDocument(window.CurrentIndex());
}

void TFileCommands::mniSaveAsClick() {
    SaveDocumentAs(window.CurrentIndex());
}

void TFileCommands::mniSaveAllClick() {
    const int remembered = window.CurrentIndex();
    for (int position = 0; position < window.DocumentCount(); ++position) {
        window.SelectIndex(position);
        mniSaveClick();
    }
    window.SelectIndex(remembered);
    window.Projects().SaveCurrentProject();
}

void TFileCommands::Savenewversion1Click() {
    TMyMemo& document = window.CurrentDocument();
    const int position = window.CurrentIndex();
    if (document.FileName.isEmpty()) {
        SaveDocumentAs(position);
        return;
    }
    document.FileName = DisplayPath(NextFreeVersionPath(LocalPath(document.FileName)));
    window.Tabs().ShowTabCaption(position);
    SaveDocument(position);
    window.Recent().AddRecentFile(document.FileName);
    window.UpdateTitle();
}
