#include "codeedit/SynEditTokenStyle.h"

#include "codeedit/ColorContrast.h"

#include <algorithm>

const TSystemColors& DefaultSystemColors() {
    // Qt's standard light palette, role by role as the window maps the indices (ColorQt.cpp).
    constexpr TColor window = RGB(239, 239, 239), base = clWhite, text = clBlack,
                     highlight = RGB(48, 140, 198), light = clWhite, mid = RGB(184, 184, 184),
                     dark = RGB(159, 159, 159), shadow = RGB(118, 118, 118),
                     disabledText = RGB(190, 190, 190), toolTipBase = RGB(255, 255, 220);
    static const TSystemColors colors{{
        window,       // 0 scroll bar
        window,       // 1 desktop
        highlight,    // 2 active caption
        window,       // 3 inactive caption
        window,       // 4 menu
        base,         // 5 window
        dark,         // 6 window frame
        text,         // 7 menu text
        text,         // 8 window text
        clWhite,      // 9 caption text
        window,       // 10 active border
        window,       // 11 inactive border
        window,       // 12 application workspace
        highlight,    // 13 highlight
        clWhite,      // 14 highlighted text
        window,       // 15 button face
        mid,          // 16 button shadow
        disabledText, // 17 grey text
        text,         // 18 button text
        disabledText, // 19 inactive caption text
        light,        // 20 button highlight
        shadow,       // 21 3D dark shadow
        light,        // 22 3D light
        text,         // 23 tooltip text
        toolTipBase,  // 24 tooltip background
        window,       // 25
        window,       // 26 hot light
        window,       // 27 gradient active caption
        window,       // 28 gradient inactive caption
        window,       // 29 menu highlight
        window,       // 30 menu bar
    }};
    return colors;
}

TColor ResolveColor(TColor color, const TSystemColors& system, TColor fallback) {
    if (color == clNone)
        return fallback;
    if ((color & 0xFF000000u) == kSystemColorBase) {
        const unsigned index = color & 0xFFu;
        return index < TSystemColors::Count ? system.colors[index] : system.colors[0];
    }
    return color & 0x00FFFFFFu;
}

TSynStyleResolver::TSynStyleResolver(const TSynEditorLook& look, const TSystemColors& system,
                                     const TSynCustomHighlighter* highlighter)
    : system(system) {
    plain.foreground = ResolveColor(look.fontColor, system, system.colors[8]);
    plain.background = ResolveColor(look.color, system, system.colors[5]);
    plain.style = look.fontStyle;
    if (!highlighter)
        return;
    if (const TSynHighlighterAttributes* space = highlighter->DefaultAttribute(SYN_ATTR_WHITESPACE))
        plain.background = ResolveColor(space->Background(), system, plain.background);
    dark = RelativeLuminance(plain.foreground) > RelativeLuminance(plain.background);
    if (!dark)
        return;
    for (int index = 0; index < highlighter->AttributeCount(); ++index) {
        const TSynHighlighterAttributes* attribute = highlighter->AttributeAt(index);
        readable.emplace_back(attribute, ResolvedStyle(*attribute));
    }
}

TSynTokenStyle TSynStyleResolver::TokenStyle(const TSynHighlighterAttributes* attribute) const {
    if (!attribute)
        return plain;
    const auto known =
        std::find_if(readable.begin(), readable.end(),
                     [attribute](const auto& entry) { return entry.first == attribute; });
    return known != readable.end() ? known->second : ResolvedStyle(*attribute);
}

TSynTokenStyle TSynStyleResolver::ResolvedStyle(const TSynHighlighterAttributes& attribute) const {
    TSynTokenStyle style{ResolveColor(attribute.Foreground(), system, plain.foreground),
                         ResolveColor(attribute.Background(), system, plain.background),
                         TFontStyles(plain.style | attribute.Style())};
    if (dark && attribute.Foreground() != clNone && attribute.ForegroundIsPreset())
        style.foreground = WithContrast(style.foreground, style.background, kReadableContrast);
    return style;
}
