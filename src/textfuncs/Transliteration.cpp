#include "textfuncs/Transliteration.h"

#include "platform/CaseMapping.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace {

constexpr CharCode SmallA = U'а';
constexpr CharCode SmallYa = U'я';
constexpr CharCode SmallYo = U'ё';

// The Latin piece of each small letter 'а' to 'я', in alphabetical order.
constexpr std::array<std::string_view, SmallYa - SmallA + 1> latinOfCyrillic = {
    "a", "b", "v", "g", "d", "e", "zh", "z",  "i",  "j",    "k", "l", "m", "n",  "o",  "p",
    "r", "s", "t", "u", "f", "h", "ts", "ch", "sh", "shch", "`", "y", "'", "je", "yu", "ya"};

std::optional<std::string_view> LatinPiece(CharCode small) {
    if (small >= SmallA && small <= SmallYa)
        return latinOfCyrillic[small - SmallA];
    if (small == SmallYo)
        return "yo";
    return std::nullopt;
}

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

struct Char {
    CharCode code;
    CharCode lower;
    std::size_t length;
};

Char CharAt(std::string_view text, std::size_t pos, const Encoding& encoding) {
    const CharCode code = encoding.CodeAt(text, pos);
    return {code, LowerCaseCode(code, encoding), encoding.CharLength(text, pos)};
}

// Appends piece, in upper case when asked; nothing and false when the encoding cannot hold it.
template <typename Piece>
bool AppendPiece(std::string& out, const Piece& piece, bool capital, const Encoding& encoding) {
    std::string bytes;
    for (const auto c : piece) {
        const CharCode code = capital ? UpperCaseCode(CharCode(c), encoding) : CharCode(c);
        if (!encoding.CanEncode(code))
            return false;
        encoding.AppendEncoded(bytes, code);
    }
    out += bytes;
    return true;
}

} // namespace

std::string CyrillicToLatin(std::string_view text, const Encoding& encoding) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Char c = CharAt(text, pos, encoding);
        const std::optional<std::string_view> piece = LatinPiece(c.lower);
        if (!piece || !AppendPiece(result, *piece, c.code != c.lower, encoding))
            result.append(text.substr(pos, c.length));
        pos += c.length;
    }
    return result;
}

std::string LatinToCyrillic(std::string_view text, const Encoding& encoding) {
    std::string result;
    result.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        // The next few characters in lower case, as far as the longest key reaches.
        std::array<Char, LongestLatinKey> ahead{};
        std::size_t count = 0;
        for (std::size_t at = pos; count < LongestLatinKey && at < text.size(); ++count) {
            ahead[count] = CharAt(text, at, encoding);
            at += ahead[count].length;
        }
        const Char& first = ahead[0];
        const LatinKey* match = nullptr;
        for (const LatinKey& key : latinKeys) {
            if (key.latin.size() > count)
                continue;
            std::size_t equal = 0;
            while (equal < key.latin.size() && ahead[equal].lower == key.latin[equal])
                ++equal;
            if (equal == key.latin.size()) {
                match = &key;
                break;
            }
        }
        if (match && AppendPiece(result, match->cyrillic, first.code != first.lower, encoding)) {
            for (std::size_t i = 0; i < match->latin.size(); ++i)
                pos += ahead[i].length;
        } else {
            result.append(text.substr(pos, first.length));
            pos += first.length;
        }
    }
    return result;
}
