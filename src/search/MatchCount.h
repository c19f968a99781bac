#pragma once
// The matches of a request's find text as the user sees them while a search dialog is open:
// how many the whole text holds, and where they are in the lines in view. Matches are counted
// as Find Next finds them one after another: none overlapping, none of nothing.

#include "codeedit/SynEditTextBuffer.h"
#include "search/FindReplace.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

struct MatchCount {
    std::size_t count = 0;
    // Something to count with: a find text that is a valid expression.
    bool valid = true;
    PatternStatus status = PatternStatus::Complete;
};

// stop is asked between matches and windows; when it says so the count ends early.
MatchCount CountMatches(const SearchLines& lines, const SearchRequest& request,
                        const std::function<bool()>& stop = {});

// The matches that start on lines first to last (a match may run on below last).
std::vector<BufferRange> MatchesOnLines(const SearchLines& lines, const SearchRequest& request,
                                        LineIndex first, LineIndex last);

// The lines of a snapshot, for counting on another thread while the editor goes on.
class SnapshotLines : public SearchLines {
public:
    SnapshotLines(TSynLinesSnapshot snapshot, const Encoding& encoding)
        : snapshot(std::move(snapshot)), encoding(encoding) {}
    const Encoding& TextEncoding() const override { return encoding; }
    int LineCount() const override { return std::max(snapshot.Count(), 1); }
    std::string_view LineText(LineIndex line) const override {
        return snapshot.Count() == 0 ? std::string_view() : snapshot.Get(line);
    }

private:
    TSynLinesSnapshot snapshot;
    const Encoding& encoding;
};
