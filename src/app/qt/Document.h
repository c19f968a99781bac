#pragma once
// TMyMemo: one tab document. It owns its three editors (stacked in the window's editor area)
// and shows its text in the one of its view mode, which commands reach through View().

#include "app/qt/DocumentView.h"
#include "codeedit/SynEditTextBuffer.h"
#include "platform/EncodingDetection.h"
#include "platform/FileStamp.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QStackedWidget;
class TMemo;
class TSynEdit;
class TRxRichEdit;

enum TViewMode { vmPlain = 0, vmCode = 1, vmRich = 2 };

// The document's file as this program last saw it on disk, to notice other programs changing it.
struct TDiskFile {
    QString FileName; // the file the stamp belongs to; empty: never loaded or saved
    FileStamp Stamp;  // as loaded or last saved
    // A change left alone (the user kept the tab's text, or it could not be read): not asked
    // about again.
    std::optional<FileStamp> Ignored{};
    bool Missing = false; // deleted or renamed away: the document was marked modified
    // Modified only because the file went missing: no edit of the user's is at stake.
    bool ModifiedOnlyForMissing = false;
};

struct TMyMemo {
    // Puts the three editors into the editor area, hidden, each taking updates only once shown.
    explicit TMyMemo(QStackedWidget& editorArea);
    ~TMyMemo();
    TMyMemo(const TMyMemo&) = delete;
    TMyMemo& operator=(const TMyMemo&) = delete;

    // The view of the document's view mode, and the view of any mode.
    TDocumentView& View() const { return ViewOf(ViewMode); }
    TDocumentView& ViewOf(int mode) const;

    QString FileName; // full path; empty for an untitled document
    bool Modified = false;
    bool HiddenFromCloseAll = false;
    TMemo* const PlainEditor;
    TSynEdit* const CodeEditor;
    TRxRichEdit* const RichEditor;
    int ViewMode = vmPlain;
    // The plain text before the last text function, and its lines' breaks.
    std::string UndoSnapshot;
    TSynLineBreaks UndoSnapshotBreaks;
    // What the editors' bytes and the file are in; the window sets it through
    // SetDocumentEncoding, which tells the editors.
    DocumentEncoding FileEncoding = DocumentEncoding::Plain(ProgramEncoding());
    // The breaks of the lines the rich editor was given (it keeps none), written back when rich
    // view saves its text as text.
    TSynLineBreaks RichViewBreaks;
    // The file read into it holds NUL bytes or bytes that are no text in its encoding.
    bool LooksBinary = false;
    TDiskFile Disk;
    // The file state the editor's edits are journaled against for recovery (the text was the
    // file's then) and the encoding it was read in; none while recovery copies are whole.
    std::optional<FileStamp> JournalBase{};
    std::string JournalEncoding;

private:
    // By view mode.
    std::array<std::unique_ptr<TDocumentView>, 3> views;
};

// The window's current document, for the parts that act on it.
using CurrentDocumentSource = std::function<TMyMemo&()>;
