#pragma once
// TColor (0x00BBGGRR, system colour 0xFF0000nn, clNone) to QColor. System colours follow the
// palette given, so the editors go along with the desktop's light or dark theme.

#include "codeedit/SynEditHighlighter.h"

#include <QColor>
#include <QPalette>

// clNone has no colour of its own: the caller's fallback is returned.
QColor ToQColor(TColor color, const QPalette& palette, const QColor& fallback = QColor());
