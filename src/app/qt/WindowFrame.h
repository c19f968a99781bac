#pragma once
// A top-level window's outer rectangle, frame included, and the flags that give it a new frame.
// The frame is the window manager's, known only once it has framed the window: bounds set before
// that are placed again when the window is exposed, with the frame it has then.

#include <QObject>
#include <QRect>
#include <optional>

class QWidget;

class TWindowFrame : public QObject {
public:
    // Dies with the window.
    explicit TWindowFrame(QWidget& window);

    QRect OuterBounds() const;
    void SetOuterBounds(const QRect& bounds);
    // Bounds set while the window was hidden or not yet framed, placed again with its frame.
    void ApplyPendingOuterBounds();
    // The available area of the window's screen.
    QRect WorkArea() const;
    // Changing the flags of a shown window hides it and gives it a new frame; it comes back with
    // the same outer bounds.
    void SetFlags(Qt::WindowFlags flags);
    void SetFlag(Qt::WindowType flag, bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window;
    std::optional<QRect> pendingOuterBounds;
};
