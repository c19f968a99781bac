#pragma once
// What the per-line caches (scan states, checkpoints, wrapped rows) share when the lines change:
// their entries keyed by line, carried over one change record.

#include "codeedit/SynEditPosition.h"
#include "codeedit/SynEditTextBuffer.h"

#include <unordered_map>
#include <utility>

template <class Entry> using TSynLineCache = std::unordered_map<LineIndex, Entry>;

// A cache taken over one change: the entries of the lines the change left, moved to where
// those lines are now, and the entries of its first and last old lines, still in the old cache
// (nothing where they had none or the change replaced no line). The caller makes the rest of
// the first and last new lines from those two, then puts `kept` in place of the old cache.
template <class Entry> struct TSynCacheAcrossChange {
    TSynLineCache<Entry> kept;
    Entry* firstOld = nullptr;
    Entry* lastOld = nullptr;
};

template <class Entry>
TSynCacheAcrossChange<Entry> TakeAcrossChange(TSynLineCache<Entry>& cache,
                                              const TSynLinesChange& change) {
    TSynCacheAcrossChange<Entry> result;
    const LineIndex lastOld = change.index + (change.removed - 1);
    for (auto& [line, entry] : cache) {
        if (line < change.index) {
            result.kept.emplace(line, std::move(entry));
        } else if (line > lastOld) {
            result.kept.emplace(line + (change.inserted - change.removed), std::move(entry));
        } else {
            if (line == change.index)
                result.firstOld = &entry;
            if (line == lastOld)
                result.lastOld = &entry;
        }
    }
    return result;
}
