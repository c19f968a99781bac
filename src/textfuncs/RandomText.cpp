#include "textfuncs/RandomText.h"

#include "platform/Random.h"
#include "textfuncs/LowCodes.h"

#include <cstdint>

namespace {

std::uint8_t AlphanumericCode() {
    // 48 + 51 codes spread over the digits, then past the 7 signs before 'A', then past the
    // 6 signs before 'a'.
    std::uint32_t code = '0' + Random::Below(51);
    if (code > '9')
        code += 'A' - ('9' + 1);
    if (code > 'Z')
        code += 'a' - ('Z' + 1);
    return static_cast<std::uint8_t>(code);
}

std::uint8_t RandomCode(RandomTextKind kind) {
    switch (kind) {
    case RandomTextKind::Codes32To255:
        return static_cast<std::uint8_t>(32 + Random::Below(224));
    case RandomTextKind::Codes32To99:
        return static_cast<std::uint8_t>(32 + Random::Below(58));
    case RandomTextKind::Alphanumeric:
        return AlphanumericCode();
    }
    return ' ';
}

} // namespace

std::string RandomNumberText() {
    return std::to_string(Random::Below(100));
}

std::string NewRandomText(RandomTextKind kind, const Encoding& encoding) {
    std::string text;
    text.reserve(RandomTextLines * (RandomTextLineLength + 2));
    for (std::size_t line = 0; line < RandomTextLines; ++line) {
        for (std::size_t column = 0; column < RandomTextLineLength; ++column)
            AppendLowCode(text, RandomCode(kind), encoding);
        text += "\r\n";
    }
    return text;
}
