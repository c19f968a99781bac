#pragma once
// Colour values as the settings files and highlighters store them: 0x00BBGGRR for an RGB
// colour, 0xFF000000 + index for a system colour (resolved by the window side when painting),
// clNone for "no colour of its own" and clDefault for "the control's own colour".

#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor RGB(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

constexpr TColor kSystemColorBase = 0xFF000000;
constexpr TColor MakeSystemColor(unsigned index) {
    return kSystemColorBase + index;
}

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = RGB(0, 0, 0), clMaroon = RGB(128, 0, 0), clGreen = RGB(0, 128, 0),
                 clOlive = RGB(128, 128, 0), clNavy = RGB(0, 0, 128), clPurple = RGB(128, 0, 128),
                 clTeal = RGB(0, 128, 128), clGray = RGB(128, 128, 128),
                 clSilver = RGB(192, 192, 192), clRed = RGB(255, 0, 0), clLime = RGB(0, 255, 0),
                 clYellow = RGB(255, 255, 0), clBlue = RGB(0, 0, 255), clFuchsia = RGB(255, 0, 255),
                 clAqua = RGB(0, 255, 255), clWhite = RGB(255, 255, 255);
constexpr TColor clMoneyGreen = RGB(192, 220, 192), clSkyBlue = RGB(166, 202, 240),
                 clCream = RGB(255, 251, 240), clMedGray = RGB(160, 160, 164);

constexpr TColor clScrollBar = MakeSystemColor(0), clBackground = MakeSystemColor(1),
                 clActiveCaption = MakeSystemColor(2), clInactiveCaption = MakeSystemColor(3),
                 clMenu = MakeSystemColor(4), clWindow = MakeSystemColor(5),
                 clWindowFrame = MakeSystemColor(6), clMenuText = MakeSystemColor(7),
                 clWindowText = MakeSystemColor(8), clCaptionText = MakeSystemColor(9),
                 clActiveBorder = MakeSystemColor(10), clInactiveBorder = MakeSystemColor(11),
                 clAppWorkSpace = MakeSystemColor(12), clHighlight = MakeSystemColor(13),
                 clHighlightText = MakeSystemColor(14), clBtnFace = MakeSystemColor(15),
                 clBtnShadow = MakeSystemColor(16), clGrayText = MakeSystemColor(17),
                 clBtnText = MakeSystemColor(18), clInactiveCaptionText = MakeSystemColor(19),
                 clBtnHighlight = MakeSystemColor(20), cl3DDkShadow = MakeSystemColor(21),
                 cl3DLight = MakeSystemColor(22), clInfoText = MakeSystemColor(23),
                 clInfoBk = MakeSystemColor(24), clHotLight = MakeSystemColor(26),
                 clGradientActiveCaption = MakeSystemColor(27),
                 clGradientInactiveCaption = MakeSystemColor(28),
                 clMenuHighlight = MakeSystemColor(29), clMenuBar = MakeSystemColor(30);
