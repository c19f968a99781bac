#pragma once
// Where word wrap breaks a line into rows: a row ends before the character that would pass the
// width, after the last blank before it when there is one. The rows of a line are made as far
// as they are asked for, as the rows after a row start depend on the text from there alone.
// After an edit of a line its rows are walked again only from the row before the edit until
// they fall in line with the old rows past it, or for a few dozen rows when they do not (a line
// cut in two or two lines joined, whose rows keep another phase): the rest is made when asked
// for. A keystroke, Enter or Backspace in a wrapped line of many MB walks a few rows, not the
// line.

#include "codeedit/qt/SynEditMetrics.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The byte columns the rows of text start at (the first is 0), for rows of `width` pixels.
std::vector<std::size_t> WrapRowStarts(std::string_view text, qreal width, const Encoding& encoding,
                                       TSynTextMetrics& metrics);

// The first rows of a line: their starts in order, and whether they are all of its rows.
struct TSynRowStarts {
    std::vector<std::size_t> starts{0};
    bool complete = false;
    // The starts of an earlier layout of the line's end, which runs to the line's end: where a
    // row starts at one of them, the rows after it are the ones after it here. A line cut in
    // two keeps its old rows for its second half, in which they are of another phase, and
    // Backspace joining the halves again meets them at once.
    std::vector<std::size_t> aside;
};

// Makes rows of text known until more than `count` are and the last known one starts past
// column, or the line has no more.
void ExtendRows(TSynRowStarts& rows, std::string_view text, std::size_t column, std::size_t count,
                qreal width, const Encoding& encoding, TSynTextMetrics& metrics);

// Makes rows, those of the line before an edit (oldLength bytes), those of text, the line now:
// its bytes before prefix are as they were, and its last suffix bytes were the last of the old
// line (0: not known).
void RewrapAfterEdit(TSynRowStarts& rows, std::string_view text, std::size_t prefix,
                     std::size_t suffix, std::size_t oldLength, qreal width,
                     const Encoding& encoding, TSynTextMetrics& metrics);

// The rows of a line that begins with the bytes before prefix of an old line whose rows were
// head, and ends with the last suffix bytes of an old line of tailLength bytes whose rows were
// tail (the two lines a join made one; for a line cut in two, its start alone or its end alone,
// the other side being an empty line's rows).
TSynRowStarts RewrapJoined(const TSynRowStarts& head, std::size_t prefix, const TSynRowStarts& tail,
                           std::size_t tailLength, std::size_t suffix, std::string_view text,
                           qreal width, const Encoding& encoding, TSynTextMetrics& metrics);
