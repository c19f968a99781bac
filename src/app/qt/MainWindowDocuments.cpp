// The document list: creating, switching, closing and exchanging documents, and the title. The
// tabs show the list (WindowTabs.h).

#include "app/qt/ContextMenu.h"
#include "app/qt/DocumentFormats.h"
#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/ViewOptions.h"
#include "app/qt/WindowProjects.h"
#include "app/qt/WindowRecovery.h"
#include "app/qt/WindowTabs.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/SearchController.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <utility>

int TForm1::CurrentIndex() const {
    return TabControl->currentIndex();
}

void TForm1::SelectIndex(int index) {
    TabControl->setCurrentIndex(index);
}

void TForm1::ConnectEditor(TSynEditWidget* editor) {
    contextMenu->WatchEditor(*editor);
    viewOptions->WatchPointer(*editor);
    connect(editor, &TSynEditWidget::Changed, this, &TForm1::Memo01Change);
    connect(editor, &TSynEditWidget::CaretMoved, this, &TForm1::ShowCaretPosition);
    connect(editor, &TSynEditWidget::KeyPressed, this, &TForm1::ShowCaretPosition);
    connect(editor, &TSynEditWidget::KeyReleased, this, &TForm1::ShowCaretPosition);
    connect(editor, &TSynEditWidget::MousePressed, this, &TForm1::ShowCaretPosition);
}

std::unique_ptr<TMyMemo> TForm1::NewDocument() {
    auto document = std::make_unique<TMyMemo>(*EditorArea);
    if (documents.empty())
        document->CodeEditor->SetHighlighter(HighlighterInstance("SynHTMLSyn1"));
    ConnectEditor(document->PlainEditor);
    ConnectEditor(document->CodeEditor);
    ConnectRichEditor(document->RichEditor);
    formats->GiveNewDocumentLineBreaks(*document);
    return document;
}

void TForm1::mniNewClick() {
    std::unique_ptr<TMyMemo> document = NewDocument();
    const int position = CurrentIndex() + 1;
    TMemo* editor = document->PlainEditor;
    documents.insert(documents.begin() + position, std::move(document));
    tabs->AddTab(position);
    viewOptions->ApplyAppearance(DocumentAt(position), *CurrentPlainEditor());
    editor->show();
    SelectIndex(position);
    if (initialised)
        editor->setFocus();
    RefreshCurrentTab();
}

bool TForm1::CloseDocument(int position) {
    const int remembered = CurrentIndex();
    TMyMemo& document = DocumentAt(position);
    if (document.Modified) {
        const QString name = document.FileName.isEmpty() ? "<blank>" : ShownPath(document.FileName);
        const DialogAnswer answer = dialogs.Message(
            MessageKind::Warning, "Tabrix Pro",
            "File " + name + " has been modified.  Save changes?", MessageButtons::YesNoCancel);
        if (answer == DialogAnswer::Cancel)
            return false;
        // A save that failed or was cancelled keeps the tab: closing it would lose the edits.
        if (answer == DialogAnswer::Yes && !fileCommands->SaveDocument(position))
            return false;
    }
    recovery->Keeper().Discard(&document);

    if (DocumentCount() == 1) {
        document.PlainEditor->SetText({});
        document.CodeEditor->SetText({});
        document.RichEditor->Clear();
        formats->GiveNewDocumentLineBreaks(document);
        formats->SetDocumentEncoding(document, DocumentEncoding::Plain(ProgramEncoding()));
        SelectIndex(0);
        document.FileName.clear();
        document.Disk = {};
        document.Modified = false;
        tabs->ShowTabCaption(0);
        UpdateTitle();
    } else {
        documents.erase(documents.begin() + position);
        tabs->RemoveTab(position);
        SelectIndex(remembered >= position && remembered > 0 ? remembered - 1 : remembered);
    }
    RefreshCurrentTab();
    return true;
}

void TForm1::ExchangeDocuments(int first, int second) {
    std::swap(documents[static_cast<std::size_t>(first)],
              documents[static_cast<std::size_t>(second)]);
}

void TForm1::RefreshCurrentTab() {
    ShowActiveEditor();
    CheckViewModeItems();
    UpdateTitle();
    ShowCaretPosition();
    formats->ShowDocumentEncoding();
    UpdateModeMenus();
    tabs->CheckTabItem(CurrentIndex());
    tabs->CheckHiddenFromCloseAll();
    if (search)
        search->ActiveEditorChanged();
}

void TForm1::UpdateTitle() {
    QString caption = "Tabrix Pro ";
    if (!CurrentDocument().FileName.isEmpty())
        caption += "[" + ShownPath(CurrentDocument().FileName) + "]";
    setWindowTitle(caption);
    // The application title is the taskbar's text: on X11 the window's icon name, which Qt would
    // otherwise append to every window's caption as the display name.
    QString applicationTitle = "Tabrix Pro ";
    if (!projects->CurrentProject().isEmpty())
        applicationTitle += "[" + ShownPath(projects->CurrentProject()) + "]";
    setWindowIconText(applicationTitle);
}
