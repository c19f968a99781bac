// View modes: which of a document's editors holds its text, switching between them, the
// highlighter of the code editor, and the menus and tool buttons each mode shows (the
// view-mode column of the menu tables).

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"

#include <QMenu>
#include <QStackedWidget>

std::span<const MenuItem> ViewModeMenu() {
    static const MenuItem rows[] = {
        {.name = "mniPlain",
         .caption = "Plain Text Editor",
         .tag = vmPlain,
         .handler = Call<&TForm1::mniPlainClick>,
         .check = MenuCheck::RadioChecked,
         .action = &TForm1::mniPlain},
        {.name = "mniSyn",
         .caption = "Code Editor",
         .tag = vmCode,
         .handler = Call<&TForm1::mniPlainClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TForm1::mniSyn},
        {.name = "mniRich",
         .caption = "Rich Text Editor",
         .tag = vmRich,
         .handler = Call<&TForm1::mniPlainClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TForm1::mniRich},
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

// The plain editor counts the empty line after a final line break as a line, as an edit
// control's text does; a line list does not, and the code editor writes a break after every
// line. Dropping it on the way in and adding it on the way out keeps the text and its bytes
// on disk the same across a round trip. The lines themselves are shared, not copied.
void CopyLines(const TSynEditStringList& source, TSynEditStringList& target, int toMode) {
    target.BeginUpdate();
    target.Assign(source);
    const int count = target.Count();
    if (toMode == vmCode && count > 0 && target.Get(count - 1).empty())
        target.Delete(count - 1);
    else if (toMode == vmPlain)
        target.Add("");
    target.EndUpdate();
}

// Caret as a 0-based column (characters) and line.
QPoint CaretOf(const TMyMemo& document, int mode) {
    if (mode == vmCode)
        return {document.CodeEditor->CaretX() - 1, document.CodeEditor->CaretY() - 1};
    return document.PlainEditor->CaretPos();
}

void PlaceCaret(TMyMemo& document, int mode, QPoint caret) {
    if (mode == vmCode)
        document.CodeEditor->SetCaretXY(caret.x() + 1, caret.y() + 1);
    else
        document.PlainEditor->SetCaretPos(caret);
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

TSynEditWidget* EditorOf(const TMyMemo& document, int mode) {
    if (mode == vmCode)
        return document.CodeEditor;
    return document.PlainEditor;
}

} // namespace

TSynEditWidget* TForm1::ActiveEditor(const TMyMemo& document) const {
    return EditorOf(document, document.ViewMode);
}

TSynEditStringList& TForm1::CurrentLines() {
    return ActiveEditor(CurrentDocument())->Lines();
}

void TForm1::ShowActiveEditor() {
    if (!initialised)
        return;
    TSynEditWidget* editor = ActiveEditor(CurrentDocument());
    editor->show();
    EditorArea->setCurrentWidget(editor);
    editor->setFocus();
}

void TForm1::FocusActiveEditor() {
    ActiveEditor(CurrentDocument())->setFocus();
}

void TForm1::CheckViewModeItems() {
    const int mode = CurrentDocument().ViewMode;
    for (QAction* item : {mniPlain, mniSyn, mniRich})
        item->setChecked(item->data().toInt() == mode);
}

void TForm1::UpdateModeMenus() {
    menus.ShowFor(CurrentDocument().ViewMode);
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
    document.ViewMode = mode;
    if (mode != old) {
        const QPoint caret = CaretOf(document, old);
        TSynEditWidget* to = EditorOf(document, mode);
        CopyLines(EditorOf(document, old)->Lines(), to->Lines(), mode);
        PlaceCaret(document, mode, caret);
        to->EnsureCaretVisible();
    }
    ShowActiveEditor();
    CheckViewModeItems();
    ShowTabBarWhenNeeded();
    UpdateModeMenus();
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
