#pragma once
// Positions along a long line remembered every few KB from its start (x in pixels for the
// view, display columns for the engine), so that finding the position of a column, or the
// column at a position, walks from the nearest checkpoint instead of from the start of a line
// of many MB. Checkpoints are made as far as they are asked for. An edit keeps those before it
// and moves those after it by what it changed, exactly: a position is a sum of character
// advances in which a tab goes on to the next stop, so past the edit every checkpoint moves by
// one amount until the first tab, and past that tab by a whole number of stops. A line cut in
// two gives each half the checkpoints of its part, and a join the joined line those of both.
//
// The walk is the caller's: walk(from, value, visit) calls visit(step) for the characters from
// the character boundary `from` (where the position is `value`) to the line's end, in order,
// until visit returns false, and walk.Leap(from, value, to) goes over whole characters at once
// to the first character start at or past `to`, giving it as a Point (nothing when the line
// ends first): making checkpoints needs no character in between. Advances must add exactly
// (whole numbers, or pixels in 64ths).

#include "codeedit/LineSplit.h"
#include "codeedit/SynEditLineCaches.h"
#include "codeedit/SynEditTextBuffer.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

template <class Value> class TSynLineCheckpoints {
public:
    // Lines shorter than this are walked from their start: a checkpoint would not pay.
    static constexpr std::size_t kLongLine = 16384;

    // A character of the walk: `length` bytes at `start`, from position `before` to `after`.
    struct Step {
        std::size_t start, length;
        Value before, after;
        bool tab;
    };
    // A character boundary and its position from the line start.
    struct Point {
        std::size_t column = 0;
        Value value{};
        // A tab lies between the checkpoint before and this one.
        bool tabBefore = false;
    };

    // A leap made of steps, for walks without a faster way.
    template <class Walk>
    static std::optional<Point> StepTo(Walk&& walk, std::size_t from, Value value, std::size_t to) {
        std::optional<Point> reached;
        bool tab = false;
        walk(from, value, [&](const Step& step) {
            if (step.start >= to) {
                reached = Point{step.start, step.before, tab};
                return false;
            }
            tab = tab || step.tab;
            return true;
        });
        return reached;
    }

    // The last checkpoint at or before column.
    template <class Walk> Point AtOrBefore(std::size_t column, Walk&& walk) {
        Extend(column, kNoValue, walk);
        auto after = std::upper_bound(points.begin(), points.end(), column,
                                      [](std::size_t c, const Point& p) { return c < p.column; });
        return *(after - 1);
    }
    // The last checkpoint whose position is at most value.
    template <class Walk> Point AtOrBeforeValue(Value value, Walk&& walk) {
        Extend(kNoColumn, value, walk);
        auto after = std::upper_bound(points.begin(), points.end(), value,
                                      [](Value v, const Point& p) { return v < p.value; });
        return *(after - 1);
    }

    // After an edit of the line: its bytes before `prefix` are as they were, and its last
    // `suffix` bytes were the last of the old line too (oldLength long; newLength now).
    template <class Walk>
    void Edited(std::size_t prefix, std::size_t suffix, std::size_t oldLength,
                std::size_t newLength, Walk&& walk) {
        suffix = std::min({suffix, oldLength, newLength});
        const std::size_t oldTail = suffix > 0 ? oldLength - suffix : kNoColumn;
        const std::size_t newTail = newLength - suffix;
        prefix = std::min({prefix, oldTail, newTail});
        auto kept = std::upper_bound(points.begin(), points.end(), prefix,
                                     [](std::size_t c, const Point& p) { return c < p.column; });
        auto tailFrom =
            std::lower_bound(points.begin(), points.end(), oldTail,
                             [](const Point& p, std::size_t c) { return p.column < c; });
        std::vector<Point> tail(std::max(kept, tailFrom), points.end());
        points.erase(kept, points.end());
        const bool wasComplete = complete;
        complete = false;
        if (tail.empty())
            return;
        const auto moved = [&](const Point& p) { return p.column - oldTail + newTail; };
        // The new position of the first checkpoint after the edit, and whether a tab lies
        // between the edit and it.
        bool found = false, settled = false, tab = false;
        Value first{};
        std::size_t next = points.back().column + kSpacing;
        const std::size_t target = moved(tail.front());
        walk(points.back().column, points.back().value, [&](const Step& step) {
            if (step.start >= target) {
                found = step.start == target;
                first = step.before;
                return false;
            }
            if (step.start >= next) {
                points.push_back(Point{step.start, step.before, tab});
                tab = false;
                next = step.start + kSpacing;
            }
            tab = tab || step.tab;
            settled = settled || (step.tab && step.start >= newTail);
            return true;
        });
        // A character that runs into the old bytes (an edit splitting a sequence) moves every
        // boundary after it: those checkpoints are made again when asked for.
        if (!found)
            return;
        Value shift = first - tail.front().value;
        if (target > points.back().column)
            points.push_back(Point{target, first, tab});
        for (std::size_t i = 1; i < tail.size(); ++i) {
            const Point& p = tail[i];
            if (!settled && p.tabBefore) {
                // The first tab past the edit: walk to the checkpoint after it to learn the
                // whole number of stops that moves the rest.
                const Point from = points.back();
                Value reached{};
                walk(from.column, from.value, [&](const Step& step) {
                    reached = step.before;
                    return step.start < moved(p);
                });
                shift = reached - p.value;
                settled = true;
            }
            points.push_back(Point{moved(p), p.value + shift, p.tabBefore});
        }
        complete = wasComplete;
    }

    // After an edit that made one new line of two old ones (Backspace joining lines, or the
    // second half of a line cut in two, whose first old line is the empty start): these are the
    // first old line's checkpoints, whose bytes before `prefix` begin the new line; `last` those
    // of the last old line (lastLength bytes), whose last `suffix` bytes end it.
    template <class Walk>
    void Joined(TSynLineCheckpoints last, std::size_t prefix, std::size_t suffix,
                std::size_t lastLength, std::size_t newLength, Walk&& walk) {
        suffix = std::min({suffix, lastLength, newLength});
        prefix = std::min(prefix, newLength - suffix);
        complete = false;
        while (points.size() > 1 && points.back().column > prefix)
            points.pop_back();
        // Nobody asked for positions near the join on this side (a wrapped view asks only in
        // its first row): the end's checkpoints would cost a walk to there now, and are made
        // again when asked for.
        if (prefix - points.back().column > kSpacing)
            return;
        // The walk from the last checkpoint before prefix to the first of the end goes step by
        // step: make this side's checkpoints reach prefix first, by a leap.
        Extend(prefix, kNoValue, walk);
        while (points.size() > 1 && points.back().column > prefix)
            points.pop_back();
        // As one old line of prefix + suffix bytes: the end's checkpoints follow at prefix.
        const std::size_t lastTail = lastLength - suffix;
        for (const Point& p : last.points)
            if (p.column > lastTail)
                points.push_back(Point{p.column - lastTail + prefix, p.value, p.tabBefore});
        complete = last.complete;
        Edited(prefix, suffix, prefix + suffix, newLength, walk);
    }

private:
    static constexpr std::size_t kSpacing = 4096;
    static constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
    static constexpr Value kNoValue = std::numeric_limits<Value>::max();

    // Adds checkpoints until one is past column or value, or the line ends.
    template <class Walk> void Extend(std::size_t column, Value value, Walk&& walk) {
        if (complete || points.back().column > column || points.back().value > value)
            return;
        for (;;) {
            const Point last = points.back();
            const std::optional<Point> next =
                walk.Leap(last.column, last.value, last.column + kSpacing);
            if (!next) {
                complete = true;
                return;
            }
            points.push_back(*next);
            if (next->column > column || next->value > value)
                return;
        }
    }

    std::vector<Point> points{Point{}};
    bool complete = false;
};

// A walk from its steps and its leap (see above).
template <class Steps, class Leaper> struct TSynLineWalk {
    Steps steps;
    Leaper leaper;
    template <class Value, class Visit>
    void operator()(std::size_t from, Value value, Visit&& visit) const {
        steps(from, value, visit);
    }
    template <class Value> auto Leap(std::size_t from, Value value, std::size_t to) const {
        return leaper(from, value, to);
    }
};
template <class Steps, class Leaper> TSynLineWalk(Steps, Leaper) -> TSynLineWalk<Steps, Leaper>;

namespace detail {

// Eight bytes of a line at once, the line's first in the lowest byte: most of a long line is
// ASCII without tabs, where a leap needs no character's length.
inline std::uint64_t EightBytes(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word;
}
inline constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
// How many of the word's bytes, from the first in the line, are ASCII and no tab. The lowest
// mark of a zero byte is exact, as a borrow only runs upwards from it.
inline unsigned PlainAsciiPrefix(std::uint64_t word) {
    const std::uint64_t marks = (word & kHighs) | linesplit::HasZeroByte(word ^ (kOnes * '\t'));
    return marks == 0 ? 8 : unsigned(std::countr_zero(marks)) / 8;
}
// Whether every byte of the word is one from space to '~' (no tab, control character or byte
// of 0x7F and above): a carry only comes from a byte of 0xFF, which is marked itself.
inline bool AllPrintable(std::uint64_t word) {
    return ((word | (word + kOnes) | ((word - kOnes * 0x20) & ~word)) & kHighs) == 0;
}

} // namespace detail

// The checkpoints of the long lines of a list, kept through its change records.
template <class Value> class TSynLinesCheckpoints {
public:
    // The checkpoints of a line of that length (nullptr for a short line).
    TSynLineCheckpoints<Value>* Of(LineIndex line, std::size_t length) {
        if (length < TSynLineCheckpoints<Value>::kLongLine)
            return nullptr;
        // Only the lines in view and the caret's are asked for.
        if (lines.size() > 64 && !lines.contains(line))
            lines.clear();
        return &lines[line];
    }
    void Clear() { lines.clear(); }

    // After a change record of list: the first new line's bytes before prefix are those of the
    // first old line, and the last suffix bytes of the last new line those ending the last old
    // line, which was oldLength bytes long; walkOf(text) gives the walk of a line's text.
    template <class WalkOf>
    void Changed(const TSynLinesChange& change, std::size_t prefix, std::size_t suffix,
                 std::size_t oldLength, const TSynEditStringList& list, WalkOf&& walkOf) {
        if (change.wholeText) {
            lines.clear();
            return;
        }
        // Lines past the change move with it; those it replaced are gone, but for what the
        // first new line keeps of the first old one and the last new line of the last old one.
        TSynCacheAcrossChange<TSynLineCheckpoints<Value>> across = TakeAcrossChange(lines, change);
        TSynLineCheckpoints<Value>* first = across.firstOld;
        TSynLineCheckpoints<Value>* last = across.lastOld;
        const LineIndex lastNew = change.index + (change.inserted - 1);
        const auto keep = [&](LineIndex line, TSynLineCheckpoints<Value>&& points) {
            across.kept.emplace(line, std::move(points));
        };
        if (change.inserted == 1 && first && last && first != last) {
            first->Joined(std::move(*last), prefix, suffix, oldLength, list.Get(lastNew).size(),
                          walkOf(list.Get(lastNew)));
            keep(lastNew, std::move(*first));
        } else if (change.inserted >= 1) {
            if (change.inserted > 1 && last && suffix > 0) {
                TSynLineCheckpoints<Value> end;
                end.Joined(*last, 0, suffix, oldLength, list.Get(lastNew).size(),
                           walkOf(list.Get(lastNew)));
                keep(lastNew, std::move(end));
            }
            if (first) {
                const bool inPlace = change.removed == 1 && change.inserted == 1;
                first->Edited(prefix, inPlace ? suffix : 0, oldLength,
                              list.Get(change.index).size(), walkOf(list.Get(change.index)));
                keep(change.index, std::move(*first));
            }
        }
        lines.swap(across.kept);
    }

private:
    TSynLineCache<TSynLineCheckpoints<Value>> lines;
};
