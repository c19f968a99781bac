#pragma once
// The window's side of find and replace: the two modeless dialogs, kept with their texts for
// the life of the window, and the commands Find (Ctrl+F), Find Next (F3) and Replace (Ctrl+H).
// Each button runs one step of the search on the editor the window names at that moment and
// shows, closes or reports as the step's outcome says; the message goes through Dialogs.
// While a dialog is open, the active plain or code editor marks the matches of its find text in
// the lines in view, and a status bar field counts them in the whole text (on a thread of its
// own for a big text, so the window never waits for it).

#include "search/qt/SearchDialog.h"
#include "search/qt/SearchEditor.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

class Dialogs;
class QLabel;
class QTimer;
class TSynEditWidget;
enum class SearchOutcome;
struct MatchCount;

// A QObject only to die with the window; it has no signals of its own.
class TSearchController : public QObject {
public:
    // The editor of the current document's view mode, or null when there is none.
    using EditorSource = std::function<std::unique_ptr<SearchEditor>()>;

    TSearchController(QWidget* window, Dialogs& dialogs, EditorSource activeEditor);
    ~TSearchController() override;

    // Edit > Find and Edit > Replace: show the dialog, or bring it to the front.
    void ShowFindDialog();
    void ShowReplaceDialog();
    // Edit > Find Next (F3): the Find dialog's Find Next, with its text and Match case.
    void FindNext();
    // The field that shows "N matches" while a dialog is open.
    void ShowMatchCountIn(QLabel* label);
    // The window shows another editor (another tab or view mode): the marks move to it.
    void ActiveEditorChanged();

    TSearchDialog* FindDialog = nullptr;
    TSearchDialog* ReplaceDialog = nullptr;

private:
    enum class Button { FindNext, Replace, ReplaceAll };
    void Press(TSearchDialog& dialog, Button button);
    static SearchOutcome Run(SearchEditor& editor, const SearchRequest& request,
                             SearchDialogKind dialog, Button button);
    // The open dialog whose find text is marked: the one used last when both are open.
    TSearchDialog* MarkedDialog() const;
    void RefreshMarks();
    void Recount();
    void ShowCount(const MatchCount& count);

    Dialogs& dialogs;
    EditorSource activeEditor;
    TSearchDialog* lastUsed = nullptr;
    QPointer<TSynEditWidget> marked;
    QMetaObject::Connection markedChanges;
    QPointer<QLabel> countLabel;
    QTimer* recountTimer = nullptr;
    // Each count has its number; a count that ends after a newer one began is dropped.
    std::uint64_t countNumber = 0;
    std::jthread counter;
};
