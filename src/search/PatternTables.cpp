#include "search/detail/PatternTables.h"

#include "platform/CaseMapping.h"

#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <unicode/uchar.h>

namespace detail {

namespace {

// Offsets and bits of PCRE2's table format.
constexpr std::size_t LowerCaseOffset = 0;
constexpr std::size_t FlipCaseOffset = 256;
constexpr std::size_t ClassBitsOffset = 512;
constexpr std::size_t CharTypesOffset = 832;
enum ClassBitmap : std::size_t {
    Space = 0,
    HexDigit = 32,
    Digit = 64,
    Upper = 96,
    Lower = 128,
    Word = 160,
    Graph = 192,
    Print = 224,
    Punct = 256,
    Control = 288,
};
enum CharType : std::uint8_t {
    TypeSpace = 0x01,
    TypeLetter = 0x02,
    TypeLowerLetter = 0x04,
    TypeDigit = 0x08,
    TypeWord = 0x10,
};

PatternTables Build(const Encoding& encoding) {
    const SingleByteCaseTables& cases = CaseTablesFor(encoding);
    PatternTables tables{};
    for (int byte = 0; byte < 256; ++byte) {
        const auto index = static_cast<std::size_t>(byte);
        const std::uint8_t lower = cases.lower[index];
        tables[LowerCaseOffset + index] = lower;
        tables[FlipCaseOffset + index] = lower != byte ? lower : cases.upper[index];

        const auto code =
            static_cast<UChar32>(encoding.ByteToCode(static_cast<std::uint8_t>(byte)));
        // Digits and spaces stay ASCII, as PCRE2 has them without Unicode properties.
        const bool digit = byte >= '0' && byte <= '9';
        const bool space = byte == ' ' || (byte >= '\t' && byte <= '\r');
        const bool letter = u_isalpha(code);
        const bool word = letter || digit || byte == '_';
        const auto set = [&](ClassBitmap bitmap, bool on) {
            if (on)
                tables[ClassBitsOffset + bitmap + index / 8] |=
                    static_cast<std::uint8_t>(1u << (index % 8));
        };
        set(Space, space);
        set(HexDigit, std::isxdigit(byte) != 0 && byte < 0x80);
        set(Digit, digit);
        set(Upper, u_isupper(code));
        set(Lower, u_islower(code));
        set(Word, word);
        set(Graph, byte > ' ' && u_isgraph(code));
        set(Print, byte >= ' ' && u_isprint(code));
        set(Punct, byte > ' ' && u_ispunct(code));
        set(Control, u_iscntrl(code));
        tables[CharTypesOffset + index] =
            static_cast<std::uint8_t>((space ? TypeSpace : 0) | (letter ? TypeLetter : 0) |
                                      (letter && lower == byte ? TypeLowerLetter : 0) |
                                      (digit ? TypeDigit : 0) | (word ? TypeWord : 0));
    }
    return tables;
}

} // namespace

const PatternTables& PatternTablesFor(const Encoding& encoding) {
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<PatternTables>> built;
    const std::lock_guard lock(mutex);
    std::unique_ptr<PatternTables>& tables = built[encoding.CodePage()];
    if (!tables)
        tables = std::make_unique<PatternTables>(Build(encoding));
    return *tables;
}

} // namespace detail
