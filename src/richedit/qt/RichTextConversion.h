#pragma once
// Between our RichDocument and QTextDocument: font face, family, charset, size and style, text
// and background colours, hyperlinks, paragraph alignment, spacing, indents, line spacing and
// page breaks, lists, tables (QTextTable, with column widths, cell borders and shading) and
// pictures (PNG and JPEG shown; other kinds shown as a box of their size and kept as they came).

#include "platform/Progress.h"
#include "richedit/RichDocument.h"

#include <QFont>
#include <QObject>
#include <QTextBlock>
#include <chrono>
#include <memory>

class QTextDocument;

namespace detail {
class TextDocumentReader;
}

// Replaces the content of target, leaving it no history; a run without a font name takes
// target's default font. Progress counts the text's bytes; between
// reports target is whole, so it may be painted.
void ToTextDocument(const RichDocument& document, QTextDocument& target,
                    const ProgressHook& progress = {});

// Every run gets its font face and size spelled out, the default font's where the text has
// none of its own, so the document reads back the same wherever it is opened. Progress counts
// characters.
RichDocument FromTextDocument(const QTextDocument& source, const ProgressHook& progress = {});

// FromTextDocument a slice at a time, so that a big text is read between the user's keystrokes.
// The source must outlive the reader; an edit of it between slices starts the reading over.
class RichTextReader {
public:
    explicit RichTextReader(const QTextDocument& source);
    ~RichTextReader();
    RichTextReader(const RichTextReader&) = delete;
    RichTextReader& operator=(const RichTextReader&) = delete;
    // Reads on for about budget; true once the whole text is read.
    bool ReadFor(std::chrono::milliseconds budget);
    // What was read; the whole document once ReadFor gave true.
    RichDocument& Result();

private:
    void StartOver();

    const QTextDocument& source;
    QMetaObject::Connection watch;
    bool edited = false;
    QTextBlock next;
    std::unique_ptr<detail::TextDocumentReader> reader;
};
