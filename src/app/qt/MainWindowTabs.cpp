// The document list: creating, switching, closing and exchanging tabs, the tab bar, the Tabs
// menu and the tab context menu, the title and the look every editor shares.

#include "app/qt/DocumentFormats.h"
#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/WindowProjects.h"
#include "app/qt/WindowRecovery.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/SearchController.h"

#include <QApplication>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <utility>

namespace {

const char* const TabDragMimeType = "application/x-tabrix-tab";

QString TabCaption(const TMyMemo& document) {
    if (document.FileName.isEmpty())
        return "Blank";
    return ShownFileName(document.FileName);
}

// A screen reader names an editor as the tab names its document, and says which editor it is.
void NameEditors(const TMyMemo& document) {
    const QString name = TabCaption(document);
    const std::pair<QWidget*, const char*> editors[] = {
        {document.PlainEditor, "Plain text"},
        {document.CodeEditor, "Code"},
        {document.RichEditor, "Rich text"},
    };
    for (const auto& [editor, kind] : editors) {
        editor->setAccessibleName(name);
        editor->setAccessibleDescription(kind);
    }
}

} // namespace

std::span<const MenuItem> TabsMenu() {
    static const MenuItem rows[] = {
        // Ctrl+Tab must reach the window even while an editor that takes Tab has the focus.
        {.name = "mniNextTab",
         .caption = "&Next Tab",
         .shortcuts = {"Ctrl+Tab"},
         .handler = Call<&TForm1::mniNextTabClick>,
         .shortcutContext = Qt::ApplicationShortcut},
        {.name = "mniPreviousTab",
         .caption = "&Previous Tab",
         .shortcuts = {"Ctrl+Shift+Tab"},
         .handler = Call<&TForm1::mniPreviousTabClick>,
         .shortcutContext = Qt::ApplicationShortcut},
        {},
        // The tab context menu's commands, for the current tab: the mouse alone opens that menu.
        {.name = "mniHideCurrentFromCloseAll",
         .caption = "&Hide from Close All",
         .handler = Call<&TForm1::SetCurrentHiddenFromCloseAll>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniHideCurrentFromCloseAll},
        {.name = "mniViewMode",
         .caption = "&View Mode",
         .submenu = ViewModeMenu(),
         .menu = &TWindowParts::mniViewModeMenu},
        {.name = "mniCodeEditorMode",
         .caption = "&Code Editor Mode",
         .submenu = CodeEditorModeMenu(),
         .menu = &TWindowParts::mniCodeEditorModeMenu},
        {},
        // Never shown; the tab items follow it.
        {.name = "mniTabsSeparator",
         .modes = NoViewMode,
         .action = &TWindowParts::mniTabsSeparator},
    };
    return rows;
}

std::span<const MenuItem> TabContextMenu() {
    static const MenuItem rows[] = {
        {.name = "mniHidefromCloseall",
         .caption = "Hide from Close All",
         .handler = Call<&TForm1::mniHidefromCloseallClick>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniHidefromCloseall},
        {.name = "mniClose1", .caption = "Close", .handler = Call<&TForm1::mniClose1Click>},
        {},
        {.caption = "&View Mode", .menu = &TWindowParts::mniViewModeMenu},
        {.caption = "&Code Editor Mode", .menu = &TWindowParts::mniCodeEditorModeMenu},
    };
    return rows;
}

int TForm1::CurrentIndex() const {
    return TabControl->currentIndex();
}

void TForm1::SelectIndex(int index) {
    TabControl->setCurrentIndex(index);
}

void TForm1::ConnectEditor(TSynEditWidget* editor) {
    WatchEditor(editor);
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
    AddTab(position);
    ApplyAppearance(DocumentAt(position), *CurrentPlainEditor());
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
        ShowTabCaption(0);
        UpdateTitle();
    } else {
        documents.erase(documents.begin() + position);
        RemoveTab(position);
        SelectIndex(remembered >= position && remembered > 0 ? remembered - 1 : remembered);
    }
    RefreshCurrentTab();
    return true;
}

void TForm1::mniCloseClick() {
    CloseDocument(CurrentIndex());
    FocusActiveEditor();
}

void TForm1::mniClose1Click() {
    if (clickedTabIndex < 0 || clickedTabIndex >= DocumentCount())
        return;
    CloseDocument(clickedTabIndex);
    FocusActiveEditor();
}

void TForm1::mniCloseAllClick() {
    for (int position = DocumentCount() - 1; position >= 0; --position) {
        if (!DocumentAt(position).HiddenFromCloseAll)
            CloseDocument(position);
    }
    FocusActiveEditor();
}

void TForm1::mniHidefromCloseallClick() {
    if (clickedTabIndex < 0 || clickedTabIndex >= DocumentCount())
        return;
    TMyMemo& document = DocumentAt(clickedTabIndex);
    document.HiddenFromCloseAll = !document.HiddenFromCloseAll;
    CheckHiddenFromCloseAll();
}

void TForm1::SetCurrentHiddenFromCloseAll(bool hidden) {
    CurrentDocument().HiddenFromCloseAll = hidden;
}

void TForm1::CheckHiddenFromCloseAll() {
    mniHideCurrentFromCloseAll->setChecked(CurrentDocument().HiddenFromCloseAll);
}

void TForm1::mnuTabsPopup() {
    const bool onTab = clickedTabIndex >= 0 && clickedTabIndex < DocumentCount();
    mniHidefromCloseall->setChecked(onTab && DocumentAt(clickedTabIndex).HiddenFromCloseAll);
}

void TForm1::mniNextTabClick() {
    const int next = CurrentIndex() + 1;
    SelectIndex(next < DocumentCount() ? next : 0);
    RefreshCurrentTab();
}

void TForm1::mniPreviousTabClick() {
    const int previous = CurrentIndex() - 1;
    SelectIndex(previous >= 0 ? previous : DocumentCount() - 1);
    RefreshCurrentTab();
}

void TForm1::mniTabItemClick(int position) {
    SelectIndex(position);
    RefreshCurrentTab();
}

void TForm1::TabControlChange() {
    RefreshCurrentTab();
}

void TForm1::TabControlMouseDown(Qt::MouseButton button, QPoint position) {
    if (button == Qt::RightButton)
        clickedTabIndex = TabControl->tabAt(position);
    else if (button == Qt::LeftButton)
        dragSourceIndex = TabControl->tabAt(position);
}

void TForm1::TabControlDragDrop(QPoint position) {
    const int target = TabControl->tabAt(position);
    if (target < 0 || dragSourceIndex < 0 || dragSourceIndex >= DocumentCount())
        return;
    // An exchange, not a move: A B C D with A dropped on D gives D B C A.
    std::swap(documents[static_cast<std::size_t>(dragSourceIndex)],
              documents[static_cast<std::size_t>(target)]);
    ShowTabCaption(dragSourceIndex);
    ShowTabCaption(target);
    SelectIndex(target);
    RefreshCurrentTab();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != TabControl)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        TabControlMouseDown(mouse->button(), mouse->position().toPoint());
        dragStart = mouse->position().toPoint();
        // A right-button press only records the tab; the tab bar would make it current.
        if (mouse->button() == Qt::RightButton)
            return true;
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool dragging = (mouse->buttons() & Qt::LeftButton) && dragSourceIndex >= 0 &&
                              (mouse->position().toPoint() - dragStart).manhattanLength() >=
                                  QApplication::startDragDistance();
        if (dragging) {
            auto* drag = new QDrag(TabControl);
            auto* data = new QMimeData;
            data->setData(TabDragMimeType, QByteArray::number(dragSourceIndex));
            drag->setMimeData(data);
            drag->exec(Qt::MoveAction);
            return true;
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData()->hasFormat(TabDragMimeType)) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasFormat(TabDragMimeType)) {
            TabControlDragDrop(drop->position().toPoint());
            drop->acceptProposedAction();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* TForm1::TabItem(int position) const {
    const QList<QAction*> items = mniTabs->actions();
    return items.value(items.indexOf(mniTabsSeparator) + 1 + position);
}

void TForm1::AddTab(int position) {
    NameEditors(DocumentAt(position));
    const QString caption = WithoutAcceleratorMarks(TabCaption(DocumentAt(position)));
    {
        // The tab bar keeps the current tab; the caller selects.
        const QSignalBlocker blocker(TabControl);
        TabControl->insertTab(position, caption);
    }
    auto* item = new QAction(caption, mniTabs);
    item->setCheckable(true);
    // The item's place in the menu is its tab's, also after tabs before it come and go.
    connect(item, &QAction::triggered, this, [this, item] {
        const QList<QAction*> items = mniTabs->actions();
        mniTabItemClick(int(items.indexOf(item) - items.indexOf(mniTabsSeparator) - 1));
    });
    mniTabs->insertAction(TabItem(position), item);
    ShowTabBarWhenNeeded();
}

void TForm1::RemoveTab(int position) {
    {
        const QSignalBlocker blocker(TabControl);
        TabControl->removeTab(position);
    }
    delete TabItem(position);
    ShowTabBarWhenNeeded();
}

void TForm1::ShowTabCaption(int position) {
    NameEditors(DocumentAt(position));
    const QString caption = WithoutAcceleratorMarks(TabCaption(DocumentAt(position)));
    TabControl->setTabText(position, caption);
    TabItem(position)->setText(caption);
}

void TForm1::ShowTabBarWhenNeeded() {
    TabControl->setVisible(DocumentCount() > 1 || CurrentDocument().ViewMode != vmPlain);
}

void TForm1::RefreshCurrentTab() {
    ShowActiveEditor();
    CheckViewModeItems();
    UpdateTitle();
    ShowCaretPosition();
    formats->ShowDocumentEncoding();
    UpdateModeMenus();
    CheckTabItem(CurrentIndex());
    CheckHiddenFromCloseAll();
    if (search)
        search->ActiveEditorChanged();
}

void TForm1::CheckTabItem(int position) {
    QAction* item = TabItem(position);
    if (checkedTabItem && checkedTabItem != item)
        checkedTabItem->setChecked(false);
    checkedTabItem = item;
    if (item)
        item->setChecked(true);
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

void TForm1::ApplyAppearanceToAllDocuments() {
    const TMemo& model = *CurrentPlainEditor();
    for (auto& document : documents)
        ApplyAppearance(*document, model);
}

void TForm1::ApplyAppearance(TMyMemo& document, const TMemo& model) {
    if (document.PlainEditor != &model) {
        document.PlainEditor->SetFont(model.Font());
        document.PlainEditor->SetFontColor(model.FontColor());
    }
    document.PlainEditor->SetColor(model.Color());
    document.PlainEditor->SetScrollBars(model.ScrollBars());
    document.PlainEditor->SetWordWrap(model.WordWrap());
    document.CodeEditor->SetFont(model.Font());
    document.CodeEditor->SetFontColor(model.FontColor());
    document.CodeEditor->SetColor(model.Color());
    document.CodeEditor->SetShowLineNumbers(Showlinenumbers1->isChecked());
    ApplyLookToRichEditor(document, model);
}
