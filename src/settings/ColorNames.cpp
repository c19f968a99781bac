#include "settings/ColorNames.h"

#include "settings/IniText.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::array<NamedColor, 52> kNamedColors{{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
    {"clNone", clNone},
    {"clDefault", clDefault},
}};

} // namespace

std::span<const NamedColor> NamedColors() {
    return kNamedColors;
}

std::string ColorToString(TColor color) {
    for (const NamedColor& named : kNamedColors) {
        if (named.value == color) {
            return std::string(named.name);
        }
    }
    char text[10];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
    return text;
}

std::optional<TColor> StringToColor(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    for (const NamedColor& named : kNamedColors) {
        if (EqualWithoutCase(named.name, trimmed)) {
            return named.value;
        }
    }
    if (const auto number = ParseIniInteger(trimmed)) {
        return static_cast<TColor>(*number);
    }
    return std::nullopt;
}

TColor ReadColor(const IniFile& file, std::string_view section, std::string_view key,
                 TColor defaultValue) {
    if (!file.KeyExists(section, key)) {
        return defaultValue;
    }
    return StringToColor(file.ReadString(section, key, {})).value_or(defaultValue);
}

void WriteColor(IniFile& file, std::string_view section, std::string_view key, TColor color) {
    file.WriteString(section, key, ColorToString(color));
}
