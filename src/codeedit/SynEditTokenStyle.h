#pragma once
// How a token looks: its attribute's colours and font style made concrete against the editor's
// own colours and a set of system colours. The one rule shared by the code editor's painting and
// the coloured HTML export. It neither paints nor knows a palette: the caller supplies the
// system colours (the window from its palette, tabrix-cli the fixed defaults).
//
// The highlighters' own colours are chosen for dark text on a light background. Where the text
// is light on a dark one (a dark desktop theme, a dark style), each colour the program gave an
// attribute is shown lighter, keeping its hue, until it is readable on its background; a colour
// set by other means is shown as it is.

#include "codeedit/SynEditHighlighter.h"
#include "platform/Color.h"

#include <array>
#include <utility>
#include <vector>

// Concrete colours (0x00BBGGRR) of the system colour indices 0 (scroll bar) to 30 (menu bar).
struct TSystemColors {
    static constexpr unsigned Count = 31;
    std::array<TColor, Count> colors{};
    bool operator==(const TSystemColors&) const = default;
};

// The light palette the editor shows where no desktop theme is asked (Qt's offscreen platform):
// tabrix-cli resolves system colours with it.
const TSystemColors& DefaultSystemColors();

// A colour made concrete: a system colour from the table, clNone the fallback, RGB as it is.
TColor ResolveColor(TColor color, const TSystemColors& system, TColor fallback);

// The editor's own look that tokens fall back to.
struct TSynEditorLook {
    TColor fontColor = clWindowText;
    TColor color = clWindow;
    TFontStyles fontStyle = 0; // the editor font's own bold, italic, underline, strike-out
};

// The contrast against its background that the program's colours keep on dark text areas, as
// WCAG asks of body text.
inline constexpr double kReadableContrast = 4.5;

// A token's look with every colour concrete (0x00BBGGRR).
struct TSynTokenStyle {
    TColor foreground = 0;
    TColor background = 0;
    TFontStyles style = 0;
    bool operator==(const TSynTokenStyle&) const = default;
};

class TSynStyleResolver {
public:
    // highlighter: nullptr when the text is shown in the editor's font alone.
    TSynStyleResolver(const TSynEditorLook& look, const TSystemColors& system,
                      const TSynCustomHighlighter* highlighter);

    // The text area's background: the editor's colour, unless the highlighter's whitespace
    // attribute has a background of its own.
    TColor TextBackground() const { return plain.background; }
    TColor FontColor() const { return plain.foreground; }
    // Text without an attribute.
    const TSynTokenStyle& Plain() const { return plain; }
    // attribute nullptr: Plain(). Unset colours fall back to the editor's; the attribute's
    // font style adds to the editor font's.
    TSynTokenStyle TokenStyle(const TSynHighlighterAttributes* attribute) const;
    // Whether the text is light on a dark background, so that the program's colours are
    // shown readable on it.
    bool DarkTextArea() const { return dark; }

private:
    TSynTokenStyle ResolvedStyle(const TSynHighlighterAttributes& attribute) const;

    const TSystemColors& system;
    TSynTokenStyle plain;
    bool dark = false;
    // The highlighter's attributes as a dark text area shows them, worked out once.
    std::vector<std::pair<const TSynHighlighterAttributes*, TSynTokenStyle>> readable;
};
