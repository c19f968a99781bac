#pragma once
// The program's text model: text is bytes in one encoding, either a single-byte code page (one
// byte is one character) or UTF-8 (one well-formed sequence is one character; each byte of an
// ill-formed sequence is a character of its own). Knows nothing about Qt.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The code of a character: a Unicode scalar value, or for a byte that is no character of the
// encoding (an ill-formed UTF-8 byte, a byte a code page leaves undefined) the lone surrogate
// 0xDC00 + byte, so that every byte string maps to codes and back unchanged.
using CharCode = char32_t;

constexpr CharCode RawByteCode(std::uint8_t byte) {
    return 0xDC00 + byte;
}
constexpr bool IsRawByteCode(CharCode code) {
    return code >= 0xDC00 && code <= 0xDCFF;
}

class Encoding {
public:
    static constexpr int Utf8CodePage = 65001;

    // Windows code page numbers 1250 to 1258, 28591 (ISO-8859-1) and 65001 (UTF-8). Tables are
    // built once, on first use. Nothing for an unknown number.
    static const Encoding* ForCodePage(int codePage);
    // "1251", "28591", "utf-8", "utf8", "cp1252", "windows-1252", "iso-8859-1" (any case).
    static const Encoding* ForName(std::string_view name);
    // Every supported code page number, ascending.
    static const std::vector<int>& SupportedCodePages();

    int CodePage() const { return codePage; }
    bool IsUtf8() const { return codePage == Utf8CodePage; }
    // "windows-1251", "iso-8859-1", "utf-8".
    std::string Name() const;

    // Bytes taken by the character starting at pos (>= 1; 0 only at the end of the text).
    std::size_t CharLength(std::string_view text, std::size_t pos) const;
    // Start of the character before pos (pos > 0).
    std::size_t PreviousCharStart(std::string_view text, std::size_t pos) const;
    // Code of the character starting at pos.
    CharCode CodeAt(std::string_view text, std::size_t pos) const;
    std::size_t CharCount(std::string_view text) const;

    // Bytes of one character; nothing when the encoding cannot hold it. A raw-byte code gives
    // its byte back.
    std::optional<std::string> Encode(CharCode code) const;
    // Appends the bytes of code, or '?' when the encoding cannot hold it.
    void AppendEncoded(std::string& out, CharCode code) const;
    // Whether Encode(code) gives bytes.
    bool CanEncode(CharCode code) const;

    // Single-byte code pages only: the code of one byte.
    CharCode ByteToCode(std::uint8_t byte) const { return table[byte]; }
    // Single-byte code pages only: the byte of code (raw-byte codes included), or -1.
    int CodeToByte(CharCode code) const;

private:
    explicit Encoding(int codePage);
    void BuildSingleByteTables();

    int codePage;
    CharCode table[256] = {};
    // Inverse of table for BMP codes: reversePage[code >> 8] - 1 indexes reversePages (0: no
    // byte in that page); an entry is the byte or -1.
    std::array<std::uint8_t, 256> reversePage = {};
    std::vector<std::array<std::int16_t, 256>> reversePages;
};

// The program's code page: the one every document is read and written in. Until set, the
// locale's.
const Encoding& ProgramEncoding();
void SetProgramEncoding(const Encoding& encoding);

// The code page the user's locale asks for: a UTF-8 locale gives UTF-8, other locales the
// Windows code page of their language, the C locale Windows-1252. Reads LC_ALL, LC_CTYPE and
// LANG (the first one set) at each call.
const Encoding& LocaleEncoding();
// The code set the locale's name gives ("de_DE.UTF-8": UTF-8); nothing when it gives none (the
// C locale, "ru_RU"), and text then has no declared encoding.
const Encoding* LocaleCodeSet();
// The same for a POSIX locale name such as "ru_RU.CP1251", "de_DE.UTF-8", "C".
const Encoding& EncodingForLocaleName(std::string_view localeName);
// The Windows code page of the user's language, whatever the locale's code set: Windows-1251 for
// Russian, Windows-1252 for English and the C locale. Reads LC_ALL, LC_MESSAGES and LANG (the
// first one set) at each call.
const Encoding& LanguageEncoding();
