#pragma once
// Locale upper and lower case of text in an encoding, one character at a time: Unicode simple
// case mapping, so the number of characters never changes. No full mappings (ß stays ß) and no
// language-specific rules (Turkish dotted i).

#include "platform/Encoding.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The case of one character. A character without case, a mapping the encoding cannot hold
// (µ in Windows-1252 has no upper case there) and raw bytes come back unchanged.
CharCode UpperCaseCode(CharCode code, const Encoding& encoding);
CharCode LowerCaseCode(CharCode code, const Encoding& encoding);

// The same for every byte of a single-byte code page, for tight loops.
struct SingleByteCaseTables {
    std::array<std::uint8_t, 256> upper;
    std::array<std::uint8_t, 256> lower;
};
// Single-byte code pages only; built once per code page.
const SingleByteCaseTables& CaseTablesFor(const Encoding& encoding);

// Every character of text mapped; ill-formed UTF-8 bytes stay as they are.
std::string UpperCase(std::string_view text, const Encoding& encoding = ProgramEncoding());
std::string LowerCase(std::string_view text, const Encoding& encoding = ProgramEncoding());
