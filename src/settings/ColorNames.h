#pragma once
// Colours as text in the settings and style files: one of the 52 colour names ("clRed",
// "clWindow", ...), or a number. Names match without case. System colours stay indices here;
// the window side resolves them when painting.

#include "platform/Color.h"
#include "settings/IniFile.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

struct NamedColor {
    std::string_view name;
    TColor value;
};

// The named colours, in the order the settings files have always listed them.
std::span<const NamedColor> NamedColors();

// The name when one fits the value exactly, else "$" and 8 upper-case hexadecimal digits.
std::string ColorToString(TColor color);
// A name, or a number as ParseIniInteger reads it; nothing for anything else.
std::optional<TColor> StringToColor(std::string_view text);

// A colour key; a value that is neither name nor number reads as the default.
TColor ReadColor(const IniFile& file, std::string_view section, std::string_view key,
                 TColor defaultValue);
void WriteColor(IniFile& file, std::string_view section, std::string_view key, TColor color);
