#pragma once
// TColor (0x00BBGGRR, system colour 0xFF0000nn, clNone) to QColor. System colours follow the
// palette given, so the editors go along with the desktop's light or dark theme.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditTokenStyle.h"

#include <QColor>
#include <QPalette>

// clNone has no colour of its own: the caller's fallback is returned.
QColor ToQColor(TColor color, const QPalette& palette, const QColor& fallback = QColor());

// The concrete colours of every system colour index under this palette.
TSystemColors SystemColorsFromPalette(const QPalette& palette);

// A concrete colour (0x00BBGGRR, as TSynStyleResolver gives them).
inline QColor ToQColor(TColor rgb) {
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

// The inverse, for colours the window resolved itself.
inline TColor ToTColor(const QColor& color) {
    return RGB(unsigned(color.red()), unsigned(color.green()), unsigned(color.blue()));
}
