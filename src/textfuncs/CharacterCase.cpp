#include "textfuncs/CharacterCase.h"

#include "platform/CaseMapping.h"
#include "platform/Random.h"

#include <cstdint>
#include <cstring>

namespace {

enum class CaseChange { Keep, Upper, Lower, Invert };

// Code 32 or less: space, tab, line breaks and other control characters keep their case rule
// out, and draw no random number.
constexpr std::uint32_t HighestBlankCode = 32;

// Rewrites text one character at a time. choose(code) sees the byte value in a code page and
// the character code in UTF-8 (ill-formed bytes as raw-byte codes) and says what to do with it.
template <typename Choose>
std::string ChangeEachCharacter(std::string_view text, const Encoding& encoding, Choose choose) {
    std::string result;
    result.reserve(text.size());
    if (!encoding.IsUtf8()) {
        const SingleByteCaseTables& tables = CaseTablesFor(encoding);
        for (const char byte : text) {
            const auto code = static_cast<std::uint8_t>(byte);
            std::uint8_t changed = code;
            switch (choose(code)) {
            case CaseChange::Keep:
                break;
            case CaseChange::Upper:
                changed = tables.upper[code];
                break;
            case CaseChange::Lower:
                changed = tables.lower[code];
                break;
            case CaseChange::Invert:
                changed = tables.upper[code] != code ? tables.upper[code] : tables.lower[code];
                break;
            }
            result.push_back(static_cast<char>(changed));
        }
        return result;
    }
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = encoding.CharLength(text, pos);
        const CharCode code = encoding.CodeAt(text, pos);
        CharCode changed = code;
        switch (choose(code)) {
        case CaseChange::Keep:
            break;
        case CaseChange::Upper:
            changed = UpperCaseCode(code, encoding);
            break;
        case CaseChange::Lower:
            changed = LowerCaseCode(code, encoding);
            break;
        case CaseChange::Invert:
            changed = UpperCaseCode(code, encoding);
            if (changed == code)
                changed = LowerCaseCode(code, encoding);
            break;
        }
        if (changed == code)
            result.append(text.substr(pos, length));
        else
            encoding.AppendEncoded(result, changed);
        pos += length;
    }
    return result;
}

// In a code page every byte from 128 up takes part. In UTF-8 every character beyond ASCII does
// (ill-formed bytes too), so a text cases the same in UTF-8 as in any code page that holds it.
bool IsSentenceCased(std::uint32_t code) {
    return code == ' ' || code == '!' || code == '.' || code == '?' ||
           (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || code >= 128;
}

std::string ChangeAsciiLetters(std::string_view text, CaseChange change) {
    std::string result(text);
    for (char& byte : result) {
        const bool lower = byte >= 'a' && byte <= 'z';
        const bool upper = byte >= 'A' && byte <= 'Z';
        if (lower && change != CaseChange::Lower)
            byte = static_cast<char>(byte - 'a' + 'A');
        else if (upper && change != CaseChange::Upper)
            byte = static_cast<char>(byte - 'A' + 'a');
    }
    return result;
}

// Eight ASCII bytes with the case of those from first to first + 25 flipped: the top bit of a
// byte marks whether it lies in that range, and moved down to 0x20 it flips the case. Every
// byte is below 0x80, so none carries into the next.
std::uint64_t FlipCaseOfLetters(std::uint64_t word, std::uint8_t first) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    const std::uint64_t atLeastFirst = word + ones * (0x80 - first);
    const std::uint64_t pastLast = word + ones * (0x80 - first - 26);
    return word ^ ((atLeastFirst & ~pastLast & (ones * 0x80)) >> 2);
}

// Bytes from pos up to the first byte of 128 or more (or the end), eight at a time.
std::size_t AsciiRunLength(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    for (std::uint64_t word; end + 8 <= text.size(); end += 8) {
        std::memcpy(&word, text.data() + end, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (end < text.size() && static_cast<std::uint8_t>(text[end]) < 0x80)
        ++end;
    return end - pos;
}

std::size_t NonAsciiRunLength(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && static_cast<std::uint8_t>(text[end]) >= 0x80)
        ++end;
    return end - pos;
}

// Whether the encoding cases the ASCII bytes as ASCII does. Simple case mapping takes no
// language rules, so this holds for UTF-8 and every code page that keeps ASCII.
bool CasesAsciiAsAscii(const Encoding& encoding) {
    if (encoding.IsUtf8())
        return true;
    const SingleByteCaseTables& tables = CaseTablesFor(encoding);
    for (int byte = 0; byte < 0x80; ++byte) {
        const bool lower = byte >= 'a' && byte <= 'z';
        const bool upper = byte >= 'A' && byte <= 'Z';
        if (tables.upper[byte] != (lower ? byte ^ 0x20 : byte) ||
            tables.lower[byte] != (upper ? byte ^ 0x20 : byte))
            return false;
    }
    return true;
}

// Locale upper or lower case of text in an encoding that cases ASCII as ASCII: runs of ASCII
// bytes (most of most texts) are mapped here eight bytes at a time, and only the runs in
// between go through CaseMapping. An ASCII byte is a character of its own in every encoding,
// so the runs split no character.
std::string MapCase(std::string_view text, const Encoding& encoding, CaseChange change) {
    const std::uint8_t first = change == CaseChange::Upper ? 'a' : 'A';
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t ascii = AsciiRunLength(text, pos);
        const std::size_t at = result.size();
        result.resize(at + ascii);
        const auto* in = reinterpret_cast<const std::uint8_t*>(text.data() + pos);
        auto* out = reinterpret_cast<std::uint8_t*>(result.data() + at);
        std::size_t i = 0;
        for (std::uint64_t word; i + 8 <= ascii; i += 8) {
            std::memcpy(&word, in + i, 8);
            word = FlipCaseOfLetters(word, first);
            std::memcpy(out + i, &word, 8);
        }
        for (; i < ascii; ++i)
            out[i] = in[i] ^ static_cast<std::uint8_t>((std::uint8_t(in[i] - first) < 26) << 5);
        pos += ascii;
        const std::string_view other = text.substr(pos, NonAsciiRunLength(text, pos));
        if (!other.empty())
            result += change == CaseChange::Upper ? UpperCase(other, encoding)
                                                  : LowerCase(other, encoding);
        pos += other.size();
    }
    return result;
}

} // namespace

std::string LowerCaseText(std::string_view text, const Encoding& encoding) {
    return CasesAsciiAsAscii(encoding) ? MapCase(text, encoding, CaseChange::Lower)
                                       : LowerCase(text, encoding);
}

std::string UpperCaseText(std::string_view text, const Encoding& encoding) {
    return CasesAsciiAsAscii(encoding) ? MapCase(text, encoding, CaseChange::Upper)
                                       : UpperCase(text, encoding);
}

std::string InvertCaseText(std::string_view text, const Encoding& encoding) {
    return ChangeEachCharacter(text, encoding, [](std::uint32_t code) {
        return code > HighestBlankCode ? CaseChange::Invert : CaseChange::Keep;
    });
}

std::string RandomCaseText(std::string_view text, const Encoding& encoding) {
    return ChangeEachCharacter(text, encoding, [](std::uint32_t code) {
        if (code <= HighestBlankCode)
            return CaseChange::Keep;
        return Random::Below(2) == 1 ? CaseChange::Upper : CaseChange::Lower;
    });
}

std::string FunCaseText(std::string_view text, const Encoding& encoding) {
    std::size_t position = 0;
    return ChangeEachCharacter(text, encoding, [&position](std::uint32_t code) {
        ++position;
        if (code <= HighestBlankCode)
            return CaseChange::Keep;
        return position % 2 == 1 ? CaseChange::Upper : CaseChange::Lower;
    });
}

std::string SentenceCaseText(std::string_view text, SentenceRule rule, const Encoding& encoding) {
    const bool upperCaseFirst = rule == SentenceRule::UpperCaseFirst;
    bool capitalise = true;
    return ChangeEachCharacter(text, encoding, [&](std::uint32_t code) {
        if (!IsSentenceCased(code)) {
            if (upperCaseFirst && (code == '\n' || code == '\r' || code == ','))
                capitalise = true;
            return CaseChange::Keep;
        }
        const CaseChange change = capitalise ? CaseChange::Upper : CaseChange::Lower;
        if (code == '!' || code == '.' || code == '?')
            capitalise = true;
        else if (code == ' ')
            capitalise = capitalise || upperCaseFirst;
        else
            capitalise = false;
        return change;
    });
}

std::string LowerCaseAzText(std::string_view text) {
    return ChangeAsciiLetters(text, CaseChange::Lower);
}

std::string UpperCaseAzText(std::string_view text) {
    return ChangeAsciiLetters(text, CaseChange::Upper);
}

std::string InvertCaseAzText(std::string_view text) {
    return ChangeAsciiLetters(text, CaseChange::Invert);
}
