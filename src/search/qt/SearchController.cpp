#include "search/qt/SearchController.h"

#include "codeedit/qt/SynEditWidget.h"
#include "platform/Progress.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EncodingQt.h"
#include "platform/qt/StatusField.h"
#include "search/EngineSearchDocument.h"
#include "search/FindReplace.h"
#include "search/MatchCount.h"

#include <QLabel>
#include <QTimer>

namespace {

// Marking and counting wait this long after the last change, so typing a find text or into
// the document does not count at every key.
constexpr int RecountDelayMilliseconds = 150;

} // namespace

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
    recountTimer = new QTimer(this);
    recountTimer->setSingleShot(true);
    recountTimer->setInterval(RecountDelayMilliseconds);
    connect(recountTimer, &QTimer::timeout, this, &TSearchController::Recount);
    for (TSearchDialog* dialog : {FindDialog, ReplaceDialog}) {
        connect(dialog, &TSearchDialog::SearchChanged, this, [this, dialog] {
            lastUsed = dialog;
            RefreshMarks();
        });
        connect(dialog, &TSearchDialog::VisibilityChanged, this, [this, dialog] {
            if (dialog->isVisible())
                lastUsed = dialog;
            RefreshMarks();
        });
    }
}

// A count still running stops at its next look and is waited for here.
TSearchController::~TSearchController() = default;

void TSearchController::ShowMatchCountIn(QLabel* label) {
    countLabel = label;
    RefreshMarks();
}

void TSearchController::ActiveEditorChanged() {
    RefreshMarks();
}

TSearchDialog* TSearchController::MarkedDialog() const {
    if (lastUsed != nullptr && lastUsed->isVisible())
        return lastUsed;
    for (TSearchDialog* dialog : {FindDialog, ReplaceDialog})
        if (dialog->isVisible())
            return dialog;
    return nullptr;
}

void TSearchController::RefreshMarks() {
    TSearchDialog* dialog = MarkedDialog();
    const std::unique_ptr<SearchEditor> editor = dialog != nullptr ? activeEditor() : nullptr;
    TSynEditWidget* widget = editor ? editor->MarkingEditor() : nullptr;
    if (marked != widget) {
        if (marked)
            marked->SetMarks({});
        disconnect(markedChanges);
        if (widget)
            markedChanges = connect(widget, &TSynEditWidget::Changed, recountTimer,
                                    qOverload<>(&QTimer::start));
        marked = widget;
    }
    if (widget) {
        const Encoding& encoding = widget->Engine().TextEncoding();
        const SearchRequest request = dialog->Request(encoding);
        const bool searchable = !dialog->FindText().isEmpty() &&
                                UnencodableCount(dialog->FindText(), encoding) == 0 &&
                                FindTextProblem(request, encoding).empty();
        widget->SetMarks(!searchable ? TSynEditWidget::MarkSource()
                                     : [widget, request](LineIndex first, LineIndex last) {
                                           EngineSearchDocument lines(widget->Engine());
                                           return MatchesOnLines(lines, request, first, last);
                                       });
    }
    recountTimer->start();
}

void TSearchController::Recount() {
    ++countNumber;
    counter = {};
    if (!countLabel)
        return;
    TSearchDialog* dialog = MarkedDialog();
    const std::unique_ptr<SearchEditor> editor = dialog != nullptr ? activeEditor() : nullptr;
    if (!editor || dialog->FindText().isEmpty() ||
        UnencodableCount(dialog->FindText(), editor->TextEncoding()) != 0) {
        SetStatusFieldText(*countLabel, {});
        return;
    }
    const Encoding& encoding = editor->TextEncoding();
    const SearchRequest request = dialog->Request(encoding);
    TSynEditWidget* widget = editor->MarkingEditor();
    if (!widget ||
        widget->Lines().LineStartOffset(LineIndex(widget->Lines().Count())).Value() <= kBigText) {
        ShowCount(CountMatches(*editor, request));
        return;
    }
    // A big text is counted in a frozen copy of its lines, which costs a few bytes a line.
    SetStatusFieldText(*countLabel, "Counting matches...");
    counter = std::jthread([this, request, &encoding, number = countNumber,
                            snapshot = widget->Lines().Snapshot()](std::stop_token stop) mutable {
        const SnapshotLines lines(std::move(snapshot), encoding);
        const MatchCount count =
            CountMatches(lines, request, [&stop] { return stop.stop_requested(); });
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, count, number] {
                if (number == countNumber)
                    ShowCount(count);
            },
            Qt::QueuedConnection);
    });
}

void TSearchController::ShowCount(const MatchCount& count) {
    if (!countLabel)
        return;
    if (!count.valid)
        SetStatusFieldText(*countLabel, {});
    else if (count.status == PatternStatus::TooComplex)
        SetStatusFieldText(*countLabel, "Too complex to count");
    else
        SetStatusFieldText(*countLabel, count.count == 1 ? QString("1 match")
                                                         : QString("%1 matches").arg(count.count));
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
    // A bad expression or replacement is told, and nothing else happens.
    const SearchRequest request = dialog.Request(editor->TextEncoding());
    const std::string problem = button == Button::FindNext
                                    ? FindTextProblem(request, editor->TextEncoding())
                                    : ReplaceTextProblem(request, editor->TextEncoding());
    if (!problem.empty()) {
        dialogs.ShowError("Tabrix Pro", QString::fromStdString(problem));
        return;
    }
    if (dialog.Kind() == SearchDialogKind::Find)
        dialog.close();
    // A character the text cannot hold matches nothing; searching for the '?' it would become
    // could find a question mark instead.
    const SearchOutcome outcome =
        UnencodableCount(dialog.FindText(), editor->TextEncoding()) == 0
            ? Run(*editor, request, dialog.Kind(), button)
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
    case SearchOutcome::BadPattern:
        break;
    case SearchOutcome::TooComplex:
        dialogs.Message(MessageKind::Warning, "Tabrix Pro", TooComplexMessage, MessageButtons::Ok);
        break;
    }
}
