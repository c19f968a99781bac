// A window's outer rectangle through the window manager's frame.

#include "app/qt/WindowFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

QMargins FrameMargins(const QWidget& window) {
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

// Sets a window's bounds frame included, as far as its frame is known now.
void PlaceOuterBounds(QWidget& window, const QRect& bounds) {
    window.setGeometry(bounds.marginsRemoved(FrameMargins(window)));
}

} // namespace

TWindowFrame::TWindowFrame(QWidget& window) : QObject(&window), window(window) {
    window.installEventFilter(this);
}

bool TWindowFrame::eventFilter(QObject* watched, QEvent* event) {
    QWindow* handle = window.windowHandle();
    if (watched == &window && event->type() == QEvent::Show && handle)
        handle->installEventFilter(this);
    else if (watched == handle && event->type() == QEvent::Expose && handle->isExposed())
        ApplyPendingOuterBounds();
    return QObject::eventFilter(watched, event);
}

QRect TWindowFrame::OuterBounds() const {
    if (pendingOuterBounds)
        return *pendingOuterBounds;
    return window.geometry().marginsAdded(FrameMargins(window));
}

void TWindowFrame::SetOuterBounds(const QRect& bounds) {
    if (pendingOuterBounds || !window.windowHandle() || !window.windowHandle()->isExposed())
        pendingOuterBounds = bounds;
    PlaceOuterBounds(window, bounds);
}

void TWindowFrame::ApplyPendingOuterBounds() {
    if (!pendingOuterBounds)
        return;
    const QRect bounds = *pendingOuterBounds;
    pendingOuterBounds.reset();
    PlaceOuterBounds(window, bounds);
}

QRect TWindowFrame::WorkArea() const {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TWindowFrame::SetFlags(Qt::WindowFlags flags) {
    if (window.windowFlags() == flags)
        return;
    const bool shown = window.isVisible();
    const QRect bounds = OuterBounds();
    window.setWindowFlags(flags);
    // Qt lets a tool window's closing end nothing; this window's closing ends the program.
    window.setAttribute(Qt::WA_QuitOnClose, true);
    pendingOuterBounds = bounds;
    PlaceOuterBounds(window, bounds);
    if (shown)
        window.show();
}

void TWindowFrame::SetFlag(Qt::WindowType flag, bool on) {
    SetFlags(on ? window.windowFlags() | flag : window.windowFlags() & ~flag);
}
