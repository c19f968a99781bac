#include "platform/CaseMapping.h"

#include "platform/Utf8.h"

#include <cassert>
#include <map>
#include <mutex>
#include <unicode/uchar.h>

namespace {

using CodeMapping = UChar32 (*)(UChar32);

CharCode MapCode(CharCode code, const Encoding& encoding, CodeMapping mapping) {
    if (IsRawByteCode(code) || code > 0x10FFFF)
        return code;
    const auto mapped = static_cast<CharCode>(mapping(static_cast<UChar32>(code)));
    return encoding.CanEncode(mapped) ? mapped : code;
}

SingleByteCaseTables BuildTables(const Encoding& encoding) {
    SingleByteCaseTables tables{};
    for (int byte = 0; byte < 256; ++byte) {
        const CharCode code = encoding.ByteToCode(static_cast<std::uint8_t>(byte));
        tables.upper[byte] =
            static_cast<std::uint8_t>(encoding.CodeToByte(UpperCaseCode(code, encoding)));
        tables.lower[byte] =
            static_cast<std::uint8_t>(encoding.CodeToByte(LowerCaseCode(code, encoding)));
    }
    return tables;
}

std::string MapText(std::string_view text, const Encoding& encoding, CodeMapping mapping) {
    std::string result;
    if (!encoding.IsUtf8()) {
        const auto& tables = CaseTablesFor(encoding);
        const auto& table = mapping == &u_toupper ? tables.upper : tables.lower;
        result.resize(text.size());
        for (std::size_t i = 0; i < text.size(); ++i)
            result[i] = static_cast<char>(table[static_cast<std::uint8_t>(text[i])]);
        return result;
    }
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char byte = text[pos];
        if (static_cast<std::uint8_t>(byte) < 0x80) {
            result.push_back(static_cast<char>(mapping(static_cast<unsigned char>(byte))));
            ++pos;
            continue;
        }
        // Any character maps to one UTF-8 can hold; ill-formed bytes are copied as they are.
        const std::size_t length = utf8::Utf8SequenceLength(text, pos);
        if (length == 1) {
            result.push_back(byte);
        } else {
            const char32_t code = utf8::DecodeUtf8Sequence(text, pos, length);
            utf8::AppendUtf8(result, static_cast<char32_t>(mapping(static_cast<UChar32>(code))));
        }
        pos += length;
    }
    return result;
}

} // namespace

CharCode UpperCaseCode(CharCode code, const Encoding& encoding) {
    return MapCode(code, encoding, &u_toupper);
}

CharCode LowerCaseCode(CharCode code, const Encoding& encoding) {
    return MapCode(code, encoding, &u_tolower);
}

const SingleByteCaseTables& CaseTablesFor(const Encoding& encoding) {
    assert(!encoding.IsUtf8());
    static std::mutex mutex;
    static std::map<int, SingleByteCaseTables> tables;
    const std::lock_guard lock(mutex);
    auto found = tables.find(encoding.CodePage());
    if (found == tables.end())
        found = tables.emplace(encoding.CodePage(), BuildTables(encoding)).first;
    return found->second;
}

std::string UpperCase(std::string_view text, const Encoding& encoding) {
    return MapText(text, encoding, &u_toupper);
}

std::string LowerCase(std::string_view text, const Encoding& encoding) {
    return MapText(text, encoding, &u_tolower);
}
