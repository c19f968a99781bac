#pragma once
// TMyMemo: one tab document. The main window owns the editors (they are its children, stacked
// in the editor area); the record only points at them.

#include "platform/EncodingDetection.h"

#include <QString>
#include <string>

class TMemo;
class TSynEdit;
class TRxRichEdit;

enum TViewMode { vmPlain = 0, vmCode = 1, vmRich = 2 };

struct TMyMemo {
    QString FileName; // full path; empty for an untitled document
    bool Modified = false;
    bool HiddenFromCloseAll = false;
    TMemo* PlainEditor = nullptr;
    TRxRichEdit* RichEditor = nullptr;
    TSynEdit* CodeEditor = nullptr;
    int ViewMode = vmPlain;
    std::string UndoSnapshot; // the plain text before the last text function
    // What the editors' bytes and the file are in; the window sets it through
    // SetDocumentEncoding, which tells the editors.
    DocumentEncoding FileEncoding = DocumentEncoding::Plain(ProgramEncoding());
};
