#include "textfuncs/LineSorting.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {
// Below this many lines a second thread costs more than it saves.
constexpr std::size_t LinesWorthAThread = 20000;

// A line's place in the sort. The key's first eight bytes are kept here, so that most
// comparisons never leave this array. Keys compare as memcmp does; the prefix, big-endian and
// padded with zero bytes, orders the same way wherever it differs.
struct KeyedLine {
    std::uint64_t prefix;
    std::size_t length; // characters; zero when the order ignores length
    std::size_t index;
};

std::uint64_t KeyPrefix(std::string_view key) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = prefix << 8 | (i < key.size() ? static_cast<std::uint8_t>(key[i]) : 0);
    return prefix;
}

enum class Direction { Ascending, Descending };
enum class LengthFirst { No, Yes };

LineList SortByKeys(LineList lines, const Encoding& encoding, const Collator& collator,
                    Direction direction, LengthFirst lengthFirst) {
    const detail::LineKeys keys(lines, encoding, collator);
    std::vector<KeyedLine> keyed;
    keyed.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t length =
            lengthFirst == LengthFirst::Yes ? encoding.CharCount(lines[i]) : 0;
        keyed.push_back({KeyPrefix(keys.Key(i)), length, i});
    }
    const bool ascending = direction == Direction::Ascending;
    std::sort(keyed.begin(), keyed.end(), [&](const KeyedLine& a, const KeyedLine& b) {
        if (a.length != b.length)
            return a.length < b.length;
        if (a.prefix != b.prefix)
            return ascending ? a.prefix < b.prefix : a.prefix > b.prefix;
        const int order = keys.Key(a.index).compare(keys.Key(b.index));
        if (order != 0)
            return ascending ? order < 0 : order > 0;
        return a.index < b.index;
    });
    std::vector<std::size_t> order;
    order.reserve(keyed.size());
    for (const KeyedLine& line : keyed)
        order.push_back(line.index);
    lines.Select(order);
    return lines;
}
} // namespace

namespace detail {
LineKeys::LineKeys(const LineList& lines, const Encoding& encoding, const Collator& collator) {
    const auto makeKeys = [&](Part& part, std::size_t end) {
        std::size_t textSize = 0;
        for (std::size_t i = part.firstLine; i < end; ++i)
            textSize += lines[i].size();
        part.bytes.reserve(textSize + 8 * (end - part.firstLine));
        part.starts.reserve(end - part.firstLine + 1);
        for (std::size_t i = part.firstLine; i < end; ++i) {
            part.starts.push_back(part.bytes.size());
            part.bytes += collator.SortKey(lines[i], encoding);
        }
        part.starts.push_back(part.bytes.size());
    };
    const bool twoThreads =
        lines.size() >= LinesWorthAThread && std::thread::hardware_concurrency() > 1;
    parts[1].firstLine = twoThreads ? lines.size() / 2 : lines.size();
    if (!twoThreads) {
        makeKeys(parts[0], lines.size());
        return;
    }
    std::exception_ptr failure;
    {
        const std::jthread second([&] {
            try {
                makeKeys(parts[1], lines.size());
            } catch (...) {
                failure = std::current_exception();
            }
        });
        makeKeys(parts[0], parts[1].firstLine);
    }
    if (failure)
        std::rethrow_exception(failure);
}
} // namespace detail

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
