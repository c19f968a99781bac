#pragma once
// The window's options and the editors' look: full screen, always on top, tool window mode, which
// bars show, word wrap, scroll bars, tool bar captions, line numbers, and the font and colours
// every editor shares. Each on/off option lives in its menu item's check mark; the setters set
// the check, then apply it. Reaches the documents through the window's public commands.

#include "app/qt/OptionItems.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

class QAbstractScrollArea;
class QAction;
class QTabBar;
class QToolBar;
class TForm1;
class TMemo;
class TSynEditWidget;
class TWindowFrame;
struct TMyMemo;

// The bars the options show and hide, and the items whose checks hold the options.
struct TViewOptionWidgets {
    QToolBar& toolBar; // first row
    QToolBar& toolBarSecond;
    QTabBar& tabBar;
    QAction& fullScreen;
    QAction& toolBarCaptions;
    TOptionItems options;
};

class TViewOptions : public QObject {
public:
    // Full screen hides the taskbar only while the program is the active one.
    TViewOptions(TForm1& window, TWindowFrame& frame, const TViewOptionWidgets& widgets);

    void SetFullScreen(bool on);
    bool FullScreen() const { return fullScreen; }
    // The window's outer rectangle when full screen was entered.
    QRect RestoreBounds() const { return restoreBounds; }
    void mniFullScreenClick();
    // At exit: the window gets its normal bounds back for the settings file, while FullScreen()
    // stays true so that full screen comes back at the next start.
    void LeaveFullScreenForExit();
    void SetAlwaysOnTop(bool on);
    void SetToolWindowMode(bool on);
    void SetMainMenuVisible(bool on);
    void SetToolBarVisible(bool on);
    void SetStatusBarVisible(bool on);
    void SetWordWrap(bool on);
    void SetScrollBars(bool horizontal, bool vertical);
    void mniHScrollbarClick(bool on);
    void mniVScrollbarClick(bool on);
    // Captions under the tool bar icons; the tool bar's own state, which its item shows.
    bool ToolBarCaptions() const;
    void SetToolBarCaptions(bool on);
    void mniShowToolbarCaptionsClick();
    void Showlinenumbers1Click();
    // Pointer movement over an editor, in the editor's coordinates.
    void Memo01MouseMove(QWidget* editor, QPoint position);
    // Hands the pointer's movement over the editor to Memo01MouseMove, and Ctrl with the wheel
    // to ZoomByWheel.
    void WatchPointer(QAbstractScrollArea& editor);

    // ---- The font and colours of every editor ----
    void mniBackgroundClick();
    void mniFontColorClick();
    void mniFontClick();
    void QuickFontClick(const QString& caption);
    void mniIncreaseFontClick();
    void mniDecreaseFontClick();
    // Ctrl with the wheel over an editor: each notch away from the user is Increase Font Size,
    // each one towards the user Decrease Font Size.
    void ZoomByWheel(int notches);
    // The options and look the window has before any settings file is read.
    void ApplyDefaultLook();
    // Every document takes the current plain editor's look.
    void ApplyAppearanceToAllDocuments();
    // Gives one document's editors the look of the model editor.
    void ApplyAppearance(TMyMemo& document, const TMemo& model);

private:
    void ForEachEditor(const std::function<void(TSynEditWidget&)>& change);
    void ChangeFontSize(int step);
    // The rich editor takes the plain editor's font, font colour and background.
    void ApplyLookToRichEditor(TMyMemo& document, const TMemo& model);

    TForm1& window;
    TWindowFrame& frame;
    TViewOptionWidgets widgets;
    bool fullScreen = false;
    QRect restoreBounds;
};
