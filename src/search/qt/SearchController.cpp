#include "search/qt/SearchController.h"

#include "platform/qt/Dialogs.h"
#include "platform/qt/EncodingQt.h"
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

SearchOutcome TSearchController::Run(SearchEditor& editor, const SearchRequest& request,
                                     SearchDialogKind dialog, Button button) {
    switch (button) {
    case Button::FindNext:
        return FindNextMatch(editor, request, dialog);
    case Button::Replace:
        return ReplaceAndFindNext(editor, request);
    case Button::ReplaceAll:
        return ReplaceAllMatches(editor, request);
    }
    return SearchOutcome::EmptyFindText;
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
    // A character the text cannot hold matches nothing; searching for the '?' it would become
    // could find a question mark instead.
    const SearchOutcome outcome =
        UnencodableCount(dialog.FindText(), editor->TextEncoding()) == 0
            ? Run(*editor, dialog.Request(editor->TextEncoding()), dialog.Kind(), button)
        : editor->Selection().Empty() || dialog.Kind() == SearchDialogKind::Find
            ? SearchOutcome::NotFound
            : SearchOutcome::DialogClosed;
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
