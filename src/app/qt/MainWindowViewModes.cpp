// View modes: which of a document's editors holds its text, switching between them, the
// highlighter of the code editor, and the menus and tool buttons each mode shows (the
// view-mode column of the menu tables).

#include "app/qt/DocumentFormats.h"
#include "app/qt/DocumentView.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/StatusBarProgress.h"
#include "app/qt/ViewModeLines.h"
#include "app/qt/WindowRecovery.h"
#include "app/qt/WindowTabs.h"
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

} // namespace

void TForm1::ShowActiveEditor() {
    if (!initialised)
        return;
    QWidget* editor = &CurrentDocument().View().Widget();
    QWidget* previous = EditorArea->currentWidget();
    if (previous && previous != editor)
        previous->setUpdatesEnabled(false);
    editor->setUpdatesEnabled(true);
    editor->show();
    EditorArea->setCurrentWidget(editor);
    editor->setFocus();
}

void TForm1::FocusActiveEditor() {
    CurrentDocument().View().Widget().setFocus();
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
        const QPoint caret = document.View().Caret();
        // The document stays in its old view, whole, until its text has arrived: a recovery copy
        // taken while a big text moves reads the old editor.
        CarryText(document, old, mode);
        document.ViewMode = mode;
        document.View().SetCaret(caret);
        if (TSynEditWidget* editor = document.View().TextEditor())
            editor->EnsureCaretVisible();
    }
    // The copy records the view mode too.
    recovery->Keeper().Changed(&document);
    ShowActiveEditor();
    CheckViewModeItems();
    tabs->ShowTabBarWhenNeeded();
    UpdateModeMenus();
    formats->ShowDocumentLineBreaks();
}

void TForm1::CarryText(TMyMemo& document, int fromMode, int toMode) {
    const Encoding& encoding = *document.FileEncoding.encoding;
    StatusBarProgress progress(StatusBarText, "Switching to " + ViewModeName(toMode));
    if (toMode == vmRich) {
        const TSynEditStringList& lines = document.ViewOf(fromMode).Lines();
        FillRichEditor(*document.RichEditor, lines, encoding, fromMode, progress.Hook());
        document.RichViewBreaks = lines.LineBreaks();
    } else if (fromMode == vmRich) {
        FromRichEditor(*document.RichEditor, encoding, document.ViewOf(toMode).Lines(), toMode,
                       progress.Hook(), document.RichViewBreaks);
        // Its copy would hold a big text a second time (and more, as characters and blocks);
        // the text goes back in unformatted anyway. Emptying it is no edit of the document.
        const QSignalBlocker quiet(document.RichEditor);
        document.RichEditor->Clear();
    } else {
        TSynEditEngine& from = document.ViewOf(fromMode).TextEditor()->Engine();
        TSynEditEngine& to = document.ViewOf(toMode).TextEditor()->Engine();
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

void TForm1::CodeEditorModeClick(std::string_view extension) {
    ChangeSyn(QString::fromUtf8(extension.data(), qsizetype(extension.size())));
}
