#pragma once
// Shortcuts on a numeric-keypad key ("Ctrl+Num++"). Qt's shortcut matching on X11 drops the
// keypad modifier from the keys pressed, so such a shortcut never fires there; the action gets
// shown in its menu, and a key handler of its own that works the same on every platform.

class QAction;

// Gives every keypad shortcut the action already has its own key handler.
void WatchKeypadShortcuts(QAction& action);
