#pragma once
// The recovery file of one modified document: a short header of text lines (what the document
// needs to come back as it was) and then the document's bytes exactly. It does not decide when
// copies are written or where they go.
//
//   Tabrix Pro recovery 1
//   FileName=/home/ann/notes.txt        (empty for an untitled document)
//   ViewMode=1                          (0 plain, 1 code, 2 rich)
//   Caret=12,4                          (line and column from 0)
//   Encoding=utf-8
//   Highlighter=SynCppSyn1              (the code editor's, or empty)
//   LineBreaks=LF;1;12:CR LF,40:CR      (the usual break; 1: a break after the last line too;
//                                        lines with another break. Older copies lack it)
//   Length=81234                        (bytes of text after the empty line)
//
//   <text>
//
// Values escape a backslash, CR and LF as \\, \r and \n, so any path fits on its line.
//
// A big document with a file on disk keeps a journal instead (version 2): the same header with
// FileStamp=<size>,<seconds>,<nanoseconds>,<device>,<inode> (the file its edits go over) in
// place of Length, then the records of RecoveryJournal.h. Its ViewMode is the view the journal
// began in; each record names the view it was taken in, and the last one read wins.

#include "codeedit/SynEditTextBuffer.h"
#include "platform/FileStamp.h"
#include "recovery/RecoveryJournal.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

struct RecoveryHeader {
    std::string fileName;
    int viewMode = 0;
    int caretLine = 0;
    int caretColumn = 0;
    std::string encodingName;
    std::string highlighter;
    // The line breaks the document's file gets; nothing from a copy that does not say.
    std::optional<TSynLineBreaks> lineBreaks{};

    friend bool operator==(const RecoveryHeader&, const RecoveryHeader&) = default;
};

// Bytes made when the copy is written, on the writer's thread: the RTF of a big rich text takes
// too long to make between two keystrokes.
using DeferredText = std::function<std::string()>;

// A document's text as it is handed over to be written: the lines of an editor (joined by
// CR LF), or bytes of their own (the rich editor's RTF), made now or when written.
using RecoveryText = std::variant<TSynLinesSnapshot, std::string, DeferredText>;

// A journal read back: the file state its edits go over and the edits, oldest first.
struct RecoveredJournal {
    FileStamp base;
    std::vector<TSynTextChange> changes;
};

struct RecoveredDocument {
    RecoveryHeader header;
    // The text, unless the copy is a journal.
    std::string text;
    std::optional<RecoveredJournal> journal{};
};

// The whole file: header, empty line, text.
std::string FormatRecoveryFile(const RecoveryHeader& header, const RecoveryText& text);

// A journal's header with its empty line; its records follow.
std::string FormatJournalHeader(const RecoveryHeader& header, const FileStamp& base);

// A file's content read back, or why it is no recovery file this program can trust. A file cut
// short (a full disk, a crash of the system) is ours all the same: cut inside its header it is
// refused as cut short; with its header whole, the text that is there comes back and the error
// says what is missing. A file that grew is refused rather than restored as something the user
// never typed. A journal gives the edits of its whole records, and the error says where the
// rest stopped.
struct RecoveryParse {
    std::optional<RecoveredDocument> document;
    std::string error; // without a document: why; with one: what of its text is missing
};
RecoveryParse ParseRecoveryFile(std::string bytes);
