#include "platform/Collator.h"

#include "platform/PosixLocale.h"

#include <cassert>
#include <cstdint>
#include <unicode/ucol.h>
#include <unicode/utf16.h>

namespace {

// Raw bytes travel to ICU as private-use characters of plane 16, which sort after every
// assigned character and among themselves by byte value.
constexpr char32_t rawBytePrivateUse = 0x10FE00;

void AppendUtf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
    } else {
        out.push_back(static_cast<char16_t>(U16_LEAD(code)));
        out.push_back(static_cast<char16_t>(U16_TRAIL(code)));
    }
}

// Fills out (reused between calls, so a sort allocates only while lines grow).
void ToCollationText(std::string_view text, const Encoding& encoding, std::u16string& out) {
    out.clear();
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<std::uint8_t>(text[pos]);
        if (byte < 0x80 && (encoding.IsUtf8() || encoding.ByteToCode(byte) == byte)) {
            out.push_back(byte);
            ++pos;
            continue;
        }
        CharCode code = encoding.CodeAt(text, pos);
        pos += encoding.CharLength(text, pos);
        if (IsRawByteCode(code))
            code = rawBytePrivateUse + (code - RawByteCode(0));
        AppendUtf16(out, code);
    }
}

// Text ICU can read as UTF-8 exactly as we mean it: well-formed UTF-8, or ASCII in a code page
// that keeps ASCII. Saves the conversion for most lines of a sort.
bool ReadableAsUtf8(std::string_view text, const Encoding& encoding) {
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<std::uint8_t>(text[pos]);
        if (byte < 0x80) {
            if (!encoding.IsUtf8() && encoding.ByteToCode(byte) != byte)
                return false;
            ++pos;
        } else if (!encoding.IsUtf8()) {
            return false;
        } else {
            const std::size_t length = encoding.CharLength(text, pos);
            if (length == 1)
                return false;
            pos += length;
        }
    }
    return true;
}

} // namespace

Collator::Collator(std::string_view localeName, LetterCase letterCase) {
    const std::string id = detail::IcuLocaleId(detail::ParsePosixLocale(localeName));
    UErrorCode status = U_ZERO_ERROR;
    collator = ucol_open(id.c_str(), &status);
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        collator = ucol_open("", &status);
    }
    assert(U_SUCCESS(status) && "ICU's root collation data is missing");
    ucol_setStrength(collator, letterCase == LetterCase::Ignore ? UCOL_SECONDARY : UCOL_TERTIARY);
}

Collator::~Collator() {
    ucol_close(collator);
}

const Collator& Collator::ForUser(LetterCase letterCase) {
    static const Collator respecting(detail::UserLocaleName("LC_COLLATE"), LetterCase::Respect);
    static const Collator ignoring(detail::UserLocaleName("LC_COLLATE"), LetterCase::Ignore);
    return letterCase == LetterCase::Ignore ? ignoring : respecting;
}

int Collator::Compare(std::string_view a, std::string_view b, const Encoding& encoding) const {
    if (ReadableAsUtf8(a, encoding) && ReadableAsUtf8(b, encoding)) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult result = ucol_strcollUTF8(collator, a.data(), int32_t(a.size()),
                                                         b.data(), int32_t(b.size()), &status);
        if (U_SUCCESS(status))
            return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
    }
    thread_local std::u16string first, second;
    ToCollationText(a, encoding, first);
    ToCollationText(b, encoding, second);
    const UCollationResult result = ucol_strcoll(collator, first.data(), int32_t(first.size()),
                                                 second.data(), int32_t(second.size()));
    return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

std::string Collator::SortKey(std::string_view text, const Encoding& encoding) const {
    thread_local std::u16string source;
    ToCollationText(text, encoding, source);
    std::string key(source.size() * 3 + 16, '\0');
    for (;;) {
        const int32_t length =
            ucol_getSortKey(collator, source.data(), int32_t(source.size()),
                            reinterpret_cast<uint8_t*>(key.data()), int32_t(key.size()));
        if (length <= int32_t(key.size())) {
            key.resize(length > 0 ? length - 1 : 0); // without ICU's terminating NUL
            return key;
        }
        key.assign(length, '\0');
    }
}

int CompareText(std::string_view a, std::string_view b, LetterCase letterCase,
                const Encoding& encoding) {
    return Collator::ForUser(letterCase).Compare(a, b, encoding);
}
