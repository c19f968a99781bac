#include "app/qt/MainWindow.h"

#include "app/qt/ContextMenu.h"
#include "app/qt/DiskChanges.h"
#include "app/qt/DiskWatch.h"
#include "app/qt/DocumentFormats.h"
#include "app/qt/FileCommands.h"
#include "app/qt/NameDialog.h"
#include "app/qt/OutputCommands.h"
#include "app/qt/RecentMenus.h"
#include "app/qt/RichFormatCommands.h"
#include "app/qt/SettingsAndStyles.h"
#include "app/qt/StatusBarProgress.h"
#include "app/qt/TextFunctionCommands.h"
#include "app/qt/ViewOptions.h"
#include "app/qt/WindowFrame.h"
#include "app/qt/WindowProjects.h"
#include "app/qt/WindowRecovery.h"
#include "app/qt/WindowTabs.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/Random.h"
#include "platform/qt/Application.h"
#include "platform/qt/Dialogs.h"
#include "search/qt/GoToLineDialog.h"
#include "search/qt/SearchController.h"
#include "settings/qt/AboutBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QSizeGrip>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <functional>

TForm1::TForm1(Dialogs& dialogs, QStringList arguments, QWidget* parent)
    : QMainWindow(parent), dialogs(dialogs), arguments(std::move(arguments)) {
    const auto current = [this]() -> TMyMemo& { return CurrentDocument(); };
    outputCommands = std::make_unique<TOutputCommands>(dialogs, current);
    formatCommands =
        std::make_unique<TRichFormatCommands>(dialogs, current, [this] { UpdateFormatChecks(); });
    // The caption exactly: no application display name, which Qt would append to every title.
    setWindowTitle("Tabrix Pro ");
    Random::SeedFromClock();
    // Errors no command foresaw are shown in the window's own error boxes.
    TApplication::SetErrorDialogs(&dialogs);

    for (const THighlighterClass& highlighterClass : HighlighterClasses()) {
        highlighters.push_back(highlighterClass.create());
        highlighters.back()->ApplyFormDefaults();
    }
    CreateMenus();
    CreateToolBar();
    CreateClientArea();
    fileCommands = std::make_unique<TFileCommands>(*this, *StatusBarText);
    formats = std::make_unique<TDocumentFormats>(
        *this, TFormatWidgets{.encodingField = *StatusBarEncoding,
                              .lineBreaksField = *StatusBarLineBreaks,
                              .binaryField = *StatusBarBinary,
                              .reopenWithEncoding = *mniReopenWithEncoding,
                              .saveWithEncoding = *mniSaveWithEncoding,
                              .lineEndings = *mniLineEndings});
    frame = new TWindowFrame(*this);
    tabs =
        std::make_unique<TWindowTabs>(*this, TTabWidgets{.tabBar = *TabControl,
                                                         .tabsMenu = *mniTabs,
                                                         .tabsSeparator = *mniTabsSeparator,
                                                         .hideCurrent = *mniHideCurrentFromCloseAll,
                                                         .contextMenu = *mnuTabs,
                                                         .hideClicked = *mniHidefromCloseall});
    const TOptionItems options{.alwaysOnTop = *mniAlwaysOnTop,
                               .toolWindowMode = *mniHideCaption,
                               .wordWrap = *mniWordWrap,
                               .hScrollBar = *mniHScrollbar,
                               .vScrollBar = *mniVScrollbar,
                               .statusBar = *mniStatusbar,
                               .mainMenu = *mniViewMainMenu,
                               .toolBarShown = *mniViewToolbar,
                               .lineNumbers = *Showlinenumbers1};
    viewOptions = std::make_unique<TViewOptions>(
        *this, *frame,
        TViewOptionWidgets{.toolBar = *ToolBar,
                           .toolBarSecond = *ToolBarSecond,
                           .tabBar = *TabControl,
                           .fullScreen = *mniFullScreen,
                           .toolBarCaptions = *mniShowToolbarCaptions,
                           .options = options});
    contextMenu = std::make_unique<TEditorContextMenu>(*this, *ToolBar, *ToolBarSecond);
    projects = std::make_unique<TWindowProjects>(*this);
    recovery = std::make_unique<TWindowRecovery>(*this);
    textFunctions = std::make_unique<TTextFunctionCommands>(
        current, *StatusBarText, [this] { TakeUndoSnapshot(); }, [this] { mniNewClick(); });
    Form2 = new TForm2(this);
    settings = std::make_unique<TWindowSettings>(
        *this, *frame,
        TSettingsWidgets{.styles = *mniStyles, .nameDialog = *Form2, .options = options});

    // The first document, with the editors every later document copies its look from.
    std::unique_ptr<TMyMemo> first = NewDocument();
    first->PlainEditor->setUpdatesEnabled(true);
    first->PlainEditor->show();
    documents.push_back(std::move(first));
    tabs->AddTab(0);
    tabs->CheckTabItem(0);
    UpdateModeMenus();
    formats->ShowDocumentEncoding();
    settings->LoadStartupSettings();
    initialised = true;
    contextMenu->MirrorMainMenu();

    AboutBox = new TAboutBox(this);
    Form4 = new TForm4(this);
    search = new TSearchController(this, dialogs,
                                   [this] { return CurrentDocument().View().SearchSource(); });
    auto* matches = new QLabel(this);
    matches->setObjectName("StatusBarMatches");
    matches->hide();
    statusBar()->addPermanentWidget(matches);
    search->ShowMatchCountIn(matches);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::ShowCaretPosition);
    Timer1->start();
    diskChanges = std::make_unique<TDiskChanges>(*this);
}

TForm1::~TForm1() {
    TApplication::SetErrorDialogs(nullptr);
    // The editors hold hooks into the highlighter: they go first.
    documents.clear();
}

void TForm1::CreateClientArea() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    EditorArea = new QStackedWidget(client);
    EditorArea->setObjectName("EditorArea");
    layout->addWidget(EditorArea, 1);

    // Its look and behaviour are the tabs' (WindowTabs.h).
    TabControl = new QTabBar(client);
    TabControl->setObjectName("TabControl");
    layout->addWidget(TabControl);
    setCentralWidget(client);

    // The status bar's corner that resizes the window by mouse: named, so no reader meets a
    // nameless part there.
    if (auto* grip = statusBar()->findChild<QSizeGrip*>())
        grip->setAccessibleName("Size Grip");
    StatusBarText = new QLabel(this);
    StatusBarText->setObjectName("StatusBarText");
    statusBar()->addWidget(StatusBarText, 1);
    StatusBarBinary = new QLabel(this);
    StatusBarBinary->setObjectName("StatusBarBinary");
    StatusBarBinary->hide();
    statusBar()->addWidget(StatusBarBinary);
    StatusBarLineBreaks = new QLabel(this);
    StatusBarLineBreaks->setObjectName("StatusBarLineBreaks");
    statusBar()->addPermanentWidget(StatusBarLineBreaks);
    StatusBarLostItems = new QLabel(this);
    StatusBarLostItems->setObjectName("StatusBarLostItems");
    StatusBarLostItems->hide();
    statusBar()->addPermanentWidget(StatusBarLostItems);
    StatusBarEncoding = new QLabel(this);
    StatusBarEncoding->setObjectName("StatusBarEncoding");
    statusBar()->addPermanentWidget(StatusBarEncoding);
}

namespace {

// Runs the start-up work once the window system has shown the window and it has painted itself
// (widgets paint as they are exposed), so that the questions and messages of the start appear
// over the window, not over an empty screen. A window that is never exposed (started minimised)
// starts all the same after a while.
class FirstExposure : public QObject {
public:
    // Belongs to the widget: changing its window flags may give it a new window.
    FirstExposure(QWidget& widget, std::function<void()> start)
        : QObject(&widget), start(std::move(start)) {
        widget.windowHandle()->installEventFilter(this);
        QTimer::singleShot(kLongestWait, this, [this] { Start(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            // After the exposure has been painted and shown.
            QMetaObject::invokeMethod(this, &FirstExposure::Start, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr int kLongestWait = 2000;

    void Start() {
        if (!start)
            return;
        const std::function<void()> work = std::move(start);
        start = nullptr;
        deleteLater();
        work();
    }

    std::function<void()> start;
};

} // namespace

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        new FirstExposure(*this, [this] { FormShow(); });
    }
}

void TForm1::FormShow() {
    startupDone = true;
    recovery->RestoreAbandonedDocuments();
    projects->LoadDefaultProject();
    for (const QString& argument : arguments)
        fileCommands->OpenFile(argument);
    if (arguments.isEmpty()) {
        const int savedTab = settings->SavedTabIndex();
        if (savedTab >= 0 && savedTab < DocumentCount())
            SelectIndex(savedTab);
        RefreshCurrentTab();
    }
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A file is being opened or saved: its tab is not ready to be saved or closed.
    if (StatusBarProgress::Busy()) {
        event->ignore();
        return;
    }
    // Before the start-up work the last session's tabs are not open yet: their project stays.
    if (startupDone)
        projects->SaveDefaultProject();
    const int activeTab = CurrentIndex();
    closing = true;
    for (int position = DocumentCount() - 1; position >= 0; --position) {
        if (!CloseDocument(position)) {
            event->ignore();
            FocusActiveEditor();
            return;
        }
    }
    settings->SaveSettingsAtExit(activeTab);
    event->accept();
}

void TForm1::Memo01Change() {
    CurrentDocument().Modified = true;
    CurrentDocument().Disk.ModifiedOnlyForMissing = false;
    recovery->Keeper().Changed(&CurrentDocument());
    ShowCaretPosition();
}

TSynCustomHighlighter* TForm1::HighlighterInstance(std::string_view instanceName) const {
    const auto& classes = HighlighterClasses();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (classes[i].instanceName == instanceName)
            return highlighters[i].get();
    }
    return nullptr;
}
