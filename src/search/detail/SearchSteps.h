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

// Where the last range lies once each range i is replaced by textOf(i) (CR LF between lines).
template <typename TextOf>
BufferRange LastReplacement(const std::vector<BufferRange>& ranges, TextOf textOf) {
    ReplacedRanges follow;
    BufferRange replaced{};
    for (std::size_t i = 0; i < ranges.size(); ++i)
        replaced = follow.Next(ranges[i], EndOfText({}, textOf(i)));
    return replaced;
}

} // namespace detail
