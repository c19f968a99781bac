// The View and Options menus, the window's options and full-screen mode. Each on/off option
// lives in its menu item's check mark; the setters set the check, then apply it.

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "codeedit/qt/Memo.h"
#include "platform/qt/Taskbar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QWindow>

namespace {

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

std::span<const MenuItem> ViewMenu() {
    static const MenuItem rows[] = {
        {.name = "mniFullScreen",
         .caption = "&Full Screen",
         .shortcuts = {"F11"},
         .handler = Call<&TForm1::mniFullScreenClick>,
         .button = {"tbFullScreen",
                    "Full Screen",
                    "Full Screen",
                    "view-fullscreen",
                    {ToolRow::First, 4, 1}},
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniFullScreen,
         .icon = "view-fullscreen"},
        {.name = "mniAlwaysOnTop",
         .caption = "Always on &Top",
         .handler = Call<&TForm1::SetAlwaysOnTop>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniAlwaysOnTop},
        {.name = "mniHideCaption",
         .caption = "Tool W&indow Mode",
         .handler = Call<&TForm1::SetToolWindowMode>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniHideCaption},
        {},
        {.name = "mniWordWrap",
         .caption = "Word &Wrap",
         .handler = Call<&TForm1::SetWordWrap>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniWordWrap},
        {.name = "mniHScrollbar",
         .caption = "&Horizontal Scrollbar",
         .handler = Call<&TForm1::mniHScrollbarClick>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniHScrollbar},
        {.name = "mniVScrollbar",
         .caption = "&Vertical Scrollbar",
         .handler = Call<&TForm1::mniVScrollbarClick>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniVScrollbar},
        {},
        {.name = "mniStatusbar",
         .caption = "&Status Bar",
         .handler = Call<&TForm1::SetStatusBarVisible>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniStatusbar},
        {.name = "mniViewMainMenu",
         .caption = "&Main Menu",
         .handler = Call<&TForm1::SetMainMenuVisible>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniViewMainMenu},
        {.name = "mniViewToolbar",
         .caption = "Tool &Bar",
         .handler = Call<&TForm1::SetToolBarVisible>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniViewToolbar},
        {.name = "mniShowToolbarCaptions",
         .caption = "Show Toolbar &Captions",
         .handler = Call<&TForm1::mniShowToolbarCaptionsClick>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniShowToolbarCaptions},
    };
    return rows;
}

std::span<const MenuItem> OptionsMenu() {
    static const MenuItem rows[] = {
        {.name = "Showlinenumbers1",
         .caption = "Show &line numbers",
         .handler = Call<&TForm1::Showlinenumbers1Click>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::Showlinenumbers1},
    };
    return rows;
}

void TForm1::WatchWindowEvents() {
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

// ---- Option setters ----

void TForm1::SetWordWrap(bool on) {
    mniWordWrap->setChecked(on);
    CurrentPlainEditor()->SetWordWrap(on);
}

void TForm1::mniHScrollbarClick(bool on) {
    SetScrollBars(on, mniVScrollbar->isChecked());
}

void TForm1::mniVScrollbarClick(bool on) {
    SetScrollBars(mniHScrollbar->isChecked(), on);
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

void TForm1::mniFullScreenClick() {
    SetFullScreen(!fullScreen);
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

void TForm1::Showlinenumbers1Click() {
    ApplyAppearanceToAllDocuments();
}
