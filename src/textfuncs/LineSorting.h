#pragma once
// The three sort orders of the line functions. Each takes and returns a line list (the
// line-list rule: the editor's text becomes JoinLines of the result). Comparison goes through
// sort keys computed once per line, so millions of lines sort in n log n key comparisons. Lines
// that compare equal keep their input order. Does not split or join text.

#include "platform/Collator.h"
#include "platform/Encoding.h"
#include "textfuncs/LineList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Ascending, ignoring case ("Sort Alphabetically").
LineList SortLinesAlphabetically(LineList lines, const Encoding& encoding = ProgramEncoding(),
                                 const Collator& collator = Collator::ForUser(LetterCase::Ignore));

// Descending, respecting case ("Sort Descending").
LineList SortLinesDescending(LineList lines, const Encoding& encoding = ProgramEncoding(),
                             const Collator& collator = Collator::ForUser(LetterCase::Respect));

// Shorter lines (in characters) first; equal lengths ascending, respecting case ("Sort by Line
// Length").
LineList SortLinesByLength(LineList lines, const Encoding& encoding = ProgramEncoding(),
                           const Collator& collator = Collator::ForUser(LetterCase::Respect));

namespace detail {
// The sort key of every line of a list, made once, for the sorts and duplicate removal. Large
// lists are keyed by two threads, one half each; keys of one half sit in one buffer.
class LineKeys {
public:
    LineKeys(const LineList& lines, const Encoding& encoding, const Collator& collator);

    std::string_view Key(std::size_t line) const {
        const Part& part = line < parts[1].firstLine ? parts[0] : parts[1];
        const std::size_t i = line - part.firstLine;
        return std::string_view(part.bytes)
            .substr(part.starts[i], part.starts[i + 1] - part.starts[i]);
    }

private:
    struct Part {
        std::size_t firstLine = 0;
        std::string bytes;
        std::vector<std::size_t> starts; // one per line and the end
    };
    Part parts[2];
};
} // namespace detail
