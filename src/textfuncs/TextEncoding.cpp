#include "textfuncs/TextEncoding.h"

#include "textfuncs/LowCodes.h"

namespace {

constexpr std::uint8_t CarriageReturn = 13;
constexpr std::uint8_t LineFeed = 10;
// The pair a CR LF becomes in "Encode / Decode", and back.
constexpr std::uint8_t EncodedCarriageReturn = 255;
constexpr std::uint8_t EncodedLineFeed = 254;

// Codes first to last traded end for end: first with last, first + 1 with last - 1, ...
constexpr CodeTable Mirror(int first, int last) {
    CodeTable table = IdentityCodeTable();
    for (int code = first; code <= last; ++code)
        table[code] = static_cast<std::uint8_t>(first + last - code);
    return table;
}

// Codes 32 to 255 moved by step (+1 or -1) with wrap-around.
constexpr CodeTable Rotate(int step) {
    constexpr int first = 32, count = 256 - first;
    CodeTable table = IdentityCodeTable();
    for (int code = first; code < 256; ++code)
        table[code] = static_cast<std::uint8_t>(first + (code - first + step + count) % count);
    return table;
}

// Line breaks and the pair they are traded with must meet as pairs: a CR LF becomes 255 254
// and 255 254 becomes CR LF, while a 254 or 255 on its own (in Windows-1251 the letters 'ю' and
// 'я') stays. Trading them one by one would leave a lone CR or LF, which the editor turns into
// a line break, and decoding would then lose the letter. A lone CR or LF stays as well, so the
// mapping is its own inverse on every text.
std::string MirrorJoiningLines(std::string_view text, const Encoding& encoding) {
    static constexpr CodeTable mirror = Mirror(32, 253);
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const LowCodeChar c = LowCodeAt(text, pos, encoding);
        const std::size_t next = pos + c.length;
        const std::uint32_t nextCode =
            next < text.size() ? LowCodeAt(text, next, encoding).code : std::uint32_t{256};
        if (c.code == CarriageReturn && nextCode == LineFeed) {
            AppendLowCode(result, EncodedCarriageReturn, encoding);
            AppendLowCode(result, EncodedLineFeed, encoding);
            pos = next + 1;
        } else if (c.code == EncodedCarriageReturn && nextCode == EncodedLineFeed) {
            result.push_back(static_cast<char>(CarriageReturn));
            result.push_back(static_cast<char>(LineFeed));
            pos = next + LowCodeAt(text, next, encoding).length;
        } else {
            if (c.code < mirror.size())
                AppendLowCode(result, mirror[c.code], encoding);
            else
                result.append(text.substr(pos, c.length));
            pos = next;
        }
    }
    return result;
}

} // namespace

std::string EncodeText(std::string_view text, EncodeMapping mapping, const Encoding& encoding) {
    static constexpr CodeTable mirrorKeepingLines = Mirror(32, 255);
    static constexpr CodeTable offsetUp = Rotate(+1);
    static constexpr CodeTable offsetDown = Rotate(-1);
    switch (mapping) {
    case EncodeMapping::MirrorKeepingLines:
        return MapLowCodes(text, mirrorKeepingLines, encoding);
    case EncodeMapping::MirrorJoiningLines:
        return MirrorJoiningLines(text, encoding);
    case EncodeMapping::OffsetUp:
        return MapLowCodes(text, offsetUp, encoding);
    case EncodeMapping::OffsetDown:
        return MapLowCodes(text, offsetDown, encoding);
    }
    return std::string(text);
}
