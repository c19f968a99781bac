#pragma once
// UTF-8 stepping shared by Encoding and the Qt conversion: well-formed means the sequences of
// the Unicode standard (no overlongs, no encoded surrogates, nothing above U+10FFFF).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace utf8 {

inline bool IsUtf8Continuation(char byte) {
    return (static_cast<std::uint8_t>(byte) & 0xC0) == 0x80;
}

inline bool InRange(char byte, std::uint8_t low, std::uint8_t high) {
    const auto value = static_cast<std::uint8_t>(byte);
    return value >= low && value <= high;
}

// Length of the well-formed sequence at pos, or 1 when the byte there starts none.
inline std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    if (lead < 0xC2 || lead > 0xF4)
        return 1;
    const std::size_t left = text.size() - pos;
    if (lead < 0xE0)
        return left >= 2 && IsUtf8Continuation(text[pos + 1]) ? 2 : 1;
    // The second byte's range excludes overlongs (E0, F0), surrogates (ED) and > U+10FFFF (F4).
    std::uint8_t low = 0x80, high = 0xBF;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
    if (left < 2 || !InRange(text[pos + 1], low, high))
        return 1;
    if (left < 3 || !IsUtf8Continuation(text[pos + 2]))
        return 1;
    if (lead < 0xF0)
        return 3;
    return left >= 4 && IsUtf8Continuation(text[pos + 3]) ? 4 : 1;
}

// Code of the well-formed sequence of length 2 to 4 at pos.
inline char32_t DecodeUtf8Sequence(std::string_view text, std::size_t pos, std::size_t length) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data() + pos);
    switch (length) {
    case 2:
        return char32_t(bytes[0] & 0x1F) << 6 | (bytes[1] & 0x3F);
    case 3:
        return char32_t(bytes[0] & 0x0F) << 12 | char32_t(bytes[1] & 0x3F) << 6 | (bytes[2] & 0x3F);
    default:
        return char32_t(bytes[0] & 0x07) << 18 | char32_t(bytes[1] & 0x3F) << 12 |
               char32_t(bytes[2] & 0x3F) << 6 | (bytes[3] & 0x3F);
    }
}

// Writes a Unicode scalar value (1 to 4 bytes) at out; returns the end.
inline char* PutUtf8(char* out, char32_t code) {
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | code >> 6);
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = static_cast<char>(0xE0 | code >> 12);
        *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | code >> 18);
        *out++ = static_cast<char>(0x80 | (code >> 12 & 0x3F));
        *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

inline void AppendUtf8(std::string& out, char32_t code) {
    char bytes[4];
    out.append(bytes, PutUtf8(bytes, code));
}

} // namespace utf8
