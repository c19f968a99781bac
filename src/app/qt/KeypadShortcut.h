#pragma once
// Shortcuts on a numeric-keypad key ("Ctrl+Num++"). Qt's shortcut matching on X11 drops the
// keypad modifier from the keys pressed, so such a shortcut never fires there; the action gets
// it shown in its menu, and a key handler of its own that works the same on every platform.

#include <QKeyCombination>

class QAction;

// modifiers without Qt::KeypadModifier, which is added.
void SetKeypadShortcut(QAction& action, Qt::KeyboardModifiers modifiers, Qt::Key key);
