// The views of a document's three editors.

#include "app/qt/DocumentViews.h"

#include "app/qt/Document.h"
#include "app/qt/ViewModeLines.h"
#include "codeedit/SynEditCommands.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/EncodingQt.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/SearchEditor.h"

std::string TDocumentView::FileText(const ProgressHook& progress, std::size_t& unencodable) const {
    std::string text;
    WriteFileText(
        [&](std::string_view piece) {
            text.append(piece);
            return true;
        },
        progress, unencodable);
    return text;
}

// ---- The plain and the code editor ----

QWidget& TEngineView::Widget() const {
    return editor;
}

// A read-only editor takes no undo, as it takes no edit.
bool TEngineView::CanUndo() const {
    return !editor.ReadOnly() && editor.Engine().CanUndo();
}

void TEngineView::Undo() {
    if (CanUndo())
        editor.ExecuteCommand(ecUndo);
}

void TEngineView::SelectAll() {
    editor.SelectAll();
}

void TEngineView::DeleteSelection() {
    if (!editor.ReadOnly())
        editor.Engine().DeleteSelection();
}

void TEngineView::Cut() {
    editor.CutToClipboard();
}

void TEngineView::Copy() {
    editor.CopyToClipboard();
}

void TEngineView::Paste() {
    editor.PasteFromClipboard();
}

TSynEditStringList& TEngineView::Lines() {
    return editor.Lines();
}

void TEngineView::WriteFileText(const Writer& write, const ProgressHook& progress,
                                std::size_t&) const {
    const TSynEditStringList& lines = editor.Lines();
    ProgressReporter reporter(progress, lines.LineStartOffset(LineIndex(lines.Count())).Value());
    // Every line with the break it had in the file (or the document's, for a new one).
    lines.WriteFileText(
        [&](std::string_view piece) {
            reporter.Add(piece.size());
            return write(piece);
        },
        BreakAfterLast() ? TSynFinalBreak::Yes : TSynFinalBreak::No);
}

void TEngineView::SetTextEncoding(const Encoding& encoding) {
    editor.SetTextEncoding(encoding);
}

std::unique_ptr<SearchEditor> TEngineView::SearchSource() const {
    return MakeSearchEditor(editor);
}

TPlainView::TPlainView(TMemo& editor) : TEngineView(editor), memo(editor) {}

QPoint TPlainView::Caret() const {
    return memo.CaretPos();
}

void TPlainView::SetCaret(QPoint caret) {
    memo.SetCaretPos(caret);
}

std::string TPlainView::Text() {
    return memo.Text();
}

TCodeView::TCodeView(TSynEdit& editor) : TEngineView(editor), code(editor) {}

QPoint TCodeView::Caret() const {
    return {code.CaretX() - 1, code.CaretY() - 1};
}

void TCodeView::SetCaret(QPoint caret) {
    code.SetCaretXY(caret.x() + 1, caret.y() + 1);
}

std::string TCodeView::Text() {
    return code.Lines().Text();
}

TSynCustomHighlighter* TCodeView::ColouringHighlighter() const {
    return code.ColouringHighlighter();
}

// The code editor writes a break after its last line when its text had one.
bool TCodeView::BreakAfterLast() const {
    return code.Lines().BreakAfterLast();
}

// ---- The rich editor ----

TRichView::TRichView(TRxRichEdit& editor, const TMyMemo& document)
    : editor(editor), document(document) {}

TRichView::~TRichView() = default;

QWidget& TRichView::Widget() const {
    return editor;
}

QPoint TRichView::Caret() const {
    return editor.CaretPos();
}

void TRichView::SetCaret(QPoint caret) {
    editor.SetCaretPos(caret);
}

void TRichView::SelectAll() {
    editor.SelectAll();
}

void TRichView::DeleteSelection() {
    editor.ClearSelection();
}

bool TRichView::CanUndo() const {
    return editor.CanUndo();
}

void TRichView::Undo() {
    editor.Undo();
}

void TRichView::Cut() {
    editor.CutToClipboard();
}

void TRichView::Copy() {
    editor.CopyToClipboard();
}

void TRichView::Paste() {
    editor.PasteFromClipboard();
}

TSynEditStringList& TRichView::Lines() {
    if (!lines)
        lines = std::make_unique<TSynEditStringList>();
    FromRichEditor(editor, *document.FileEncoding.encoding, *lines, vmRich, {}, {});
    return *lines;
}

std::string TRichView::Text() {
    return Lines().Text();
}

void TRichView::WriteFileText(const Writer& write, const ProgressHook& progress,
                              std::size_t& unencodable) const {
    const Encoding& encoding = *document.FileEncoding.encoding;
    const TSynLineBreaks& breaks = document.RichViewBreaks;
    auto mark = breaks.marks.begin();
    std::string text;
    int line = 0;
    editor.ForEachLine(
        [&](const QString& lineText) {
            if (line > 0) {
                // The break after the line before.
                while (mark != breaks.marks.end() && mark->line.Value() < line - 1)
                    ++mark;
                const bool marked = mark != breaks.marks.end() && mark->line.Value() == line - 1;
                text += LineBreakOf(marked ? mark->format : breaks.format);
            }
            ++line;
            text += FromQString(lineText, encoding);
            unencodable += UnencodableCount(lineText, encoding);
        },
        progress);
    write(text);
}

void TRichView::SetTextEncoding(const Encoding& encoding) {
    editor.SetTextEncoding(encoding);
}

std::unique_ptr<SearchEditor> TRichView::SearchSource() const {
    return MakeSearchEditor(editor);
}
