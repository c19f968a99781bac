#include "textfuncs/LineSorting.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {
struct KeyedLine {
    std::size_t length; // characters; zero when the order ignores length
    std::string key;
    std::size_t index;
};

enum class Direction { Ascending, Descending };
enum class LengthFirst { No, Yes };

LineList SortByKeys(LineList lines, const Encoding& encoding, const Collator& collator,
                    Direction direction, LengthFirst lengthFirst) {
    std::vector<KeyedLine> keyed;
    keyed.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t length =
            lengthFirst == LengthFirst::Yes ? encoding.CharCount(lines[i]) : 0;
        keyed.push_back({length, collator.SortKey(lines[i], encoding), i});
    }
    std::sort(keyed.begin(), keyed.end(), [direction](const KeyedLine& a, const KeyedLine& b) {
        if (a.length != b.length)
            return a.length < b.length;
        const int order = a.key.compare(b.key);
        if (order != 0)
            return direction == Direction::Ascending ? order < 0 : order > 0;
        return a.index < b.index;
    });
    LineList sorted;
    sorted.reserve(lines.size());
    for (const KeyedLine& line : keyed)
        sorted.push_back(std::move(lines[line.index]));
    return sorted;
}
} // namespace

LineList SortLinesAlphabetically(LineList lines, const Encoding& encoding,
                                 const Collator& collator) {
    return SortByKeys(std::move(lines), encoding, collator, Direction::Ascending, LengthFirst::No);
}

LineList SortLinesDescending(LineList lines, const Encoding& encoding, const Collator& collator) {
    return SortByKeys(std::move(lines), encoding, collator, Direction::Descending, LengthFirst::No);
}

LineList SortLinesByLength(LineList lines, const Encoding& encoding, const Collator& collator) {
    return SortByKeys(std::move(lines), encoding, collator, Direction::Ascending, LengthFirst::Yes);
}
