// View modes: which of a document's editors holds its text, switching between them, and the
// menus and tool buttons each mode shows (the view-mode column of the menu tables).

#include "app/qt/MainWindow.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"

#include <QStackedWidget>

TSynEditWidget* TForm1::ActiveEditor(const TMyMemo& document) const {
    if (document.ViewMode == vmCode)
        return document.CodeEditor;
    return document.PlainEditor;
}

TSynEditStringList& TForm1::CurrentLines() {
    return ActiveEditor(CurrentDocument())->Lines();
}

void TForm1::ShowActiveEditor() {
    if (!initialised)
        return;
    TSynEditWidget* editor = ActiveEditor(CurrentDocument());
    QWidget* previous = EditorArea->currentWidget();
    if (previous && previous != editor)
        previous->setUpdatesEnabled(false);
    editor->setUpdatesEnabled(true);
    editor->show();
    EditorArea->setCurrentWidget(editor);
    editor->setFocus();
}

void TForm1::FocusActiveEditor() {
    ActiveEditor(CurrentDocument())->setFocus();
}

void TForm1::UpdateModeMenus() {
    menus.ShowFor(CurrentDocument().ViewMode);
}

void TForm1::SetViewMode(int mode) {
    TMyMemo& document = CurrentDocument();
    if (mode == vmCode && document.ViewMode != vmCode)
        document.CodeEditor->SetText(document.PlainEditor->Text());
    else if (mode == vmPlain && document.ViewMode == vmCode)
        document.PlainEditor->SetText(document.CodeEditor->Text());
    document.ViewMode = mode;
    ShowTabBarWhenNeeded();
    RefreshCurrentTab();
}
