// The View and Options menus, the window's options, full screen and the pointer over the
// editors.

#include "app/qt/ViewOptions.h"

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/WindowFrame.h"
#include "codeedit/qt/Memo.h"
#include "platform/qt/Taskbar.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QWheelEvent>

namespace {

// A wheel's notch, in the units of QWheelEvent::angleDelta.
constexpr int kWheelNotch = 120;

// Hands pointer movement over an editor's text area to the options, in editor coordinates, and
// Ctrl with the wheel, which zooms every editor as the font size keys do (the rich editor's own
// zoom would change its view alone).
class PointerWatch : public QObject {
public:
    PointerWatch(TViewOptions& options, QAbstractScrollArea& editor)
        : QObject(&editor), options(options), editor(editor) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
            options.Memo01MouseMove(&editor, editor.viewport()->mapTo(&editor, point));
        } else if (event->type() == QEvent::Wheel) {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel->modifiers() & Qt::ControlModifier) {
                // A touchpad turns in small steps: they add up to notches.
                wheelAngle += wheel->angleDelta().y();
                const int notches = wheelAngle / kWheelNotch;
                wheelAngle -= notches * kWheelNotch;
                options.ZoomByWheel(notches);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TViewOptions& options;
    QAbstractScrollArea& editor;
    int wheelAngle = 0;
};

} // namespace

std::span<const MenuItem> ViewMenu() {
    static const MenuItem rows[] = {
        {.name = "mniFullScreen",
         .caption = "&Full Screen",
         .shortcuts = {"F11"},
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniFullScreenClick>,
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
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::SetAlwaysOnTop>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniAlwaysOnTop},
        {.name = "mniHideCaption",
         .caption = "Tool W&indow Mode",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::SetToolWindowMode>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniHideCaption},
        {},
        {.name = "mniWordWrap",
         .caption = "Word &Wrap",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::SetWordWrap>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniWordWrap},
        {.name = "mniHScrollbar",
         .caption = "&Horizontal Scrollbar",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniHScrollbarClick>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniHScrollbar},
        {.name = "mniVScrollbar",
         .caption = "&Vertical Scrollbar",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniVScrollbarClick>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniVScrollbar},
        {},
        {.name = "mniStatusbar",
         .caption = "&Status Bar",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::SetStatusBarVisible>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniStatusbar},
        {.name = "mniViewMainMenu",
         .caption = "&Main Menu",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::SetMainMenuVisible>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniViewMainMenu},
        {.name = "mniViewToolbar",
         .caption = "Tool &Bar",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::SetToolBarVisible>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniViewToolbar},
        {.name = "mniShowToolbarCaptions",
         .caption = "Show Toolbar &Captions",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniShowToolbarCaptionsClick>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::mniShowToolbarCaptions},
    };
    return rows;
}

std::span<const MenuItem> OptionsMenu() {
    static const MenuItem rows[] = {
        {.name = "Showlinenumbers1",
         .caption = "Show &line numbers",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::Showlinenumbers1Click>,
         .check = MenuCheck::Checked,
         .action = &TWindowParts::Showlinenumbers1},
    };
    return rows;
}

TViewOptions::TViewOptions(TForm1& window, TWindowFrame& frame, const TViewOptionWidgets& widgets)
    : window(window), frame(frame), widgets(widgets) {
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (!fullScreen)
                    return;
                if (state != Qt::ApplicationActive)
                    Taskbar::Show();
                else if (!this->window.Closing())
                    Taskbar::Hide();
            });
}

void TViewOptions::WatchPointer(QAbstractScrollArea& editor) {
    editor.viewport()->setMouseTracking(true);
    editor.viewport()->installEventFilter(new PointerWatch(*this, editor));
}

void TViewOptions::SetWordWrap(bool on) {
    widgets.options.wordWrap.setChecked(on);
    window.CurrentPlainEditor()->SetWordWrap(on);
}

void TViewOptions::mniHScrollbarClick(bool on) {
    SetScrollBars(on, widgets.options.vScrollBar.isChecked());
}

void TViewOptions::mniVScrollbarClick(bool on) {
    SetScrollBars(widgets.options.hScrollBar.isChecked(), on);
}

void TViewOptions::SetScrollBars(bool horizontal, bool vertical) {
    widgets.options.hScrollBar.setChecked(horizontal);
    widgets.options.vScrollBar.setChecked(vertical);
    TScrollStyle style = TScrollStyle::ssNone;
    if (horizontal && vertical)
        style = TScrollStyle::ssBoth;
    else if (vertical)
        style = TScrollStyle::ssVertical;
    else if (horizontal)
        style = TScrollStyle::ssHorizontal;
    window.CurrentPlainEditor()->SetScrollBars(style);
}

void TViewOptions::SetStatusBarVisible(bool on) {
    widgets.options.statusBar.setChecked(on);
    window.statusBar()->setVisible(on);
}

void TViewOptions::SetMainMenuVisible(bool on) {
    widgets.options.mainMenu.setChecked(on);
    window.menuBar()->setVisible(on);
}

void TViewOptions::SetToolBarVisible(bool on) {
    widgets.options.toolBarShown.setChecked(on);
    widgets.toolBar.setVisible(on);
    widgets.toolBarSecond.setVisible(on);
}

bool TViewOptions::ToolBarCaptions() const {
    return widgets.toolBar.toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
}

void TViewOptions::SetToolBarCaptions(bool on) {
    const Qt::ToolButtonStyle style = on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    widgets.toolBar.setToolButtonStyle(style);
    widgets.toolBarSecond.setToolButtonStyle(style);
    widgets.toolBarCaptions.setChecked(ToolBarCaptions());
}

void TViewOptions::mniShowToolbarCaptionsClick() {
    SetToolBarCaptions(!ToolBarCaptions());
}

void TViewOptions::SetToolWindowMode(bool on) {
    widgets.options.toolWindowMode.setChecked(on);
    // A window type, not a hint: Qt::Tool shares its bits with Qt::Window.
    frame.SetFlags((window.windowFlags() & ~Qt::WindowType_Mask) | (on ? Qt::Tool : Qt::Window));
}

void TViewOptions::SetAlwaysOnTop(bool on) {
    widgets.options.alwaysOnTop.setChecked(on);
    frame.SetFlag(Qt::WindowStaysOnTopHint, on);
}

void TViewOptions::mniFullScreenClick() {
    SetFullScreen(!fullScreen);
}

void TViewOptions::SetFullScreen(bool on) {
    if (on == fullScreen)
        return;
    widgets.fullScreen.setChecked(on);
    if (on) {
        restoreBounds = frame.OuterBounds();
        frame.SetFlag(Qt::FramelessWindowHint, true);
        window.menuBar()->hide();
        widgets.toolBar.hide();
        widgets.toolBarSecond.hide();
        frame.SetFlag(Qt::WindowStaysOnTopHint, false);
        window.statusBar()->hide();
        Taskbar::Hide();
        QRect desktop;
        for (const QScreen* screen : QGuiApplication::screens())
            desktop |= screen->geometry();
        frame.SetOuterBounds(desktop);
        window.CurrentPlainEditor()->setFrameShape(QFrame::NoFrame);
        fullScreen = true;
    } else {
        if (!window.Initialised())
            return;
        frame.SetFlag(Qt::FramelessWindowHint, false);
        SetToolWindowMode(widgets.options.toolWindowMode.isChecked());
        SetAlwaysOnTop(widgets.options.alwaysOnTop.isChecked());
        SetMainMenuVisible(widgets.options.mainMenu.isChecked());
        SetToolBarVisible(widgets.options.toolBarShown.isChecked());
        window.statusBar()->setVisible(widgets.options.statusBar.isChecked());
        Taskbar::Show();
        frame.SetOuterBounds(restoreBounds);
        window.CurrentPlainEditor()->setFrameShape(QFrame::StyledPanel);
        fullScreen = false;
    }
    if (window.Initialised() && window.isVisible()) {
        window.activateWindow();
        window.FocusActiveEditor();
    }
}

void TViewOptions::LeaveFullScreenForExit() {
    if (fullScreen) {
        SetFullScreen(false);
        fullScreen = true;
    }
}

void TViewOptions::Memo01MouseMove(QWidget* editor, QPoint position) {
    const int y = position.y();
    if (fullScreen) {
        if (window.menuBar()->isVisible() && y > 10) {
            window.menuBar()->hide();
            widgets.toolBar.hide();
            widgets.toolBarSecond.hide();
        } else if (!window.menuBar()->isVisible() && y < 10) {
            window.menuBar()->setVisible(widgets.options.mainMenu.isChecked());
            widgets.toolBar.setVisible(widgets.options.toolBarShown.isChecked());
            widgets.toolBarSecond.setVisible(widgets.options.toolBarShown.isChecked());
        }
    }
    if (widgets.tabBar.isHidden() && (fullScreen || window.DocumentCount() == 1)) {
        const int margin = widgets.options.hScrollBar.isChecked() ? 30 : 15;
        if (y > editor->height() - margin)
            widgets.tabBar.show();
    }
}

void TViewOptions::Showlinenumbers1Click() {
    ApplyAppearanceToAllDocuments();
}
