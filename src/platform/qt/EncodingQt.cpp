#include "platform/qt/EncodingQt.h"

#include "platform/Utf8.h"

#include <QList>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t highBits = 0x8080808080808080ULL;

// Whether bytes 0 to 127 are ASCII in the encoding (true for every code page we have).
bool AsciiCompatible(const Encoding& encoding) {
    if (encoding.IsUtf8())
        return true;
    for (int byte = 0; byte < 0x80; ++byte) {
        if (encoding.ByteToCode(static_cast<std::uint8_t>(byte)) != CharCode(byte))
            return false;
    }
    return true;
}

char16_t* PutCode(char16_t* out, char32_t code) {
    if (code < 0x10000) {
        *out++ = static_cast<char16_t>(code);
    } else {
        *out++ = static_cast<char16_t>(0xD7C0 + (code >> 10));
        *out++ = static_cast<char16_t>(0xDC00 | (code & 0x3FF));
    }
    return out;
}

// Copies a run of ASCII bytes eight at a time; returns where the run stops.
std::size_t CopyAscii(const char* in, std::size_t pos, std::size_t size, char16_t*& out) {
    while (pos + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, in + pos, 8);
        if (word & highBits)
            break;
        // From the local word, so the stores need not be ordered against loads from in.
        for (int k = 0; k < 8; ++k)
            out[k] = static_cast<char16_t>((word >> (8 * k)) & 0xFF);
        out += 8;
        pos += 8;
    }
    return pos;
}

} // namespace

QString ToQString(std::string_view bytes, const Encoding& encoding) {
    const std::size_t size = bytes.size();
    // UTF-8 never needs more UTF-16 units than bytes; a code page maps a byte to at most two.
    QString result(qsizetype(encoding.IsUtf8() ? size : size * 2), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(result.data());
    char16_t* out = begin;
    const char* in = bytes.data();
    if (!encoding.IsUtf8()) {
        for (std::size_t pos = 0; pos < size; ++pos)
            out = PutCode(out, encoding.ByteToCode(static_cast<std::uint8_t>(in[pos])));
    } else {
        for (std::size_t pos = 0; pos < size;) {
            pos = CopyAscii(in, pos, size, out);
            if (pos == size)
                break;
            const auto byte = static_cast<std::uint8_t>(in[pos]);
            if (byte < 0x80) {
                *out++ = byte;
                ++pos;
                continue;
            }
            const std::size_t length = utf8::Utf8SequenceLength(bytes, pos);
            out = PutCode(out, length == 1 ? RawByteCode(byte)
                                           : utf8::DecodeUtf8Sequence(bytes, pos, length));
            pos += length;
        }
    }
    result.truncate(qsizetype(out - begin));
    return result;
}

std::string FromQString(const QString& text, const Encoding& encoding) {
    const auto* in = reinterpret_cast<const char16_t*>(text.utf16());
    const std::size_t size = static_cast<std::size_t>(text.size());
    const bool utf8 = encoding.IsUtf8();
    const bool ascii = AsciiCompatible(encoding);
    // A UTF-16 unit from U+0080 on gives at most three UTF-8 bytes (a pair four for two).
    std::size_t capacity = size;
    if (utf8) {
        for (std::size_t pos = 0; pos < size; ++pos)
            capacity += in[pos] < 0x80 ? 0 : 2;
    }
    std::string result(capacity, '\0');
    char* out = result.data();
    for (std::size_t pos = 0; pos < size;) {
        const char16_t unit = in[pos];
        if (unit < 0x80 && ascii) {
            *out++ = static_cast<char>(unit);
            ++pos;
            continue;
        }
        char32_t code = unit;
        ++pos;
        if (unit >= 0xD800 && unit <= 0xDBFF && pos < size && in[pos] >= 0xDC00 &&
            in[pos] <= 0xDFFF) {
            code = 0x10000 + (char32_t(unit - 0xD800) << 10) + (in[pos] - 0xDC00);
            ++pos;
        }
        if (!utf8) {
            const int byte = encoding.CodeToByte(code);
            *out++ = byte < 0 ? '?' : static_cast<char>(byte);
        } else if (IsRawByteCode(code)) {
            *out++ = static_cast<char>(code - RawByteCode(0));
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            *out++ = '?';
        } else {
            out = utf8::PutUtf8(out, code);
        }
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

std::size_t UnencodableCount(const QString& text, const Encoding& encoding) {
    std::size_t count = 0;
    for (const char32_t code : text.toUcs4())
        count += encoding.CanEncode(code) ? 0 : 1;
    return count;
}
