#include "textfuncs/LowCodes.h"

LowCodeChar LowCodeAt(std::string_view text, std::size_t pos, const Encoding& encoding) {
    if (!encoding.IsUtf8())
        return {static_cast<std::uint8_t>(text[pos]), 1};
    return {encoding.CodeAt(text, pos), encoding.CharLength(text, pos)};
}

void AppendLowCode(std::string& out, std::uint8_t code, const Encoding& encoding) {
    if (encoding.IsUtf8())
        encoding.AppendEncoded(out, code);
    else
        out.push_back(static_cast<char>(code));
}

std::string MapLowCodes(std::string_view text, const CodeTable& table, const Encoding& encoding) {
    std::string result;
    result.reserve(text.size());
    if (!encoding.IsUtf8()) {
        for (const char byte : text)
            result.push_back(static_cast<char>(table[static_cast<std::uint8_t>(byte)]));
        return result;
    }
    for (std::size_t pos = 0; pos < text.size();) {
        const LowCodeChar c = LowCodeAt(text, pos, encoding);
        if (c.code < table.size())
            AppendLowCode(result, table[c.code], encoding);
        else
            result.append(text.substr(pos, c.length));
        pos += c.length;
    }
    return result;
}
