#include "app/qt/KeypadShortcut.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Watches the keys of the whole application for one keypad combination and triggers the action
// when it is pressed in a window the action belongs to. It claims the combination before Qt's
// own shortcut matching, so the action runs once, whatever the platform makes of the key.
class KeypadShortcut : public QObject {
public:
    KeypadShortcut(QAction& action, QKeyCombination keys)
        : QObject(&action), action(action), keys(keys) {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* receiver, QEvent* event) override {
        const bool press = event->type() == QEvent::KeyPress;
        if (!press && event->type() != QEvent::ShortcutOverride)
            return false;
        if (static_cast<QKeyEvent*>(event)->keyCombination() != keys || !InActionsWindow(receiver))
            return false;
        if (press)
            action.trigger();
        else
            event->accept();
        return true;
    }

private:
    bool InActionsWindow(QObject* receiver) const {
        const auto* widget = qobject_cast<const QWidget*>(receiver);
        if (!widget || !action.isEnabled())
            return false;
        for (const QObject* owner : action.associatedObjects()) {
            const auto* ownerWidget = qobject_cast<const QWidget*>(owner);
            if (ownerWidget && ownerWidget->window() == widget->window())
                return true;
        }
        return false;
    }

    QAction& action;
    const QKeyCombination keys;
};

} // namespace

void WatchKeypadShortcuts(QAction& action) {
    for (const QKeySequence& shortcut : action.shortcuts()) {
        if (shortcut.count() == 1 && shortcut[0].keyboardModifiers().testFlag(Qt::KeypadModifier))
            new KeypadShortcut(action, shortcut[0]);
    }
}
