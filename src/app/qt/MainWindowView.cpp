// The View and Options menus, the font and colour commands of the Style menu, the quick font
// menu and full-screen mode. Each on/off option lives in its menu item's check mark; the setters
// set the check, then apply it. The look of all editors follows the current plain editor.

#include "app/qt/KeypadShortcut.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QuickFont.h"
#include "app/qt/ToolIcons.h"
#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/Taskbar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

namespace {

QAction* AddOption(QMenu* menu, const QString& caption, bool checked) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

// The caption groups of the quick font menu, separated in the menu.
const std::vector<std::vector<const char*>>& QuickFontGroups() {
    static const std::vector<std::vector<const char*>> groups = {
        {"MS Sans Serif, 10", "Arial, 10", "Verdana, 10", "Tahoma, 10", "Times New Roman, 12",
         "Sylfaen, 10"},
        {"Courier New, 10", "Lucida Console, 10", "Terminal, 10"},
        {"Tahoma, 8", "Verdana, 8", "MS Sans Serif, 8", "Times New Roman, 10", "Small Fonts, 7"},
        {"Arial, 12", "Verdana, 12", "Tahoma, 12", "Sylfaen, 12", "Times New Roman, 14"}};
    return groups;
}

TColor FromQColor(const QColor& color) {
    return RGB(unsigned(color.red()), unsigned(color.green()), unsigned(color.blue()));
}

// Applies bounds asked for while the window had no frame yet once the window system shows it:
// a window manager's frame is known only after it has framed the window.
class FrameWatch : public QObject {
public:
    explicit FrameWatch(TForm1& window) : QObject(&window), window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        QWindow* handle = window.windowHandle();
        if (watched == &window && event->type() == QEvent::Show && handle)
            handle->installEventFilter(this);
        else if (watched == handle && event->type() == QEvent::Expose && handle->isExposed())
            window.ApplyPendingOuterBounds();
        return QObject::eventFilter(watched, event);
    }

private:
    TForm1& window;
};

// Sets a window's bounds frame included, as far as its frame is known now.
void PlaceOuterBounds(QWidget& window, const QRect& bounds) {
    const QWindow* handle = window.windowHandle();
    window.setGeometry(bounds.marginsRemoved(handle ? handle->frameMargins() : QMargins()));
}

} // namespace

QuickFont ParseQuickFontCaption(QString caption) {
    caption.remove('&');
    const qsizetype comma = caption.indexOf(',');
    if (comma < 0)
        return {caption.trimmed(), 0};
    bool ok = false;
    const int size = caption.mid(comma + 1).trimmed().toInt(&ok);
    return {caption.left(comma).trimmed(), ok ? size : 0};
}

void TForm1::CreateViewMenu() {
    mniFullScreen = AddOption(mniView, "&Full Screen", false);
    mniFullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    mniFullScreen->setIcon(ToolIcon("view-fullscreen"));
    connect(mniFullScreen, &QAction::triggered, this, [this] { SetFullScreen(!fullScreen); });
    mniAlwaysOnTop = AddOption(mniView, "Always on &Top", false);
    connect(mniAlwaysOnTop, &QAction::triggered, this, &TForm1::SetAlwaysOnTop);
    mniHideCaption = AddOption(mniView, "Tool &Window Mode", false);
    connect(mniHideCaption, &QAction::triggered, this, &TForm1::SetToolWindowMode);
    mniView->addSeparator();
    mniWordWrap = AddOption(mniView, "Word &Wrap", true);
    connect(mniWordWrap, &QAction::triggered, this, &TForm1::SetWordWrap);
    mniHScrollbar = AddOption(mniView, "&Horizontal Scrollbar", false);
    connect(mniHScrollbar, &QAction::triggered, this,
            [this](bool on) { SetScrollBars(on, mniVScrollbar->isChecked()); });
    mniVScrollbar = AddOption(mniView, "&Vertical Scrollbar", true);
    connect(mniVScrollbar, &QAction::triggered, this,
            [this](bool on) { SetScrollBars(mniHScrollbar->isChecked(), on); });
    mniView->addSeparator();
    mniStatusbar = AddOption(mniView, "&Status Bar", true);
    connect(mniStatusbar, &QAction::triggered, this, &TForm1::SetStatusBarVisible);
    mniViewMainMenu = AddOption(mniView, "&Main Menu", true);
    connect(mniViewMainMenu, &QAction::triggered, this, &TForm1::SetMainMenuVisible);
    mniViewToolbar = AddOption(mniView, "Tool &Bar", true);
    connect(mniViewToolbar, &QAction::triggered, this, &TForm1::SetToolBarVisible);
    mniShowToolbarCaptions = AddOption(mniView, "Show Toolbar &Captions", true);
    connect(mniShowToolbarCaptions, &QAction::triggered, this,
            &TForm1::mniShowToolbarCaptionsClick);

    Showlinenumbers1 = AddOption(mniFunctions2, "Show &line numbers", true);
    connect(Showlinenumbers1, &QAction::triggered, this, &TForm1::Showlinenumbers1Click);

    installEventFilter(new FrameWatch(*this));

    // Full screen hides the taskbar only while the program is the active one.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (!fullScreen)
                    return;
                if (state != Qt::ApplicationActive)
                    Taskbar::Show();
                else if (!closing)
                    Taskbar::Hide();
            });
}

void TForm1::CreateAppearanceItems() {
    mniBackground = mniStyle->addAction("&Background Color");
    connect(mniBackground, &QAction::triggered, this, &TForm1::mniBackgroundClick);
    mniFontColor = mniStyle->addAction("&Foreground Color");
    connect(mniFontColor, &QAction::triggered, this, &TForm1::mniFontColorClick);
    mniFont = mniStyle->addAction("&Choose Font");
    connect(mniFont, &QAction::triggered, this, &TForm1::mniFontClick);
    QMenu* fontSize = mniStyle->addMenu("Font &Size");
    mniDecreaseFont = fontSize->addAction("&Decrease Font Size");
    SetKeypadShortcut(*mniDecreaseFont, Qt::ControlModifier, Qt::Key_Minus);
    connect(mniDecreaseFont, &QAction::triggered, this, &TForm1::mniDecreaseFontClick);
    mniIncreaseFont = fontSize->addAction("&Increase Font Size");
    SetKeypadShortcut(*mniIncreaseFont, Qt::ControlModifier, Qt::Key_Plus);
    connect(mniIncreaseFont, &QAction::triggered, this, &TForm1::mniIncreaseFontClick);

    mnuFont = new QMenu(this);
    for (const auto& group : QuickFontGroups()) {
        if (!mnuFont->isEmpty())
            mnuFont->addSeparator();
        for (const char* caption : group) {
            QAction* item = mnuFont->addAction(caption);
            connect(item, &QAction::triggered, this,
                    [this, item] { QuickFontClick(item->text()); });
        }
    }
}

void TForm1::WireAppearanceButtons() {
    const auto wire = [this](const char* name, void (TForm1::*handler)()) {
        connect(findChild<QAction*>(name), &QAction::triggered, this, handler);
    };
    connect(findChild<QAction*>("view-fullscreen"), &QAction::triggered, mniFullScreen,
            &QAction::trigger);
    wire("zoom-in", &TForm1::mniIncreaseFontClick);
    wire("zoom-out", &TForm1::mniDecreaseFontClick);
    wire("format-text-color", &TForm1::mniFontColorClick);
    wire("color-fill", &TForm1::mniBackgroundClick);
    wire("font-type", &TForm1::mniFontClick);
    findChild<QAction*>("format-text-color")->setToolTip("Foreground Color");
    findChild<QAction*>("color-fill")->setToolTip("Background Color");
    QAction* fontType = findChild<QAction*>("font-type");
    fontType->setToolTip("Choose Font");
    fontType->setMenu(mnuFont);
    if (auto* button = qobject_cast<QToolButton*>(ToolBarSecond->widgetForAction(fontType)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
}

// ---- Option setters ----

void TForm1::SetWordWrap(bool on) {
    mniWordWrap->setChecked(on);
    CurrentPlainEditor()->SetWordWrap(on);
}

void TForm1::SetScrollBars(bool horizontal, bool vertical) {
    mniHScrollbar->setChecked(horizontal);
    mniVScrollbar->setChecked(vertical);
    TScrollStyle style = TScrollStyle::ssNone;
    if (horizontal && vertical)
        style = TScrollStyle::ssBoth;
    else if (vertical)
        style = TScrollStyle::ssVertical;
    else if (horizontal)
        style = TScrollStyle::ssHorizontal;
    CurrentPlainEditor()->SetScrollBars(style);
}

void TForm1::SetStatusBarVisible(bool on) {
    mniStatusbar->setChecked(on);
    statusBar()->setVisible(on);
}

void TForm1::SetMainMenuVisible(bool on) {
    mniViewMainMenu->setChecked(on);
    menuBar()->setVisible(on);
}

void TForm1::SetToolBarVisible(bool on) {
    mniViewToolbar->setChecked(on);
    ToolBar->setVisible(on);
    ToolBarSecond->setVisible(on);
}

bool TForm1::ToolBarCaptions() const {
    return ToolBar->toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
}

void TForm1::SetToolBarCaptions(bool on) {
    const Qt::ToolButtonStyle style = on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    ToolBar->setToolButtonStyle(style);
    ToolBarSecond->setToolButtonStyle(style);
    mniShowToolbarCaptions->setChecked(ToolBarCaptions());
}

void TForm1::mniShowToolbarCaptionsClick() {
    SetToolBarCaptions(!ToolBarCaptions());
}

void TForm1::SetWindowFlagsKeepingShown(Qt::WindowFlags flags) {
    if (windowFlags() == flags)
        return;
    // Changing the flags of a shown window hides it and gives it a new frame; it comes back
    // with the same outer bounds.
    const bool shown = isVisible();
    const QRect bounds = OuterBounds();
    setWindowFlags(flags);
    // Qt lets a tool window's closing end nothing; this window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, true);
    pendingOuterBounds = bounds;
    PlaceOuterBounds(*this, bounds);
    if (shown)
        show();
}

void TForm1::SetWindowFlagKeepingShown(Qt::WindowType flag, bool on) {
    SetWindowFlagsKeepingShown(on ? windowFlags() | flag : windowFlags() & ~flag);
}

void TForm1::SetToolWindowMode(bool on) {
    mniHideCaption->setChecked(on);
    // A window type, not a hint: Qt::Tool shares its bits with Qt::Window.
    SetWindowFlagsKeepingShown((windowFlags() & ~Qt::WindowType_Mask) |
                               (on ? Qt::Tool : Qt::Window));
}

void TForm1::SetAlwaysOnTop(bool on) {
    mniAlwaysOnTop->setChecked(on);
    SetWindowFlagKeepingShown(Qt::WindowStaysOnTopHint, on);
}

QMargins TForm1::FrameMargins() const {
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

QRect TForm1::OuterBounds() const {
    if (pendingOuterBounds)
        return *pendingOuterBounds;
    return geometry().marginsAdded(FrameMargins());
}

void TForm1::SetOuterBounds(const QRect& bounds) {
    // The frame is the window system's: a window not shown yet, or shown but not yet framed
    // again, gets its bounds once more when it is exposed, with the frame it has then.
    if (pendingOuterBounds || !windowHandle() || !windowHandle()->isExposed())
        pendingOuterBounds = bounds;
    PlaceOuterBounds(*this, bounds);
}

void TForm1::ApplyPendingOuterBounds() {
    if (!pendingOuterBounds)
        return;
    const QRect bounds = *pendingOuterBounds;
    pendingOuterBounds.reset();
    PlaceOuterBounds(*this, bounds);
}

QRect TForm1::WorkArea() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TForm1::SetFullScreen(bool on) {
    if (on == fullScreen)
        return;
    mniFullScreen->setChecked(on);
    if (on) {
        restoreBounds = OuterBounds();
        SetWindowFlagKeepingShown(Qt::FramelessWindowHint, true);
        menuBar()->hide();
        ToolBar->hide();
        ToolBarSecond->hide();
        SetWindowFlagKeepingShown(Qt::WindowStaysOnTopHint, false);
        statusBar()->hide();
        Taskbar::Hide();
        QRect desktop;
        for (const QScreen* screen : QGuiApplication::screens())
            desktop |= screen->geometry();
        SetOuterBounds(desktop);
        CurrentPlainEditor()->setFrameShape(QFrame::NoFrame);
        fullScreen = true;
    } else {
        if (!initialised)
            return;
        SetWindowFlagKeepingShown(Qt::FramelessWindowHint, false);
        SetToolWindowMode(mniHideCaption->isChecked());
        SetAlwaysOnTop(mniAlwaysOnTop->isChecked());
        SetMainMenuVisible(mniViewMainMenu->isChecked());
        SetToolBarVisible(mniViewToolbar->isChecked());
        statusBar()->setVisible(mniStatusbar->isChecked());
        Taskbar::Show();
        SetOuterBounds(restoreBounds);
        CurrentPlainEditor()->setFrameShape(QFrame::StyledPanel);
        fullScreen = false;
    }
    if (initialised && isVisible()) {
        activateWindow();
        FocusActiveEditor();
    }
}

void TForm1::Memo01MouseMove(QWidget* editor, QPoint position) {
    const int y = position.y();
    if (fullScreen) {
        if (menuBar()->isVisible() && y > 10) {
            menuBar()->hide();
            ToolBar->hide();
            ToolBarSecond->hide();
        } else if (!menuBar()->isVisible() && y < 10) {
            menuBar()->setVisible(mniViewMainMenu->isChecked());
            ToolBar->setVisible(mniViewToolbar->isChecked());
            ToolBarSecond->setVisible(mniViewToolbar->isChecked());
        }
    }
    if (TabControl->isHidden() && (fullScreen || DocumentCount() == 1)) {
        const int margin = mniHScrollbar->isChecked() ? 30 : 15;
        if (y > editor->height() - margin)
            TabControl->show();
    }
}

// ---- Font and colour commands ----

void TForm1::ForEachEditor(const std::function<void(TSynEditWidget&)>& change) {
    for (int position = 0; position < DocumentCount(); ++position) {
        TMyMemo& document = DocumentAt(position);
        change(*document.PlainEditor);
        change(*document.CodeEditor);
    }
}

void TForm1::mniBackgroundClick() {
    const QColor start = ToQColor(CurrentPlainEditor()->Color(), palette());
    if (const std::optional<QColor> chosen = dialogs.ChooseColor(start)) {
        const TColor color = FromQColor(*chosen);
        ForEachEditor([color](TSynEditWidget& editor) { editor.SetColor(color); });
    }
}

void TForm1::mniFontColorClick() {
    const QColor start = ToQColor(CurrentPlainEditor()->FontColor(), palette());
    if (const std::optional<QColor> chosen = dialogs.ChooseColor(start)) {
        const TColor color = FromQColor(*chosen);
        ForEachEditor([color](TSynEditWidget& editor) { editor.SetFontColor(color); });
    }
}

void TForm1::mniFontClick() {
    TMemo* model = CurrentPlainEditor();
    const FontChoice start{model->Font(), ToQColor(model->FontColor(), palette())};
    const bool fixedPitchOnly = CurrentDocument().ViewMode == vmCode;
    if (const std::optional<FontChoice> chosen = dialogs.ChooseFont(start, fixedPitchOnly)) {
        const TColor color =
            chosen->color.isValid() ? FromQColor(chosen->color) : model->FontColor();
        ForEachEditor([&](TSynEditWidget& editor) {
            editor.SetFont(chosen->font);
            editor.SetFontColor(color);
        });
    }
}

void TForm1::QuickFontClick(const QString& caption) {
    const QuickFont choice = ParseQuickFontCaption(caption);
    if (choice.face.isEmpty() || choice.size <= 0)
        return;
    ForEachEditor([&](TSynEditWidget& editor) {
        QFont font = editor.Font();
        font.setFamily(choice.face);
        font.setPointSize(choice.size);
        editor.SetFont(font);
    });
}

void TForm1::ChangeFontSize(int step) {
    ForEachEditor([step](TSynEditWidget& editor) {
        QFont font = editor.Font();
        font.setPointSize(font.pointSize() + step);
        editor.SetFont(font);
    });
}

void TForm1::mniIncreaseFontClick() {
    ChangeFontSize(+1);
}

void TForm1::mniDecreaseFontClick() {
    if (CurrentPlainEditor()->Font().pointSize() < 2)
        return;
    ChangeFontSize(-1);
}

void TForm1::Showlinenumbers1Click() {
    ApplyAppearanceToAllDocuments();
}
