// The Edit menu: clipboard and undo on the editor of the current view mode, the undo snapshot
// the text functions leave, Go to, and the caret position in the status bar.

#include "app/qt/ContextMenu.h"
#include "app/qt/DocumentFormats.h"
#include "app/qt/DocumentView.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "codeedit/qt/Memo.h"
#include "platform/qt/StatusField.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/GoToLineDialog.h"
#include "search/qt/SearchController.h"

#include <QLabel>

std::span<const MenuItem> EditMenu() {
    // The items tagged ContextMenuTopTag also open the editors' context menu.
    constexpr int top = TEditorContextMenu::ContextMenuTopTag;
    static const MenuItem rows[] = {
        {.name = "mniUndo",
         .caption = "&Undo",
         .shortcuts = {"Ctrl+Z"},
         .tag = top,
         .handler = Call<&TForm1::mniUndoClick>},
        {.tag = top},
        {.name = "mniCut",
         .caption = "Cu&t",
         .shortcuts = {"Ctrl+X"},
         .tag = top,
         .handler = Call<&TForm1::mniCutClick>,
         .button = {"tbCut", "Cut", "Cut", "edit-cut", {ToolRow::First, 2, 1}}},
        {.name = "mniCopy",
         .caption = "&Copy",
         .shortcuts = {"Ctrl+C"},
         .tag = top,
         .handler = Call<&TForm1::mniCopyClick>,
         .button = {"tbCopy", "Copy", "Copy", "edit-copy", {ToolRow::First, 2, 2}}},
        {.name = "mniPaste",
         .caption = "&Paste",
         .shortcuts = {"Ctrl+V"},
         .tag = top,
         .handler = Call<&TForm1::mniPasteClick>,
         .button = {"tbPaste", "Paste", "Paste", "edit-paste", {ToolRow::First, 2, 3}}},
        {.name = "mniDelete", .caption = "&Delete", .handler = Call<&TForm1::mniDeleteClick>},
        {.tag = top},
        {.name = "mniSelectAll",
         .caption = "Select &All",
         .shortcuts = {"Ctrl+A"},
         .tag = top,
         .handler = Call<&TForm1::mniSelectAllClick>},
        {.tag = top},
        {.name = "mniGoto",
         .caption = "&Go to",
         .shortcuts = {"Ctrl+G"},
         .handler = Call<&TForm1::mniGotoClick>},
        {.name = "mniFind",
         .caption = "&Find...",
         .shortcuts = {"Ctrl+F"},
         .handler = Call<&TForm1::mniFindClick>,
         .button = {"ToolButton12", "Find", "Find", "edit-find", {ToolRow::First, 3, 1}}},
        {.name = "FindNext1",
         .caption = "Find &Next",
         .shortcuts = {"F3"},
         .handler = Call<&TForm1::FindNext1Click>},
        {.name = "mniReplace",
         .caption = "&Replace",
         .shortcuts = {"Ctrl+H"},
         .handler = Call<&TForm1::mniReplaceClick>,
         .button =
             {"ToolButton13", "Replace", "Replace", "edit-find-replace", {ToolRow::First, 3, 2}}},
    };
    return rows;
}

void TForm1::TakeUndoSnapshot() {
    CurrentDocument().UndoSnapshot = CurrentPlainEditor()->Text();
    CurrentDocument().UndoSnapshotBreaks = CurrentPlainEditor()->Lines().LineBreaks();
}

void TForm1::mniUndoClick() {
    TMyMemo& document = CurrentDocument();
    TDocumentView& view = document.View();
    if (view.CanUndo()) {
        view.Undo();
        return;
    }
    // Past the plain editor's own undo: the text before the last text function.
    TMemo* editor = document.PlainEditor;
    if (document.ViewMode == vmPlain && !document.UndoSnapshot.empty() &&
        document.UndoSnapshot != editor->Text()) {
        editor->SetText(document.UndoSnapshot);
        editor->Lines().SetLineBreaks(document.UndoSnapshotBreaks);
        formats->ShowDocumentLineBreaks();
    }
}

void TForm1::mniCutClick() {
    CurrentDocument().View().Cut();
}

void TForm1::mniCopyClick() {
    CurrentDocument().View().Copy();
}

void TForm1::mniPasteClick() {
    CurrentDocument().View().Paste();
}

void TForm1::mniDeleteClick() {
    CurrentDocument().View().DeleteSelection();
}

void TForm1::mniSelectAllClick() {
    CurrentDocument().View().SelectAll();
}

void TForm1::mniGotoClick() {
    const std::optional<int> number = AskLineNumber(dialogs, *Form4);
    if (!number)
        return;
    CurrentDocument().View().SetCaret(QPoint(0, *number - 1));
    ShowCaretPosition();
}

void TForm1::mniFindClick() {
    search->ShowFindDialog();
}

void TForm1::FindNext1Click() {
    search->FindNext();
}

void TForm1::mniReplaceClick() {
    search->ShowReplaceDialog();
}

void TForm1::ShowCaretPosition() {
    const TMyMemo& document = CurrentDocument();
    const QPoint caret = document.View().Caret();
    StatusBarText->setText(QString("Line: %1  Col: %2  ").arg(caret.y() + 1).arg(caret.x() + 1));
    formats->ShowDocumentLineBreaks();
    const TRxRichEdit& rich = *document.RichEditor;
    SetStatusFieldText(*StatusBarLostItems,
                       document.ViewMode == vmRich && rich.LostItemCount() > 0
                           ? QString("%1 items not kept: %2")
                                 .arg(rich.LostItemCount())
                                 .arg(QString::fromStdString(rich.LostItemNames()))
                           : QString());
}
