#pragma once
// TMyMemo: one tab document. The main window owns the editors (they are its children, stacked
// in the editor area); the record only points at them.

#include "codeedit/SynEditTextBuffer.h"
#include "platform/EncodingDetection.h"
#include "platform/FileStamp.h"

#include <QString>
#include <optional>
#include <string>

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
    QString FileName; // full path; empty for an untitled document
    bool Modified = false;
    bool HiddenFromCloseAll = false;
    TMemo* PlainEditor = nullptr;
    TRxRichEdit* RichEditor = nullptr;
    TSynEdit* CodeEditor = nullptr;
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
};
