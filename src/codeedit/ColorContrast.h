#pragma once
// Contrast between two RGB colours as WCAG 2 measures it, and a colour moved just far enough in
// lightness to reach a contrast while keeping its hue. Plain arithmetic on 0x00BBGGRR values:
// it knows no palette and no system colours.

#include "platform/Color.h"

// 0 for black to 1 for white.
double RelativeLuminance(TColor rgb);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(TColor a, TColor b);
// The colour itself when it stands `ratio` apart from the background; otherwise the colour of
// the same hue and saturation (HSL) whose lightness is the nearest that does, towards white or
// black, whichever lies farther from the background. Up to 4.5 every background allows it.
TColor WithContrast(TColor rgb, TColor background, double ratio);
