#pragma once
// Byte strings that stress decoding (every one must come back unchanged from any encoding), and
// the line breaks the plain editor makes of bytes.

#include <string>
#include <vector>

// The bytes as the plain editor holds them: every lone CR and lone LF becomes CR LF.
inline std::string WithCrLf(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else {
            out += bytes[i];
        }
    }
    return out;
}

inline std::string AllBytes() {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes.push_back(static_cast<char>(byte));
    return bytes;
}

inline const std::vector<std::string>& HardByteStrings() {
    static const std::vector<std::string> strings = {
        AllBytes(),
        std::string("a\0b\0\0c", 6),     // NUL bytes kept
        "\xE2\x82\xAC \xF0\x9F\x98\x80", // well-formed: euro sign, emoji
        "0123456789abcdef\xE2\x82\xAC"
        "0123456789abcdef",                     // ASCII runs around a sequence
        "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF",     // outside the BMP
        "\xE2\x82",                             // truncated at the end
        "\xE2\x82z\xF0\x9F\x98",                // truncated in the middle
        "01234567\xE2\x82z",                    // truncated after a fast run
        "\xC0\x80\xC1\xBF\xE0\x80\x80",         // overlongs
        "\xE0\x9F\xBF\xF0\x8F\xBF\xBF",         // overlongs of 3 and 4 bytes
        "\xED\xA0\x80\xED\xBF\xBF",             // surrogates encoded in UTF-8
        "\xF4\x90\x80\x80",                     // above U+10FFFF
        "\xF5\x80\xF8\xFE\xFF",                 // bytes that never start a sequence
        "\x80\xBF\x80x\xBF",                    // lone continuation bytes
        "\xC3\xA9\xC3",                         // good then truncated
        "\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF", // the largest of each length
        "\xE9ghijklm\xE9nopqrstu",              // a high byte last of eight
    };
    return strings;
}
