#pragma once
// The "Regional" submenu: Russian Cyrillic written in Latin letters and back, by the program's
// own letter table (digraphs such as zh, ts, yu, the tetragraph shch, a backquote for 'ъ' and an
// apostrophe for 'ь'). Both take the editor's whole text and return the new whole text (the
// whole-text rule). Letters are Unicode's: in Windows-1251 the Cyrillic bytes, in UTF-8
// U+0401, U+0410 to U+044F and U+0451; every other character passes through. Not a general
// transliteration: no other alphabet, no dictionary.

#include "platform/Encoding.h"

#include <string>
#include <string_view>

// "Cyrillic to Latin": each Cyrillic letter becomes its Latin piece, in capitals when the
// letter is a capital ('Щ' gives "SHCH"). Also what the speech output reads.
std::string CyrillicToLatin(std::string_view text, const Encoding& encoding = ProgramEncoding());

// "Latin to Cyrillic": from left to right the longest key that matches ("shch", then a digraph,
// then one letter, apostrophe or backquote; keys compared in lower case) becomes its Cyrillic
// letter, a capital when the key's first character is one ("Sh" gives 'Ш', 'x' gives "кс"). The
// text is not split into words. Where the encoding cannot hold the Cyrillic letters the text
// stays as it was.
std::string LatinToCyrillic(std::string_view text, const Encoding& encoding = ProgramEncoding());
