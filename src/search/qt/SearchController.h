#pragma once
// The window's side of find and replace: the two modeless dialogs, kept with their texts for
// the life of the window, and the commands Find (Ctrl+F), Find Next (F3) and Replace (Ctrl+H).
// Each button runs one step of the search on the editor the window names at that moment and
// shows, closes or reports as the step's outcome says; the message goes through Dialogs.

#include "search/qt/SearchDialog.h"
#include "search/qt/SearchEditor.h"

#include <QObject>
#include <functional>
#include <memory>

class Dialogs;
enum class SearchOutcome;

// A QObject only to die with the window; it has no signals of its own.
class TSearchController : public QObject {
public:
    // The editor of the current document's view mode, or null when there is none.
    using EditorSource = std::function<std::unique_ptr<SearchEditor>()>;

    TSearchController(QWidget* window, Dialogs& dialogs, EditorSource activeEditor);

    // Edit > Find and Edit > Replace: show the dialog, or bring it to the front.
    void ShowFindDialog();
    void ShowReplaceDialog();
    // Edit > Find Next (F3): the Find dialog's Find Next, with its text and Match case.
    void FindNext();

    TSearchDialog* FindDialog = nullptr;
    TSearchDialog* ReplaceDialog = nullptr;

private:
    enum class Button { FindNext, Replace, ReplaceAll };
    void Press(TSearchDialog& dialog, Button button);
    static SearchOutcome Run(SearchEditor& editor, const SearchRequest& request,
                             SearchDialogKind dialog, Button button);

    Dialogs& dialogs;
    EditorSource activeEditor;
};
