#pragma once
// Where word wrap breaks a line into rows: a row ends before the character that would pass the
// width, after the last blank before it when there is one. After an edit of a line its rows
// are walked again only from the row before the edit until they fall in line with the old
// rows past it: a keystroke in a wrapped line of many MB walks a few rows, not the line.

#include "codeedit/qt/SynEditMetrics.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The byte columns the rows of text start at (the first is 0), for rows of `width` pixels.
std::vector<std::size_t> WrapRowStarts(std::string_view text, qreal width, const Encoding& encoding,
                                       TSynTextMetrics& metrics);

// Makes starts, the rows of the line before an edit (oldLength bytes), those of text, the line
// now: its bytes before prefix are as they were, and its last suffix bytes were the last of the
// old line (0: not known).
void RewrapAfterEdit(std::vector<std::size_t>& starts, std::string_view text, std::size_t prefix,
                     std::size_t suffix, std::size_t oldLength, qreal width,
                     const Encoding& encoding, TSynTextMetrics& metrics);
