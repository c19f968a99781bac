#pragma once
// How the functions whose rules act on character codes 0 to 255 (encoding, offsets, random
// text, look-alike symbols) see a text. In a code page a code is the byte itself, whatever
// letter the page puts there. In UTF-8 it is U+0000 to U+00FF; characters above U+00FF and
// ill-formed bytes have codes above 255 and are left as they are. Holds no rule of its own.

#include "platform/Encoding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A replacement code for each of the codes 0 to 255.
using CodeTable = std::array<std::uint8_t, 256>;

constexpr CodeTable IdentityCodeTable() {
    CodeTable table{};
    for (std::size_t code = 0; code < table.size(); ++code)
        table[code] = static_cast<std::uint8_t>(code);
    return table;
}

struct LowCodeChar {
    std::uint32_t code; // above 255 for a character the rules leave alone
    std::size_t length; // bytes
};

// The character starting at pos (pos < text.size()).
LowCodeChar LowCodeAt(std::string_view text, std::size_t pos, const Encoding& encoding);

// Appends the character of code 0 to 255: the byte in a code page, its UTF-8 form in UTF-8.
void AppendLowCode(std::string& out, std::uint8_t code, const Encoding& encoding);

// Every character of code 0 to 255 replaced by table[code]; the others are copied.
std::string MapLowCodes(std::string_view text, const CodeTable& table, const Encoding& encoding);
