#include "codeedit/ColorContrast.h"

#include <algorithm>
#include <cmath>

namespace {

struct Hsl {
    double hue = 0; // 0 to 6, one unit per sixth of the colour circle
    double saturation = 0;
    double lightness = 0;
};

double Channel(TColor rgb, int shift) {
    return double((rgb >> shift) & 0xFFu) / 255.0;
}

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

Hsl ToHsl(TColor rgb) {
    const double r = Channel(rgb, 0), g = Channel(rgb, 8), b = Channel(rgb, 16);
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    Hsl hsl;
    hsl.lightness = (high + low) / 2;
    const double chroma = high - low;
    if (chroma == 0)
        return hsl;
    hsl.saturation = chroma / (1 - std::abs(2 * hsl.lightness - 1));
    if (high == r)
        hsl.hue = std::fmod((g - b) / chroma + 6, 6);
    else if (high == g)
        hsl.hue = (b - r) / chroma + 2;
    else
        hsl.hue = (r - g) / chroma + 4;
    return hsl;
}

TColor FromHsl(const Hsl& hsl) {
    const double amount = hsl.saturation * std::min(hsl.lightness, 1 - hsl.lightness);
    // The channel at offset n (red 0, green 8, blue 4) of the colour circle in twelfths.
    const auto channel = [&](double n) {
        const double k = std::fmod(n + hsl.hue * 2, 12);
        const double value = hsl.lightness - amount * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
        return unsigned(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    };
    return RGB(channel(0), channel(8), channel(4));
}

} // namespace

double RelativeLuminance(TColor rgb) {
    return 0.2126 * Linear(Channel(rgb, 0)) + 0.7152 * Linear(Channel(rgb, 8)) +
           0.0722 * Linear(Channel(rgb, 16));
}

double ContrastRatio(TColor a, TColor b) {
    const double first = RelativeLuminance(a), second = RelativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

TColor WithContrast(TColor rgb, TColor background, double ratio) {
    if (ContrastRatio(rgb, background) >= ratio)
        return rgb;
    Hsl hsl = ToHsl(rgb);
    const bool lighter = ContrastRatio(clWhite, background) >= ContrastRatio(clBlack, background);
    // Lightness moves the colour's luminance one way only, so the lightnesses that reach the
    // contrast lie between `far` (white or black) and a bound found by halving.
    double near = hsl.lightness, far = lighter ? 1.0 : 0.0;
    TColor found = lighter ? clWhite : clBlack;
    for (int step = 0; step < 24; ++step) {
        hsl.lightness = (near + far) / 2;
        const TColor candidate = FromHsl(hsl);
        if (ContrastRatio(candidate, background) >= ratio) {
            far = hsl.lightness;
            found = candidate;
        } else {
            near = hsl.lightness;
        }
    }
    return found;
}
