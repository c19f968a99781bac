#include "codeedit/qt/ColorQt.h"

namespace {

// Windows system colour indices (COLOR_*) to the palette role that plays the same part.
QColor SystemColor(unsigned index, const QPalette& palette) {
    switch (index) {
    case 5: // window
        return palette.color(QPalette::Base);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 1:  // desktop
    case 4:  // menu
    case 10: // active border
    case 11: // inactive border
    case 12: // application workspace
    case 15: // button face
        return palette.color(QPalette::Button);
    case 7:  // menu text
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 2:  // active caption
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 9:  // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Mid);
    case 17: // grey text
    case 19: // inactive caption text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 20: // button highlight
    case 22: // 3D light
        return palette.color(QPalette::Light);
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    case 6: // window frame
        return palette.color(QPalette::Dark);
    default: // scroll bar, inactive caption
        return palette.color(QPalette::Window);
    }
}

} // namespace

TSystemColors SystemColorsFromPalette(const QPalette& palette) {
    TSystemColors system;
    for (unsigned index = 0; index < TSystemColors::Count; ++index)
        system.colors[index] = ToTColor(SystemColor(index, palette));
    return system;
}

QColor ToQColor(TColor color, const QPalette& palette, const QColor& fallback) {
    if (color == clNone)
        return fallback;
    if ((color & 0xFF000000u) == 0xFF000000u)
        return SystemColor(color & 0xFFu, palette);
    return ToQColor(color);
}
