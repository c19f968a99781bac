// Files changed by other programs: each document keeps the stamp of its file as loaded or last
// saved, and a check compares it with the file on disk whenever the watcher or the window's
// activation says something may have changed. The program's own saves renew the stamp, so they
// never count as a change.

#include "app/qt/DiskChanges.h"

#include "app/DocumentText.h"
#include "app/FileNameParts.h"
#include "app/qt/DiskWatch.h"
#include "app/qt/FileCommands.h"
#include "app/qt/FileEncodings.h"
#include "app/qt/MainWindow.h"
#include "app/qt/WindowRecovery.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/EncodingDetection.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "richedit/qt/RichEdit.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

namespace {

// Where the user was in a document's editor, to be there again after a reload.
struct EditorPlace {
    BufferPosition caret{};
    LineIndex topLine{};
    QPoint richCaret{};
    int richScroll = 0;
};

EditorPlace PlaceIn(TSynEditWidget* editor, const TRxRichEdit& rich) {
    if (editor)
        return {.caret = editor->Engine().Caret(), .topLine = editor->TopLine()};
    return {.richCaret = rich.CaretPos(), .richScroll = rich.verticalScrollBar()->value()};
}

// The caret's line and column as far as the new text has them; the scroll the same.
void ReturnTo(const EditorPlace& place, TSynEditWidget* editor, TRxRichEdit& rich) {
    if (editor) {
        TSynEditEngine& engine = editor->Engine();
        engine.SetCaret(engine.Clamp(place.caret));
        editor->SetTopLine(place.topLine);
        // A shorter text may leave the caret above the kept scroll.
        editor->EnsureCaretVisible();
        return;
    }
    const int lastLine = std::max(0, int(rich.Lines().size()) - 1);
    rich.SetCaretPos({place.richCaret.x(), std::min(place.richCaret.y(), lastLine)});
    rich.verticalScrollBar()->setValue(place.richScroll);
}

bool IsRichFile(const std::string& path) {
    return IsRichTextExtension(SplitFileName(path).extension);
}

} // namespace

TDiskChanges::TDiskChanges(TForm1& window)
    : window(window), dialogs(window.Questions()),
      watch(new DiskWatch(window, [this] { CheckFilesOnDisk(); })) {}

void TDiskChanges::RememberDiskFile(TMyMemo& document, const std::optional<FileStamp>& stamp) {
    document.Disk = stamp ? TDiskFile{.FileName = document.FileName, .Stamp = *stamp} : TDiskFile{};
    window.Recovery().StartJournal(document, stamp);
    WatchDocumentFiles();
}

void TDiskChanges::WatchDocumentFiles() {
    std::vector<std::string> files;
    for (int position = 0; position < window.DocumentCount(); ++position) {
        const TMyMemo& document = window.DocumentAt(position);
        if (!document.Disk.FileName.isEmpty() && document.Disk.FileName == document.FileName)
            files.push_back(LocalPath(document.FileName));
    }
    watch->WatchOnly(files);
}

void TDiskChanges::CheckFilesOnDisk() {
    for (int position = 0; position < window.DocumentCount(); ++position)
        CheckFileOnDisk(position);
    WatchDocumentFiles();
}

void TDiskChanges::CheckFileOnDisk(int position) {
    TMyMemo& document = window.DocumentAt(position);
    TDiskFile& disk = document.Disk;
    // Saved under another name since (or closed): the stamp is not of this file.
    if (disk.FileName.isEmpty() || disk.FileName != document.FileName)
        return;
    const std::optional<FileStamp> now = StampOfFile(LocalPath(document.FileName));
    if (!now) {
        // The text now lives only in the tab: closing must ask before it is lost.
        if (!disk.Missing) {
            disk.Missing = true;
            disk.ModifiedOnlyForMissing = !document.Modified;
            document.Modified = true;
        }
        return;
    }
    disk.Missing = false;
    const bool unedited = std::exchange(disk.ModifiedOnlyForMissing, false);
    if (*now == disk.Stamp) {
        // Renamed away and back: the very file the text came from.
        if (unedited)
            document.Modified = false;
        return;
    }
    if (disk.Ignored == now)
        return;
    if (document.Modified && !unedited) {
        const DialogAnswer answer =
            dialogs.Message(MessageKind::Confirmation, "Tabrix Pro",
                            "File " + ShownPath(document.FileName) +
                                " has been changed by another program.  Reload it and lose your "
                                "changes?",
                            MessageButtons::YesNo);
        if (answer != DialogAnswer::Yes) {
            disk.Ignored = now;
            return;
        }
    }
    ReloadFromDisk(position);
}

void TDiskChanges::ReloadFromDisk(int position) {
    TMyMemo& document = window.DocumentAt(position);
    const std::string path = LocalPath(document.FileName);
    // Taken before reading: a change during the read shows as one more change, never as none.
    const std::optional<FileStamp> stamp = StampOfFile(path);
    if (!stamp)
        return;
    TSynEditWidget* editor = document.View().TextEditor();
    const EditorPlace place = PlaceIn(editor, *document.RichEditor);
    const bool rich = IsRichFile(path);
    std::optional<std::string> error;
    {
        // Loading is no edit: the editors' change signals would mark the current document
        // modified, whichever document this is.
        const QSignalBlocker plainBlocker(document.PlainEditor);
        const QSignalBlocker codeBlocker(document.CodeEditor);
        const QSignalBlocker richBlocker(document.RichEditor);
        // The other program may have written another encoding: found again as on opening.
        TFileCommands& files = window.Files();
        error = rich ? files.LoadRichText(document, path)
                     : files.LoadPlainText(document, path, [&](std::string_view bytes) {
                           return EncodingForFile(path, bytes);
                       });
        const int loadedMode = rich ? vmRich : vmPlain;
        if (!error && document.ViewMode != loadedMode)
            window.CarryText(document, loadedMode, document.ViewMode);
    }
    if (error) {
        // The tab keeps its text; the same change is not tried again.
        document.Disk.Ignored = stamp;
        dialogs.ShowError("Tabrix Pro", QString::fromStdString(*error));
        return;
    }
    ReturnTo(place, editor, *document.RichEditor);
    document.Modified = false;
    document.Disk = {.FileName = document.FileName, .Stamp = *stamp};
    if (position == window.CurrentIndex())
        window.ShowCaretPosition();
}

bool TDiskChanges::MayOverwriteOnDisk(const TMyMemo& document) {
    const TDiskFile& disk = document.Disk;
    if (disk.FileName.isEmpty() || disk.FileName != document.FileName)
        return true;
    const std::optional<FileStamp> now = StampOfFile(LocalPath(document.FileName));
    // A deleted file is simply written again.
    if (!now || *now == disk.Stamp)
        return true;
    return dialogs.Message(MessageKind::Warning, "Tabrix Pro",
                           "File " + ShownPath(document.FileName) +
                               " has been changed by another program since it was opened or "
                               "saved.  Overwrite it?",
                           MessageButtons::YesNo) == DialogAnswer::Yes;
}
