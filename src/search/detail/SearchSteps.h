#pragma once
// Steps the literal and the pattern searches share.

#include "search/FindReplace.h"

#include <functional>
#include <optional>
#include <vector>

namespace detail {

// The first match at or after a position, or nothing.
using Locate = std::function<std::optional<BufferRange>(BufferPosition)>;

// Find Next from the end of the selection (the start of the text when nothing is selected):
// the Find dialog wraps to the top once, the Replace dialog closes.
SearchOutcome SearchAfterSelection(SearchDocument& document, const Locate& locate,
                                   SearchDialogKind dialog);

// Where the last range lies once each range i is replaced by textOf(i): a line keeps its shift
// from the replacements before it, and the rest of a line after a replacement moves with its
// end.
template <typename TextOf>
BufferRange LastReplacement(const std::vector<BufferRange>& ranges, TextOf textOf) {
    BufferRange replaced{};
    BufferPosition replacedBefore{};
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const BufferRange& range = ranges[i];
        // The lines and the last line's length of the text.
        const BufferPosition shape = EndOfText({}, textOf(i));
        const BufferPosition begin =
            range.begin.line == replacedBefore.line
                ? BufferPosition{replaced.end.line,
                                 replaced.end.column + (range.begin.column - replacedBefore.column)}
                : BufferPosition{range.begin.line + (replaced.end.line - replacedBefore.line),
                                 range.begin.column};
        const BufferPosition end =
            shape.line.Value() == 0
                ? BufferPosition{begin.line, begin.column + shape.column.Value()}
                : BufferPosition{begin.line + shape.line.Value(), shape.column};
        replaced = {begin, end};
        replacedBefore = range.end;
    }
    return replaced;
}

} // namespace detail
