// The Edit menu: clipboard and undo on the editor of the current view mode, the undo snapshot
// the text functions leave, Go to, and the caret position in the status bar.

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/StatusField.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/GoToLineDialog.h"
#include "search/qt/SearchController.h"

#include <QLabel>

std::span<const MenuItem> EditMenu() {
    // The items tagged ContextMenuTopTag also open the editors' context menu.
    constexpr int top = TForm1::ContextMenuTopTag;
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
    if (TRxRichEdit* rich = ActiveRichEditor(document)) {
        rich->Undo();
        return;
    }
    if (document.ViewMode == vmCode) {
        if (document.CodeEditor->CanUndo())
            document.CodeEditor->Undo();
        return;
    }
    TMemo* editor = document.PlainEditor;
    if (editor->CanUndo())
        editor->Undo();
    else if (!document.UndoSnapshot.empty() && document.UndoSnapshot != editor->Text()) {
        editor->SetText(document.UndoSnapshot);
        editor->Lines().SetLineBreaks(document.UndoSnapshotBreaks);
        ShowDocumentLineBreaks();
    }
}

void TForm1::mniCutClick() {
    if (TRxRichEdit* rich = ActiveRichEditor(CurrentDocument()))
        rich->CutToClipboard();
    else
        ActiveEditor(CurrentDocument())->CutToClipboard();
}

void TForm1::mniCopyClick() {
    if (TRxRichEdit* rich = ActiveRichEditor(CurrentDocument()))
        rich->CopyToClipboard();
    else
        ActiveEditor(CurrentDocument())->CopyToClipboard();
}

void TForm1::mniPasteClick() {
    if (TRxRichEdit* rich = ActiveRichEditor(CurrentDocument()))
        rich->PasteFromClipboard();
    else
        ActiveEditor(CurrentDocument())->PasteFromClipboard();
}

void TForm1::mniDeleteClick() {
    if (TRxRichEdit* rich = ActiveRichEditor(CurrentDocument())) {
        rich->ClearSelection();
        return;
    }
    TSynEditWidget* editor = ActiveEditor(CurrentDocument());
    if (!editor->ReadOnly())
        editor->Engine().DeleteSelection();
}

void TForm1::mniSelectAllClick() {
    if (TRxRichEdit* rich = ActiveRichEditor(CurrentDocument()))
        rich->SelectAll();
    else
        ActiveEditor(CurrentDocument())->SelectAll();
}

void TForm1::mniGotoClick() {
    const std::optional<int> number = AskLineNumber(dialogs, *Form4);
    if (!number)
        return;
    TMyMemo& document = CurrentDocument();
    if (document.ViewMode == vmCode)
        document.CodeEditor->SetCaretXY(1, *number);
    else if (TRxRichEdit* rich = ActiveRichEditor(document))
        rich->SetCaretPos(QPoint(0, *number - 1));
    else
        document.PlainEditor->SetCaretPos(QPoint(0, *number - 1));
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
    int line = 0;
    int column = 0;
    if (document.ViewMode == vmCode) {
        line = document.CodeEditor->CaretY();
        column = document.CodeEditor->CaretX();
    } else {
        const QPoint caret = document.ViewMode == vmRich ? document.RichEditor->CaretPos()
                                                         : document.PlainEditor->CaretPos();
        line = caret.y() + 1;
        column = caret.x() + 1;
    }
    StatusBarText->setText(QString("Line: %1  Col: %2  ").arg(line).arg(column));
    ShowDocumentLineBreaks();
    const TRxRichEdit& rich = *document.RichEditor;
    SetStatusFieldText(*StatusBarLostItems,
                       document.ViewMode == vmRich && rich.LostItemCount() > 0
                           ? QString("%1 items not kept: %2")
                                 .arg(rich.LostItemCount())
                                 .arg(QString::fromStdString(rich.LostItemNames()))
                           : QString());
}
