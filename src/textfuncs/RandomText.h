#pragma once
// The "Random" submenu. Every number is a draw from the shared random generator (Random.h), in
// the order the characters are written, so a seed replays the same text.

#include "platform/Encoding.h"

#include <cstddef>
#include <string>

// "Insert Random Number": one draw below 100 in decimal, "0" to "99". The editor inserts it by
// the caret-insertion rule; digits are the same byte in every encoding.
std::string RandomNumberText();

// The values are the menu items' tags.
enum class RandomTextKind {
    // "New Random Text (32..255)": code 32 + a draw below 224.
    Codes32To255 = 0,
    // "New Random Text (32..99)": code 32 + a draw below 58, so codes 32 to 89 only.
    Codes32To99 = 1,
    // "New Random Text (Alphanumeric)": a draw below 51 picks one of '0' to '9', 'A' to 'Z'
    // and 'a' to 'o'; 'p' to 'z' never occur.
    Alphanumeric = 2,
};

constexpr std::size_t RandomTextLines = 25;
constexpr std::size_t RandomTextLineLength = 80; // characters, not bytes, in UTF-8

// The text of the new tab the "New Random Text" items open: RandomTextLines lines of
// RandomTextLineLength characters, each line followed by CR LF. No editor rule applies: the
// window puts it into a new document as File > New makes one, which stays unmodified. Codes
// are those of LowCodes.h (in UTF-8, U+0020 to U+00FF).
std::string NewRandomText(RandomTextKind kind, const Encoding& encoding = ProgramEncoding());
