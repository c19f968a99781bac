// View modes: which of a document's editors holds its text, switching between them, the
// highlighter of the code editor, and the menus and tool buttons each mode shows (the
// view-mode column of the menu tables).

#include "app/qt/DocumentCaret.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/StatusBarProgress.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/EncodingQt.h"
#include "richedit/qt/RichEdit.h"

#include <QMenu>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <utility>

std::span<const MenuItem> ViewModeMenu() {
    static const MenuItem rows[] = {
        {.name = "mniPlain",
         .caption = "Plain Text Editor",
         .tag = vmPlain,
         .handler = Call<&TForm1::mniPlainClick>,
         .check = MenuCheck::RadioChecked,
         .action = &TWindowParts::mniPlain},
        {.name = "mniSyn",
         .caption = "Code Editor",
         .tag = vmCode,
         .handler = Call<&TForm1::mniPlainClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TWindowParts::mniSyn},
        {.name = "mniRich",
         .caption = "Rich Text Editor",
         .tag = vmRich,
         .handler = Call<&TForm1::mniPlainClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TWindowParts::mniRich},
    };
    return rows;
}

std::span<const MenuItem> CodeEditorModeMenu() {
    constexpr auto Pick = Call<&TForm1::CodeEditorModeClick>;
    constexpr auto Radio = MenuCheck::RadioUnchecked;
    static const MenuItem rows[] = {
        // The first document's code editor starts with HTML.
        {.name = "html1",
         .caption = "html",
         .handler = Pick,
         .check = MenuCheck::RadioChecked,
         .command = ".html"},
        {.name = "php1", .caption = "php", .handler = Pick, .check = Radio, .command = ".php"},
        {.name = "c1", .caption = "c++", .handler = Pick, .check = Radio, .command = ".cpp"},
        {.name = "java1", .caption = "java", .handler = Pick, .check = Radio, .command = ".java"},
        {.name = "pas1", .caption = "pas", .handler = Pick, .check = Radio, .command = ".pas"},
        {.name = "bas1", .caption = "bas", .handler = Pick, .check = Radio, .command = ".bas"},
        {.name = "css1", .caption = "css", .handler = Pick, .check = Radio, .command = ".css"},
        {.name = "xml1", .caption = "xml", .handler = Pick, .check = Radio, .command = ".xml"},
        {.name = "perl1", .caption = "perl", .handler = Pick, .check = Radio, .command = ".perl"},
        {.name = "sql1", .caption = "sql", .handler = Pick, .check = Radio, .command = ".sql"},
        {.name = "ini1", .caption = "ini", .handler = Pick, .check = Radio, .command = ".ini"},
    };
    return rows;
}

namespace {

// The plain and the rich editor count the empty line after a final line break as a line, as
// an edit control's text does; a line list does not, and the code editor writes a break after
// its last line when its text had one. Dropping the empty line on the way into code view and
// adding it on the way out keeps the text and its bytes on disk the same across a round trip.
bool EndsWithEmptyLine(const TSynEditStringList& lines) {
    return lines.Count() > 0 && lines.Get(lines.Count() - 1).empty();
}

// Into code view: the empty last line becomes the break after the last line.
void DropFinalEmptyLine(TSynEditStringList& lines) {
    const bool finalBreak = EndsWithEmptyLine(lines);
    if (finalBreak)
        lines.Delete(lines.Count() - 1);
    lines.SetBreakAfterLast(finalBreak);
}

// Between the plain and the code editor the lines are shared, not copied; so are their breaks.
void CopyLines(const TSynEditStringList& source, TSynEditStringList& target, int toMode) {
    target.BeginUpdate();
    target.Assign(source);
    if (toMode == vmCode)
        DropFinalEmptyLine(target);
    else if (toMode == vmPlain && source.BreakAfterLast())
        target.Add("");
    target.EndUpdate();
}

// The lines go into the rich editor a piece at a time: a big text shows its progress between
// pieces and is never held as one string of characters.
void FillRichEditor(TRxRichEdit& editor, const TSynEditStringList& lines, const Encoding& encoding,
                    int fromMode, const ProgressHook& progress) {
    const int count = lines.Count();
    // The code editor's break after its last line shows as an empty line in the rich editor.
    const bool finalBreak = fromMode == vmCode && count > 0 && lines.BreakAfterLast();
    ProgressReporter reporter(progress, lines.LineStartOffset(count, 1));
    int next = 0;
    std::string bytes;
    editor.SetUnformattedText([&](QString& piece) {
        if (next == count)
            return false;
        bytes.clear();
        while (next < count && bytes.size() < TRxRichEdit::kPieceBytes) {
            if (next > 0)
                bytes += '\n';
            bytes += lines.Get(next++);
        }
        if (next == count && finalBreak)
            bytes += '\n';
        piece = ToQString(bytes, encoding);
        reporter.Add(bytes.size());
        return true;
    });
}

// The lines take the breaks they had before they went into the rich editor, by their place.
void FromRichEditor(const TRxRichEdit& editor, const Encoding& encoding, TSynEditStringList& target,
                    int toMode, const ProgressHook& progress, const TSynLineBreaks& breaks = {}) {
    std::vector<std::string> lines;
    editor.ForEachLine([&](const QString& line) { lines.push_back(FromQString(line, encoding)); },
                       progress);
    target.BeginUpdate();
    target.Clear();
    target.InsertLines(0, lines);
    target.SetLineBreaks(breaks);
    if (toMode == vmCode)
        DropFinalEmptyLine(target);
    // The plain editor shows an empty text as one empty line.
    if (target.Count() == 0 && toMode == vmPlain)
        target.Add("");
    target.EndUpdate();
}

QString ViewModeName(int mode) {
    if (mode == vmCode)
        return "code view";
    if (mode == vmRich)
        return "rich view";
    return "plain view";
}

// Where an item of the font menu shows: in code view only the fixed-pitch fonts, in rich view
// all but "MS Sans Serif, 10". A separator is told by the item before it; the one after
// "Small Fonts, 7" stays in code view, between the fixed-pitch fonts and the rest.
ViewModes QuickFontModes(const QString& caption, bool separator) {
    if (separator)
        return caption == "Small Fonts, 7" ? InEveryView : ViewModes(InPlainView | InRichView);
    if (caption == "MS Sans Serif, 10")
        return InPlainView;
    for (const char* fixedPitch : {"Courier New, 10", "Lucida Console, 10", "Terminal, 10"}) {
        if (caption == QLatin1String(fixedPitch))
            return InEveryView;
    }
    return ViewModes(InPlainView | InRichView);
}

// The rich editor is no editor of our engine: nothing for a mode that shows it.
TSynEditWidget* EditorOf(const TMyMemo& document, int mode) {
    if (mode == vmCode)
        return document.CodeEditor;
    if (mode == vmRich)
        return nullptr;
    return document.PlainEditor;
}

QWidget* WidgetOf(const TMyMemo& document, int mode) {
    if (mode == vmRich)
        return document.RichEditor;
    return EditorOf(document, mode);
}

} // namespace

QPoint CaretOf(const TMyMemo& document, int mode) {
    if (mode == vmCode)
        return {document.CodeEditor->CaretX() - 1, document.CodeEditor->CaretY() - 1};
    if (mode == vmRich)
        return document.RichEditor->CaretPos();
    return document.PlainEditor->CaretPos();
}

void PlaceCaret(TMyMemo& document, int mode, QPoint caret) {
    if (mode == vmCode)
        document.CodeEditor->SetCaretXY(caret.x() + 1, caret.y() + 1);
    else if (mode == vmRich)
        document.RichEditor->SetCaretPos(caret);
    else
        document.PlainEditor->SetCaretPos(caret);
}

TSynEditWidget* TForm1::ActiveEditor(const TMyMemo& document) const {
    return EditorOf(document, document.ViewMode);
}

TRxRichEdit* TForm1::ActiveRichEditor(const TMyMemo& document) const {
    return document.ViewMode == vmRich ? document.RichEditor : nullptr;
}

QWidget* TForm1::ActiveWidget(const TMyMemo& document) const {
    return WidgetOf(document, document.ViewMode);
}

TSynEditStringList& TForm1::CurrentLines() {
    TMyMemo& document = CurrentDocument();
    if (document.ViewMode != vmRich)
        return ActiveEditor(document)->Lines();
    // The rich editor's plain text, as lines of a list of its own.
    if (!richLines)
        richLines = std::make_unique<TSynEditStringList>();
    FromRichEditor(*document.RichEditor, *document.FileEncoding.encoding, *richLines, vmRich, {});
    return *richLines;
}

void TForm1::ShowActiveEditor() {
    if (!initialised)
        return;
    QWidget* editor = ActiveWidget(CurrentDocument());
    QWidget* previous = EditorArea->currentWidget();
    if (previous && previous != editor)
        previous->setUpdatesEnabled(false);
    editor->setUpdatesEnabled(true);
    editor->show();
    EditorArea->setCurrentWidget(editor);
    editor->setFocus();
}

void TForm1::FocusActiveEditor() {
    ActiveWidget(CurrentDocument())->setFocus();
}

void TForm1::CheckViewModeItems() {
    const int mode = CurrentDocument().ViewMode;
    for (QAction* item : {mniPlain, mniSyn, mniRich})
        item->setChecked(item->data().toInt() == mode);
}

void TForm1::UpdateModeMenus() {
    menus.ShowFor(CurrentDocument().ViewMode);
    UpdateFormatChecks();
}

void TForm1::TrackQuickFontModes() {
    QString previous;
    for (QAction* item : mnuFont->actions()) {
        const ViewModes modes =
            QuickFontModes(item->isSeparator() ? previous : item->text(), item->isSeparator());
        if (modes != InEveryView)
            menus.Track(*item, modes);
        previous = item->text();
    }
}

void TForm1::SetViewMode(int mode) {
    TMyMemo& document = CurrentDocument();
    const int old = document.ViewMode;
    if (mode != old) {
        const QPoint caret = CaretOf(document, old);
        // The document stays in its old view, whole, until its text has arrived: a recovery copy
        // taken while a big text moves reads the old editor.
        CarryText(document, old, mode);
        document.ViewMode = mode;
        PlaceCaret(document, mode, caret);
        if (TSynEditWidget* editor = EditorOf(document, mode))
            editor->EnsureCaretVisible();
    }
    // The copy records the view mode too.
    recovery->Changed(&document);
    ShowActiveEditor();
    CheckViewModeItems();
    ShowTabBarWhenNeeded();
    UpdateModeMenus();
    ShowDocumentLineBreaks();
}

void TForm1::CarryText(TMyMemo& document, int fromMode, int toMode) {
    const Encoding& encoding = *document.FileEncoding.encoding;
    StatusBarProgress progress(StatusBarText, "Switching to " + ViewModeName(toMode));
    if (toMode == vmRich) {
        const TSynEditStringList& lines = EditorOf(document, fromMode)->Lines();
        FillRichEditor(*document.RichEditor, lines, encoding, fromMode, progress.Hook());
        document.RichViewBreaks = lines.LineBreaks();
    } else if (fromMode == vmRich) {
        FromRichEditor(*document.RichEditor, encoding, EditorOf(document, toMode)->Lines(), toMode,
                       progress.Hook(), document.RichViewBreaks);
        // Its copy would hold a big text a second time (and more, as characters and blocks);
        // the text goes back in unformatted anyway. Emptying it is no edit of the document.
        const QSignalBlocker quiet(document.RichEditor);
        document.RichEditor->Clear();
    } else {
        TSynEditEngine& from = EditorOf(document, fromMode)->Engine();
        TSynEditEngine& to = EditorOf(document, toMode)->Engine();
        CopyLines(from.Lines(), to.Lines(), toMode);
        // The code editor's lines are the plain editor's but for the empty line after a final
        // break, which no edit in code view reaches: the edits logged so far stay true for the
        // new editor, and a big file's journal goes on instead of turning into whole copies.
        to.ChangeLog() = std::exchange(from.ChangeLog(), {});
    }
}

void TForm1::mniPlainClick(int mode) {
    SetViewMode(mode);
}

bool TForm1::ChangeSyn(const QString& extension) {
    const THighlighterClass* highlighterClass = FindHighlighterClass(extension.toStdString());
    if (!highlighterClass)
        return false;
    CurrentDocument().CodeEditor->SetHighlighter(
        HighlighterInstance(highlighterClass->instanceName));
    return true;
}

bool TForm1::ChangeRich(const QString& extension) {
    for (const char* rich : {".doc", ".rtf", ".docx", ".rtfx"}) {
        if (extension == QLatin1String(rich))
            return true;
    }
    return false;
}

void TForm1::CodeEditorModeClick(std::string_view extension) {
    ChangeSyn(QString::fromUtf8(extension.data(), qsizetype(extension.size())));
}
