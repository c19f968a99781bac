// The View and Options menus, the window's options and full-screen mode. Each on/off option
// lives in its menu item's check mark; the setters set the check, then apply it.

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/WindowFrame.h"
#include "codeedit/qt/Memo.h"
#include "platform/qt/Taskbar.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

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
    frame = new TWindowFrame(*this);
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

void TForm1::SetToolWindowMode(bool on) {
    mniHideCaption->setChecked(on);
    // A window type, not a hint: Qt::Tool shares its bits with Qt::Window.
    frame->SetFlags((windowFlags() & ~Qt::WindowType_Mask) | (on ? Qt::Tool : Qt::Window));
}

void TForm1::SetAlwaysOnTop(bool on) {
    mniAlwaysOnTop->setChecked(on);
    frame->SetFlag(Qt::WindowStaysOnTopHint, on);
}

void TForm1::mniFullScreenClick() {
    SetFullScreen(!fullScreen);
}

void TForm1::SetFullScreen(bool on) {
    if (on == fullScreen)
        return;
    mniFullScreen->setChecked(on);
    if (on) {
        restoreBounds = frame->OuterBounds();
        frame->SetFlag(Qt::FramelessWindowHint, true);
        menuBar()->hide();
        ToolBar->hide();
        ToolBarSecond->hide();
        frame->SetFlag(Qt::WindowStaysOnTopHint, false);
        statusBar()->hide();
        Taskbar::Hide();
        QRect desktop;
        for (const QScreen* screen : QGuiApplication::screens())
            desktop |= screen->geometry();
        frame->SetOuterBounds(desktop);
        CurrentPlainEditor()->setFrameShape(QFrame::NoFrame);
        fullScreen = true;
    } else {
        if (!initialised)
            return;
        frame->SetFlag(Qt::FramelessWindowHint, false);
        SetToolWindowMode(mniHideCaption->isChecked());
        SetAlwaysOnTop(mniAlwaysOnTop->isChecked());
        SetMainMenuVisible(mniViewMainMenu->isChecked());
        SetToolBarVisible(mniViewToolbar->isChecked());
        statusBar()->setVisible(mniStatusbar->isChecked());
        Taskbar::Show();
        frame->SetOuterBounds(restoreBounds);
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
