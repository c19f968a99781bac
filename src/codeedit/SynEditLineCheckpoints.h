#pragma once
// Positions along a long line remembered every few KB from its start (x in pixels for the
// view, display columns for the engine), so that finding the position of a column, or the
// column at a position, walks from the nearest checkpoint instead of from the start of a line
// of many MB. Checkpoints are made as far as they are asked for. An edit keeps those before it
// and moves those after it by what it changed, exactly: a position is a sum of character
// advances in which a tab goes on to the next stop, so past the edit every checkpoint moves by
// one amount until the first tab, and past that tab by a whole number of stops.
//
// The walk is the caller's: walk(from, value, visit) calls visit(step) for the characters from
// the character boundary `from` (where the position is `value`) to the line's end, in order,
// until visit returns false. Advances must add exactly (whole numbers, or pixels in 64ths).

#include "codeedit/SynEditTextBuffer.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <limits>
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

private:
    static constexpr std::size_t kSpacing = 4096;
    static constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
    static constexpr Value kNoValue = std::numeric_limits<Value>::max();

    // Adds checkpoints until one is past column or value, or the line ends.
    template <class Walk> void Extend(std::size_t column, Value value, Walk&& walk) {
        if (complete || points.back().column > column || points.back().value > value)
            return;
        const Point start = points.back();
        std::size_t next = start.column + kSpacing;
        bool stopped = false, tab = false;
        walk(start.column, start.value, [&](const Step& step) {
            if (step.start >= next) {
                points.push_back(Point{step.start, step.before, tab});
                tab = false;
                if (step.start > column || step.before > value) {
                    stopped = true;
                    return false;
                }
                next = step.start + kSpacing;
            }
            tab = tab || step.tab;
            return true;
        });
        complete = !stopped;
    }

    std::vector<Point> points{Point{}};
    bool complete = false;
};

// The checkpoints of the long lines of a list, kept through its change records.
template <class Value> class TSynLinesCheckpoints {
public:
    // The checkpoints of a line of that length (nullptr for a short line).
    TSynLineCheckpoints<Value>* Of(int line, std::size_t length) {
        if (length < TSynLineCheckpoints<Value>::kLongLine)
            return nullptr;
        // Only the lines in view and the caret's are asked for.
        if (lines.size() > 64 && !lines.contains(line))
            lines.clear();
        return &lines[line];
    }
    void Clear() { lines.clear(); }

    // After a change record of list: what is known of its first line as in Edited; walkOf(text)
    // gives the walk of a line's text.
    template <class WalkOf>
    void Changed(const TSynLinesChange& change, std::size_t prefix, std::size_t suffix,
                 std::size_t oldLength, const TSynEditStringList& list, WalkOf&& walkOf) {
        if (change.wholeText) {
            lines.clear();
            return;
        }
        // Lines past the change keep their checkpoints when they keep their index.
        const int end = change.removed == change.inserted ? change.index + change.removed : INT_MAX;
        std::erase_if(lines, [&](const auto& entry) {
            return entry.first > change.index && entry.first < end;
        });
        auto first = lines.find(change.index);
        if (first == lines.end())
            return;
        if (change.removed == 1 && change.inserted >= 1) {
            const std::string_view text = list.Get(change.index);
            first->second.Edited(prefix, suffix, oldLength, text.size(), walkOf(text));
        } else {
            lines.erase(first);
        }
    }

private:
    std::unordered_map<int, TSynLineCheckpoints<Value>> lines;
};
