#pragma once
// PCRE2's character tables for a single-byte code page: letters, digits, spaces, punctuation and
// the lower and flipped case of every byte as the code page's characters have them, so that
// \w, [[:alpha:]] and matching without case know Cyrillic letters in Windows-1251 as the
// literal search does. The layout is PCRE2's binary table format (what pcre2_maketables
// builds for a C locale).

#include "platform/Encoding.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace detail {

inline constexpr std::size_t PatternTablesLength = 1088;
using PatternTables = std::array<std::uint8_t, PatternTablesLength>;

// Built once per code page; single-byte code pages only.
const PatternTables& PatternTablesFor(const Encoding& encoding);

} // namespace detail
