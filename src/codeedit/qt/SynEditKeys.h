#pragma once
// Translates Qt key events into the editors' shortcut values: the Windows virtual-key code in
// the low byte, Shift 0x2000, Ctrl 0x4000, Alt 0x8000. The binding tables themselves live in
// the engine; this file only speaks Qt.

#include "codeedit/SynEditKeyBindings.h"

#include <QKeyEvent>

// The virtual-key code of a Qt key, 0 when it has none. Shifted digit-row symbols of the US
// layout (Shift+3 arrives as '#') map back to their digit so Ctrl+Shift+3 stays bookmark 3.
int VirtualKeyOfQtKey(int qtKey, bool keypad);

// 0 when the key has no virtual-key code (a bare modifier, an unknown key).
TShortCut ShortCutOfKeyEvent(const QKeyEvent& event);
