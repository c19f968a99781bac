#include "platform/EncodingDetection.h"

#include "platform/Utf8.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <unicode/ucsdet.h>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

// The detector learns nothing more from a larger sample, and a large file must open fast.
constexpr std::size_t DetectionSampleSize = 64 * 1024;

const Encoding& Utf8() {
    return *Encoding::ForCodePage(Encoding::Utf8CodePage);
}

char16_t CodeUnitAt(std::string_view bytes, std::size_t pos, ByteOrderMark order) {
    const auto first = static_cast<std::uint8_t>(bytes[pos]);
    const auto second = static_cast<std::uint8_t>(bytes[pos + 1]);
    return order == ByteOrderMark::Utf16LittleEndian ? char16_t(first | second << 8)
                                                     : char16_t(first << 8 | second);
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Calls onCode with every character of UTF-16 text; false (having stopped) at an odd byte count
// or a surrogate without its partner, which no UTF-8 text could give back.
template <typename OnCode>
bool ForEachUtf16Code(std::string_view bytes, ByteOrderMark order, OnCode onCode) {
    if (bytes.size() % 2 != 0)
        return false;
    for (std::size_t pos = 0; pos < bytes.size(); pos += 2) {
        const char16_t unit = CodeUnitAt(bytes, pos, order);
        if (IsLowSurrogate(unit))
            return false;
        if (!IsHighSurrogate(unit)) {
            onCode(CharCode(unit));
            continue;
        }
        if (pos + 4 > bytes.size())
            return false;
        const char16_t low = CodeUnitAt(bytes, pos + 2, order);
        if (!IsLowSurrogate(low))
            return false;
        onCode(CharCode(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
        pos += 2;
    }
    return true;
}

// The mark the bytes start with; a UTF-16 mark only when the rest is well-formed UTF-16.
ByteOrderMark MarkOf(std::string_view bytes) {
    if (bytes.starts_with(Utf8Mark))
        return ByteOrderMark::Utf8;
    for (const ByteOrderMark order :
         {ByteOrderMark::Utf16LittleEndian, ByteOrderMark::Utf16BigEndian}) {
        if (bytes.starts_with(MarkBytes(order)) &&
            ForEachUtf16Code(bytes.substr(2), order, [](CharCode) {}))
            return order;
    }
    return ByteOrderMark::None;
}

struct Utf8Scan {
    bool hasNonAscii = false;
    bool wellFormed = true;
};

// The count bytes (a multiple of eight) from pos are all ASCII; false when fewer are left.
bool AsciiAt(std::string_view bytes, std::size_t pos, std::size_t count) {
    if (pos + count > bytes.size())
        return false;
    std::uint64_t high = 0;
    for (std::size_t i = 0; i < count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + pos + i, 8);
        high |= word;
    }
    return (high & 0x8080808080808080ULL) == 0;
}

// Stops at the first ill-formed byte. This pass reads the whole file, most of it ASCII, before
// it is shown: it steps over 64 ASCII bytes at a time (one test of eight words, which the
// compiler turns into vector loads), then eight, then one.
Utf8Scan ScanUtf8(std::string_view bytes) {
    Utf8Scan scan;
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (AsciiAt(bytes, pos, 64)) {
            pos += 64;
            continue;
        }
        if (AsciiAt(bytes, pos, 8)) {
            pos += 8;
            continue;
        }
        if (static_cast<std::uint8_t>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        scan.hasNonAscii = true;
        const std::size_t length = utf8::Utf8SequenceLength(bytes, pos);
        if (length == 1) {
            scan.wellFormed = false;
            return scan;
        }
        pos += length;
    }
    return scan;
}

// The first supported single-byte code page among the detector's guesses with good confidence.
const Encoding* DetectedCodePage(std::string_view bytes) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCharsetDetector, decltype(&ucsdet_close)> detector(ucsdet_open(&status),
                                                                        &ucsdet_close);
    const std::string_view sample = bytes.substr(0, DetectionSampleSize);
    ucsdet_setText(detector.get(), sample.data(), static_cast<std::int32_t>(sample.size()),
                   &status);
    std::int32_t count = 0;
    const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &count, &status);
    if (U_FAILURE(status))
        return nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        if (ucsdet_getConfidence(matches[i], &status) < GoodDetectionConfidence)
            break;
        const Encoding* named = Encoding::ForName(ucsdet_getName(matches[i], &status));
        if (U_SUCCESS(status) && named && !named->IsUtf8())
            return named;
    }
    return nullptr;
}

DocumentEncoding WithMark(ByteOrderMark mark) {
    return {&Utf8(), mark};
}

} // namespace

std::string_view MarkBytes(ByteOrderMark mark) {
    switch (mark) {
    case ByteOrderMark::Utf8:
        return Utf8Mark;
    case ByteOrderMark::Utf16LittleEndian:
        return Utf16LittleEndianMark;
    case ByteOrderMark::Utf16BigEndian:
        return Utf16BigEndianMark;
    case ByteOrderMark::None:
        break;
    }
    return {};
}

std::string EncodingCaption(const Encoding& encoding) {
    std::string caption = encoding.Name();
    if (caption.starts_with("windows"))
        caption[0] = 'W';
    else
        for (char& c : caption)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return caption;
}

std::string DocumentEncoding::Name() const {
    switch (mark) {
    case ByteOrderMark::Utf8:
        return "utf-8-bom";
    case ByteOrderMark::Utf16LittleEndian:
        return "utf-16le";
    case ByteOrderMark::Utf16BigEndian:
        return "utf-16be";
    case ByteOrderMark::None:
        break;
    }
    return encoding->Name();
}

std::string DocumentEncoding::Caption() const {
    switch (mark) {
    case ByteOrderMark::Utf8:
        return "UTF-8 with BOM";
    case ByteOrderMark::Utf16LittleEndian:
        return "UTF-16 LE";
    case ByteOrderMark::Utf16BigEndian:
        return "UTF-16 BE";
    case ByteOrderMark::None:
        break;
    }
    return EncodingCaption(*encoding);
}

std::optional<DocumentEncoding> DocumentEncoding::FromName(std::string_view name) {
    for (const ByteOrderMark mark :
         {ByteOrderMark::Utf8, ByteOrderMark::Utf16LittleEndian, ByteOrderMark::Utf16BigEndian}) {
        if (WithMark(mark).Name() == name)
            return WithMark(mark);
    }
    for (const int codePage : Encoding::SupportedCodePages()) {
        const Encoding& encoding = *Encoding::ForCodePage(codePage);
        if (encoding.Name() == name)
            return Plain(encoding);
    }
    return std::nullopt;
}

DocumentEncoding DetectEncoding(std::string_view bytes, const Encoding& programEncoding,
                                const Encoding& languageEncoding) {
    if (const ByteOrderMark mark = MarkOf(bytes); mark != ByteOrderMark::None)
        return WithMark(mark);
    const Utf8Scan scan = ScanUtf8(bytes);
    if (scan.hasNonAscii && scan.wellFormed)
        return DocumentEncoding::Plain(Utf8());
    // Plain ASCII reads the same in every supported encoding: it takes the program's, so what
    // the user types into it can be saved as it is today.
    if (!scan.hasNonAscii || !programEncoding.IsUtf8())
        return DocumentEncoding::Plain(programEncoding);
    const Encoding* detected = DetectedCodePage(bytes);
    return DocumentEncoding::Plain(detected ? *detected : languageEncoding);
}

DocumentEncoding EncodingOfChoice(std::string_view bytes, const Encoding& chosen) {
    if (!chosen.IsUtf8())
        return DocumentEncoding::Plain(chosen);
    return WithMark(MarkOf(bytes));
}

ByteBlock DecodeFileBytes(ByteBlock bytes, const DocumentEncoding& encoding) {
    const std::string_view mark = MarkBytes(encoding.mark);
    if (mark.empty() || !bytes.View().starts_with(mark))
        return bytes;
    if (!encoding.IsUtf16()) {
        // The mark goes in place: the file is in memory once.
        std::memmove(bytes.Data(), bytes.Data() + mark.size(), bytes.Size() - mark.size());
        bytes.Resize(bytes.Size() - mark.size());
        return bytes;
    }
    std::string text;
    text.reserve(bytes.Size());
    const bool wellFormed = ForEachUtf16Code(bytes.View().substr(mark.size()), encoding.mark,
                                             [&](CharCode code) { utf8::AppendUtf8(text, code); });
    // Only MarkOf decides on UTF-16, and it checked the bytes.
    if (!wellFormed)
        return bytes;
    return ByteBlock::CopyOf(text);
}

std::string DecodeFileBytes(std::string bytes, const DocumentEncoding& encoding) {
    return std::string(DecodeFileBytes(ByteBlock::CopyOf(bytes), encoding).View());
}

EncodedText EncodeFileBytes(std::string text, const DocumentEncoding& encoding) {
    const std::string_view mark = MarkBytes(encoding.mark);
    if (!encoding.IsUtf16()) {
        text.insert(0, mark);
        return {std::move(text), 0};
    }
    EncodedText result;
    result.bytes.reserve(mark.size() + text.size() * 2);
    result.bytes.append(mark);
    auto appendUnit = [&](char16_t unit) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        if (encoding.mark == ByteOrderMark::Utf16LittleEndian)
            result.bytes.append({low, high});
        else
            result.bytes.append({high, low});
    };
    const Encoding& utf8 = Utf8();
    for (std::size_t pos = 0; pos < text.size(); pos += utf8.CharLength(text, pos)) {
        CharCode code = utf8.CodeAt(text, pos);
        if (IsRawByteCode(code)) {
            ++result.unencodable;
            code = '?';
        }
        if (code > 0xFFFF) {
            appendUnit(char16_t(0xD800 + ((code - 0x10000) >> 10)));
            appendUnit(char16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            appendUnit(char16_t(code));
        }
    }
    return result;
}

EncodedText ConvertText(std::string_view text, const Encoding& from, const Encoding& to) {
    EncodedText result;
    result.bytes.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size(); pos += from.CharLength(text, pos)) {
        const CharCode code = from.CodeAt(text, pos);
        if (!to.CanEncode(code))
            ++result.unencodable;
        to.AppendEncoded(result.bytes, code);
    }
    return result;
}
