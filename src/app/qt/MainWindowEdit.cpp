// The Edit menu: clipboard and undo on the editor of the current view mode, the undo snapshot
// the text functions leave, Go to, and the caret position in the status bar.

#include "app/qt/MainWindow.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/Dialogs.h"
#include "search/qt/GoToLineDialog.h"

#include <QLabel>
#include <QLineEdit>

void TForm1::TakeUndoSnapshot() {
    CurrentDocument().UndoSnapshot = CurrentPlainEditor()->Text();
}

void TForm1::mniUndoClick() {
    TMyMemo& document = CurrentDocument();
    if (document.ViewMode == vmCode) {
        if (document.CodeEditor->CanUndo())
            document.CodeEditor->Undo();
        return;
    }
    TMemo* editor = document.PlainEditor;
    if (editor->CanUndo())
        editor->Undo();
    else if (!document.UndoSnapshot.empty() && document.UndoSnapshot != editor->Text())
        editor->SetText(document.UndoSnapshot);
}

void TForm1::mniCutClick() {
    ActiveEditor(CurrentDocument())->CutToClipboard();
}

void TForm1::mniCopyClick() {
    ActiveEditor(CurrentDocument())->CopyToClipboard();
}

void TForm1::mniPasteClick() {
    ActiveEditor(CurrentDocument())->PasteFromClipboard();
}

void TForm1::mniDeleteClick() {
    TSynEditWidget* editor = ActiveEditor(CurrentDocument());
    if (!editor->ReadOnly())
        editor->Engine().DeleteSelection();
}

void TForm1::mniSelectAllClick() {
    ActiveEditor(CurrentDocument())->SelectAll();
}

void TForm1::mniGotoClick() {
    if (!dialogs.Exec(*Form4))
        return;
    const QString text = Form4->Edit1->text();
    const std::optional<int> number = ParseLineNumber(text);
    if (!number) {
        dialogs.ShowError("Tabrix Pro",
                          QString("'%1' is not a valid integer value").arg(TrimBlanks(text)));
        return;
    }
    TMyMemo& document = CurrentDocument();
    if (document.ViewMode == vmCode)
        document.CodeEditor->SetCaretXY(1, *number);
    else
        document.PlainEditor->SetCaretPos(QPoint(0, *number - 1));
    ShowCaretPosition();
}

void TForm1::ShowCaretPosition() {
    const TMyMemo& document = CurrentDocument();
    int line = 0;
    int column = 0;
    if (document.ViewMode == vmCode) {
        line = document.CodeEditor->CaretY();
        column = document.CodeEditor->CaretX();
    } else {
        const QPoint caret = document.PlainEditor->CaretPos();
        line = caret.y() + 1;
        column = caret.x() + 1;
    }
    StatusBarText->setText(QString("Line: %1  Col: %2  ").arg(line).arg(column));
}
