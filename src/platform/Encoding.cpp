#include "platform/Encoding.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>
#include <unicode/ucnv.h>
#include <unicode/utf16.h>

namespace {

struct CodePageName {
    int codePage;
    const char* name; // ICU converter name, also the name we show
};

constexpr CodePageName codePageNames[] = {
    {1250, "windows-1250"},
    {1251, "windows-1251"},
    {1252, "windows-1252"},
    {1253, "windows-1253"},
    {1254, "windows-1254"},
    {1255, "windows-1255"},
    {1256, "windows-1256"},
    {1257, "windows-1257"},
    {1258, "windows-1258"},
    {28591, "iso-8859-1"},
    {Encoding::Utf8CodePage, "utf-8"},
};

const char* NameOf(int codePage) {
    for (const auto& entry : codePageNames) {
        if (entry.codePage == codePage)
            return entry.name;
    }
    return nullptr;
}

// The code ICU gives for one byte, or a raw-byte code when the code page leaves it undefined.
CharCode DecodeOneByte(UConverter* converter, std::uint8_t byte) {
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter);
    const char in = static_cast<char>(byte);
    UChar out[4];
    const std::int32_t length = ucnv_toUChars(converter, out, 4, &in, 1, &status);
    if (U_FAILURE(status) || length <= 0)
        return RawByteCode(byte);
    std::int32_t index = 0;
    UChar32 code;
    U16_NEXT(out, index, length, code);
    // A byte giving several characters, a substitute or a lone surrogate is no character of ours.
    if (index != length || code == 0xFFFD || U_IS_SURROGATE(code))
        return RawByteCode(byte);
    return static_cast<CharCode>(code);
}

std::string Lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::atomic<const Encoding*> programEncoding{nullptr};

} // namespace

Encoding::Encoding(int codePage) : codePage(codePage) {
    if (IsUtf8()) {
        for (int byte = 0; byte < 256; ++byte)
            table[byte] = byte < 0x80 ? CharCode(byte) : RawByteCode(std::uint8_t(byte));
    } else {
        BuildSingleByteTables();
    }
}

void Encoding::BuildSingleByteTables() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(
        ucnv_open(NameOf(codePage), &status), &ucnv_close);
    if (U_SUCCESS(status)) {
        ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                            &status);
    }
    for (int byte = 0; byte < 256; ++byte) {
        table[byte] = U_SUCCESS(status) ? DecodeOneByte(converter.get(), std::uint8_t(byte))
                                        : RawByteCode(std::uint8_t(byte));
    }
    // Inverse tables; when two bytes share a code the lower byte wins.
    for (int byte = 255; byte >= 0; --byte) {
        const CharCode code = table[byte];
        if (code > 0xFFFF || IsRawByteCode(code))
            continue;
        auto& page = reversePage[code >> 8];
        if (page == 0) {
            reversePages.emplace_back();
            reversePages.back().fill(-1);
            page = static_cast<std::uint8_t>(reversePages.size());
        }
        reversePages[page - 1][code & 0xFF] = static_cast<std::int16_t>(byte);
    }
}

const Encoding* Encoding::ForCodePage(int codePage) {
    // Built once, on first use, and never freed: every document refers to one of these.
    static const auto encodings = [] {
        std::vector<std::unique_ptr<const Encoding>> all;
        for (const auto& entry : codePageNames)
            all.emplace_back(new Encoding(entry.codePage));
        return all;
    }();
    for (const auto& encoding : encodings) {
        if (encoding->codePage == codePage)
            return encoding.get();
    }
    return nullptr;
}

const std::vector<int>& Encoding::SupportedCodePages() {
    static const auto codePages = [] {
        std::vector<int> all;
        for (const auto& entry : codePageNames)
            all.push_back(entry.codePage);
        std::sort(all.begin(), all.end());
        return all;
    }();
    return codePages;
}

const Encoding* Encoding::ForName(std::string_view name) {
    std::string key = Lowered(name);
    std::erase_if(key, [](char c) { return c == '-' || c == '_' || c == ' '; });
    if (key == "utf8")
        return ForCodePage(Utf8CodePage);
    if (key == "iso88591" || key == "latin1" || key == "l1")
        return ForCodePage(28591);
    for (std::string_view prefix : {"windows", "cp"}) {
        if (key.starts_with(prefix) && AllDigits(std::string_view(key).substr(prefix.size())))
            key.erase(0, prefix.size());
    }
    if (!AllDigits(key) || key.size() > 5)
        return nullptr;
    return ForCodePage(std::atoi(key.c_str()));
}

std::string Encoding::Name() const {
    return NameOf(codePage);
}

std::size_t Encoding::CharLength(std::string_view text, std::size_t pos) const {
    if (pos >= text.size())
        return 0;
    if (!IsUtf8())
        return 1;
    return utf8::Utf8SequenceLength(text, pos);
}

std::size_t Encoding::PreviousCharStart(std::string_view text, std::size_t pos) const {
    if (!IsUtf8() || static_cast<std::uint8_t>(text[pos - 1]) < 0x80)
        return pos - 1;
    // The forward scan cannot end a character inside a well-formed sequence (lead bytes are no
    // continuation bytes), so the character before pos is the well-formed sequence ending at pos
    // if there is one, else the single byte before pos.
    std::size_t start = pos - 1;
    while (start > 0 && pos - start < 4 && utf8::IsUtf8Continuation(text[start]))
        --start;
    if (start < pos - 1 && utf8::Utf8SequenceLength(text, start) == pos - start)
        return start;
    return pos - 1;
}

CharCode Encoding::CodeAt(std::string_view text, std::size_t pos) const {
    const auto byte = static_cast<std::uint8_t>(text[pos]);
    if (!IsUtf8())
        return table[byte];
    if (byte < 0x80)
        return byte;
    const std::size_t length = utf8::Utf8SequenceLength(text, pos);
    if (length == 1)
        return RawByteCode(byte);
    return utf8::DecodeUtf8Sequence(text, pos, length);
}

std::size_t Encoding::CharCount(std::string_view text) const {
    if (!IsUtf8())
        return text.size();
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count)
        pos += static_cast<std::uint8_t>(text[pos]) < 0x80 ? 1 : CharLength(text, pos);
    return count;
}

int Encoding::CodeToByte(CharCode code) const {
    if (IsRawByteCode(code))
        return static_cast<int>(code - RawByteCode(0));
    if (code > 0xFFFF)
        return -1;
    const std::uint8_t page = reversePage[code >> 8];
    return page == 0 ? -1 : reversePages[page - 1][code & 0xFF];
}

bool Encoding::CanEncode(CharCode code) const {
    if (IsUtf8())
        return code < 0x110000 && (!(code >= 0xD800 && code <= 0xDFFF) || IsRawByteCode(code));
    return CodeToByte(code) >= 0;
}

std::optional<std::string> Encoding::Encode(CharCode code) const {
    if (!CanEncode(code))
        return std::nullopt;
    std::string bytes;
    AppendEncoded(bytes, code);
    return bytes;
}

void Encoding::AppendEncoded(std::string& out, CharCode code) const {
    if (!IsUtf8()) {
        const int byte = CodeToByte(code);
        out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    } else if (IsRawByteCode(code)) {
        out.push_back(static_cast<char>(code - RawByteCode(0)));
    } else if (!CanEncode(code)) {
        out.push_back('?');
    } else {
        utf8::AppendUtf8(out, code);
    }
}

const Encoding& ProgramEncoding() {
    const Encoding* encoding = programEncoding.load(std::memory_order_acquire);
    if (encoding == nullptr) {
        encoding = &LocaleEncoding();
        programEncoding.store(encoding, std::memory_order_release);
    }
    return *encoding;
}

void SetProgramEncoding(const Encoding& encoding) {
    programEncoding.store(&encoding, std::memory_order_release);
}
