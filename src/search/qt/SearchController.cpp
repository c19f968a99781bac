#include "search/qt/SearchController.h"

#include "platform/qt/Dialogs.h"
#include "search/FindReplace.h"

TSearchController::TSearchController(QWidget* window, Dialogs& dialogs, EditorSource activeEditor)
    : QObject(window), dialogs(dialogs), activeEditor(std::move(activeEditor)) {
    FindDialog = new TSearchDialog(SearchDialogKind::Find, window);
    ReplaceDialog = new TSearchDialog(SearchDialogKind::Replace, window);
    ReplaceDialog->SetFindText("asdasd");
    ReplaceDialog->SetReplaceText("asd");
    connect(FindDialog, &TSearchDialog::FindNextPressed, this,
            [this] { Press(*FindDialog, Button::FindNext); });
    connect(ReplaceDialog, &TSearchDialog::FindNextPressed, this,
            [this] { Press(*ReplaceDialog, Button::FindNext); });
    connect(ReplaceDialog, &TSearchDialog::ReplacePressed, this,
            [this] { Press(*ReplaceDialog, Button::Replace); });
    connect(ReplaceDialog, &TSearchDialog::ReplaceAllPressed, this,
            [this] { Press(*ReplaceDialog, Button::ReplaceAll); });
}

void TSearchController::ShowFindDialog() {
    FindDialog->Execute();
}

void TSearchController::ShowReplaceDialog() {
    ReplaceDialog->Execute();
}

void TSearchController::FindNext() {
    Press(*FindDialog, Button::FindNext);
}

void TSearchController::Press(TSearchDialog& dialog, Button button) {
    if (dialog.FindText().isEmpty()) {
        dialog.Execute();
        return;
    }
    const std::unique_ptr<SearchEditor> editor = activeEditor();
    if (!editor)
        return;
    if (dialog.Kind() == SearchDialogKind::Find)
        dialog.close();
    const SearchRequest request = dialog.Request(editor->TextEncoding());
    SearchOutcome outcome = SearchOutcome::EmptyFindText;
    switch (button) {
    case Button::FindNext:
        outcome = FindNextMatch(*editor, request, dialog.Kind());
        break;
    case Button::Replace:
        outcome = ReplaceAndFindNext(*editor, request);
        break;
    case Button::ReplaceAll:
        outcome = ReplaceAllMatches(*editor, request);
        break;
    }
    switch (outcome) {
    case SearchOutcome::EmptyFindText:
        dialog.Execute();
        break;
    case SearchOutcome::Selected:
        editor->TakeFocus();
        break;
    case SearchOutcome::NotFound:
        dialogs.Message(MessageKind::Plain, "Tabrix Pro", NotFoundMessage, MessageButtons::Ok);
        break;
    case SearchOutcome::DialogClosed:
        dialog.close();
        break;
    }
}
