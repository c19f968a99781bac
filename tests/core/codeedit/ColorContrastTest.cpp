#include "codeedit/ColorContrast.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(ColorContrast, RatiosAreWcagsOwn) {
    const struct {
        TColor a, b;
        double ratio;
    } cases[] = {
        {clBlack, clWhite, 21.0},
        {clWhite, clBlack, 21.0},
        {clGray, clGray, 1.0},
        {RGB(128, 0, 255), RGB(0x3D, 0x3D, 0x3D), 1.74}, // HTML tag names on a dark palette
        {clMaroon, clWhite, 10.95},
        {clBlue, clWhite, 8.59},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01) << std::hex << c.a << " on " << c.b;
}

// Each result stands 4.5 apart from its background and only just: a colour one step (of
// 1/255) nearer in each channel would not.
TEST(ColorContrast, ColoursMoveJustFarEnoughTowardsWhiteOrBlack) {
    const TColor dark = RGB(0x3D, 0x3D, 0x3D), silver = clSilver;
    const struct {
        TColor color, background;
        bool unchanged;
    } cases[] = {
        {RGB(128, 0, 255), dark, false}, {clMaroon, dark, false}, {clBlack, dark, false},
        {clGray, silver, false},         {clYellow, dark, true},  {clNavy, clWhite, true},
    };
    for (const auto& c : cases) {
        const TColor moved = WithContrast(c.color, c.background, 4.5);
        EXPECT_EQ(moved == c.color, c.unchanged) << std::hex << c.color;
        EXPECT_GE(ContrastRatio(moved, c.background), 4.5) << std::hex << c.color;
        if (c.unchanged)
            continue;
        const bool lighter = RelativeLuminance(moved) > RelativeLuminance(c.color);
        const auto back = [lighter](unsigned channel) {
            return lighter ? (channel >= 3 ? channel - 3 : 0) : std::min(255u, channel + 3);
        };
        const TColor nearer =
            RGB(back(moved & 0xFF), back((moved >> 8) & 0xFF), back((moved >> 16) & 0xFF));
        EXPECT_LT(ContrastRatio(nearer, c.background), 4.5) << std::hex << c.color;
    }
}

} // namespace
