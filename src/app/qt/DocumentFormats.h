#pragma once
// Each document's encoding and line breaks, which only its file has: inside the program every
// text has CR LF between its lines. The status bar's fields that show them, File > "Reopen with
// Encoding", "Save with Encoding" and "Line Endings", and the breaks new documents get. Which
// encoding a file opens in is FileEncodings.h's; opening and saving are the file commands'.
// Reaches the documents through the window's public commands.

#include "codeedit/SynEditTextBuffer.h"
#include "platform/EncodingDetection.h"

#include <string>

class Dialogs;
class QLabel;
class QMenu;
class TForm1;
struct TMyMemo;

// The window's widgets the formats part fills.
struct TFormatWidgets {
    QLabel& encodingField;
    QLabel& lineBreaksField;
    QLabel& binaryField;
    QMenu& reopenWithEncoding;
    QMenu& saveWithEncoding;
    QMenu& lineEndings;
};

class TDocumentFormats {
public:
    // The encoding menus check the current document's encoding whenever they open.
    TDocumentFormats(TForm1& window, const TFormatWidgets& widgets);

    // ---- Encodings ----
    // Sets the document's encoding and tells its editors; the bytes they hold stay as they are.
    void SetDocumentEncoding(TMyMemo& document, const DocumentEncoding& encoding);
    void ShowDocumentEncoding();
    // Checks the items of the current document's encoding in both encoding menus.
    void MarkDocumentEncoding();
    // File > "Reopen with Encoding" and "Save with Encoding": the item's tag is the position
    // of its encoding in its menu.
    void ReopenWithEncodingClick(int choice);
    void SaveWithEncodingClick(int choice);

    // ---- Line breaks ----
    // File > "Line Endings": the item's tag is the TSynEditFileFormat every line of the current
    // document gets, as one undoable edit.
    void LineEndingsClick(int format);
    // New documents' files get the named break ("LF", "CR LF", "CR"); any other name: the
    // platform's.
    void SetNewDocumentLineBreaks(const std::string& name);
    TSynEditFileFormat NewDocumentLineBreaks() const { return newDocumentLineBreaks; }
    // An empty document's breaks: those of new documents.
    void GiveNewDocumentLineBreaks(TMyMemo& document) const;
    // The status bar's line breaks and binary note, and the checks of "Line Endings".
    void ShowDocumentLineBreaks();

private:
    TForm1& window;
    Dialogs& dialogs;
    TFormatWidgets widgets;
    TSynEditFileFormat newDocumentLineBreaks;
};
