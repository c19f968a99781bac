#include "textfuncs/Transliteration.h"

#include "platform/CaseMapping.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

constexpr CharCode SmallA = U'а';
constexpr CharCode SmallYa = U'я';
constexpr CharCode SmallYo = U'ё';

// The Latin piece of each small letter 'а' to 'я', in alphabetical order, and of 'ё'.
constexpr std::array<std::string_view, SmallYa - SmallA + 1> latinOfCyrillic = {
    "a", "b", "v", "g", "d", "e", "zh", "z",  "i",  "j",    "k", "l", "m", "n",  "o",  "p",
    "r", "s", "t", "u", "f", "h", "ts", "ch", "sh", "shch", "`", "y", "'", "je", "yu", "ya"};
constexpr std::string_view LatinOfYo = "yo";

struct LatinKey {
    std::u32string_view latin; // lower case
    std::u32string_view cyrillic;
};

// Tried in this order; the first that matches wins, so longer keys come first.
constexpr LatinKey latinKeys[] = {
    {U"shch", U"щ"}, {U"yo", U"ё"}, {U"zh", U"ж"}, {U"ts", U"ц"}, {U"ch", U"ч"}, {U"sh", U"ш"},
    {U"yu", U"ю"},   {U"ya", U"я"}, {U"je", U"э"}, {U"'", U"ь"},  {U"`", U"ъ"},  {U"a", U"а"},
    {U"b", U"б"},    {U"c", U"ц"},  {U"d", U"д"},  {U"e", U"е"},  {U"f", U"ф"},  {U"g", U"г"},
    {U"h", U"х"},    {U"i", U"и"},  {U"j", U"й"},  {U"k", U"к"},  {U"l", U"л"},  {U"m", U"м"},
    {U"n", U"н"},    {U"o", U"о"},  {U"p", U"п"},  {U"q", U"к"},  {U"r", U"р"},  {U"s", U"с"},
    {U"t", U"т"},    {U"u", U"у"},  {U"v", U"в"},  {U"w", U"у"},  {U"x", U"кс"}, {U"y", U"ы"},
    {U"z", U"з"},
};
constexpr std::size_t LongestLatinKey = 4;
constexpr std::size_t NoKey = std::size(latinKeys);

struct Char {
    CharCode code;
    CharCode lower;
    std::size_t length;
};

// Reads characters with their locale lower case; table lookups in a code page.
class CharReader {
public:
    explicit CharReader(const Encoding& encoding)
        : encoding(encoding), tables(encoding.IsUtf8() ? nullptr : &CaseTablesFor(encoding)) {}

    Char At(std::string_view text, std::size_t pos) const {
        const auto byte = static_cast<std::uint8_t>(text[pos]);
        // ASCII is the same byte in every encoding we read; only its capitals have a lower case.
        if (byte < 0x80)
            return {byte, byte >= 'A' && byte <= 'Z' ? CharCode(byte + ('a' - 'A')) : byte, 1};
        if (tables)
            return {encoding.ByteToCode(byte), encoding.ByteToCode(tables->lower[byte]), 1};
        const CharCode code = encoding.CodeAt(text, pos);
        return {code, LowerCaseCode(code, encoding), encoding.CharLength(text, pos)};
    }

private:
    const Encoding& encoding;
    const SingleByteCaseTables* tables;
};

// For each first character (ASCII, lower case) the keys that start with it, in the order of
// latinKeys.
const std::array<std::vector<std::size_t>, 128>& KeysByFirstCharacter() {
    static const auto keys = [] {
        std::array<std::vector<std::size_t>, 128> byFirst;
        for (std::size_t key = 0; key < std::size(latinKeys); ++key)
            byFirst[latinKeys[key].latin[0]].push_back(key);
        return byFirst;
    }();
    return keys;
}

// Index in latinKeys of the first key the characters ahead begin with, or NoKey.
std::size_t KeyAt(const std::array<Char, LongestLatinKey>& ahead, std::size_t count) {
    const CharCode first = ahead[0].lower;
    if (first >= 128)
        return NoKey;
    for (const std::size_t key : KeysByFirstCharacter()[first]) {
        const std::u32string_view latin = latinKeys[key].latin;
        if (latin.size() > count)
            continue;
        std::size_t equal = 1;
        while (equal < latin.size() && ahead[equal].lower == latin[equal])
            ++equal;
        if (equal == latin.size())
            return key;
    }
    return NoKey;
}

// A piece in the bytes of the encoding, small and capital; both empty when the encoding cannot
// hold it.
struct EncodedPiece {
    std::string small;
    std::string capital;
};

template <typename Piece> EncodedPiece EncodePiece(const Piece& piece, const Encoding& encoding) {
    EncodedPiece encoded;
    for (const auto c : piece) {
        const CharCode capital = UpperCaseCode(CharCode(c), encoding);
        if (!encoding.CanEncode(CharCode(c)) || !encoding.CanEncode(capital))
            return {};
        encoding.AppendEncoded(encoded.small, CharCode(c));
        encoding.AppendEncoded(encoded.capital, capital);
    }
    return encoded;
}

} // namespace

std::string CyrillicToLatin(std::string_view text, const Encoding& encoding) {
    std::array<EncodedPiece, latinOfCyrillic.size()> pieces;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces[i] = EncodePiece(latinOfCyrillic[i], encoding);
    const EncodedPiece yo = EncodePiece(LatinOfYo, encoding);

    const CharReader reader(encoding);
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Char c = reader.At(text, pos);
        const EncodedPiece* piece = nullptr;
        if (c.lower >= SmallA && c.lower <= SmallYa)
            piece = &pieces[c.lower - SmallA];
        else if (c.lower == SmallYo)
            piece = &yo;
        if (piece)
            result += c.code != c.lower ? piece->capital : piece->small;
        else
            result.append(text.substr(pos, c.length));
        pos += c.length;
    }
    return result;
}

std::string LatinToCyrillic(std::string_view text, const Encoding& encoding) {
    std::array<EncodedPiece, std::size(latinKeys)> pieces;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces[i] = EncodePiece(latinKeys[i].cyrillic, encoding);

    const CharReader reader(encoding);
    std::string result;
    result.reserve(text.size() * 2);
    // The next characters, as far as the longest key reaches.
    std::array<Char, LongestLatinKey> ahead{};
    std::size_t count = 0;
    std::size_t readPos = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        for (; count < LongestLatinKey && readPos < text.size(); ++count) {
            ahead[count] = reader.At(text, readPos);
            readPos += ahead[count].length;
        }
        std::size_t matched = 1;
        const std::size_t key = KeyAt(ahead, count);
        if (key != NoKey && !pieces[key].small.empty()) {
            result += ahead[0].code != ahead[0].lower ? pieces[key].capital : pieces[key].small;
            matched = latinKeys[key].latin.size();
        } else {
            result.append(text.substr(pos, ahead[0].length));
        }
        for (std::size_t i = 0; i < matched; ++i)
            pos += ahead[i].length;
        std::copy(ahead.begin() + matched, ahead.begin() + count, ahead.begin());
        count -= matched;
    }
    return result;
}
