#include "codeedit/SynEditLineScans.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr ByteColumn kLineEnd(SIZE_MAX);

bool Scans(const TSynCustomHighlighter& highlighter, std::string_view text) {
    return text.size() >= TSynLineScans::kLongLine && highlighter.ScanState().has_value();
}

} // namespace

bool TSynLineScans::StartAt(TSynCustomHighlighter& highlighter, const TSynEditStringList& list,
                            LineIndex index, ByteColumn column, std::size_t& budget) {
    const std::string_view text = list.Get(index);
    if (!Scans(highlighter, text)) {
        highlighter.RestoreRange(list.Ranges(index));
        highlighter.StartLine(text, index);
        return true;
    }
    return ScanTo(ScanOf(highlighter, index, list.Ranges(index)), highlighter, text, index, column,
                  budget);
}

TSynRange TSynLineScans::RangeAfter(TSynCustomHighlighter& highlighter,
                                    const TSynEditStringList& list, LineIndex index,
                                    TSynRange startRange) {
    const std::string_view text = list.Get(index);
    if (!Scans(highlighter, text)) {
        highlighter.RestoreRange(startRange);
        highlighter.StartLine(text, index);
        highlighter.ScanToLineEnd();
        return highlighter.CurrentRange();
    }
    LineScan& scan = ScanOf(highlighter, index, startRange);
    std::size_t unlimited = SIZE_MAX;
    if (!scan.end || scan.endAside)
        ScanTo(scan, highlighter, text, index, kLineEnd, unlimited);
    return *scan.end;
}

TSynLineScans::LineScan& TSynLineScans::ScanOf(const TSynCustomHighlighter& highlighter,
                                               LineIndex index, TSynRange startRange) {
    if (owner != &highlighter) {
        lines.clear();
        owner = &highlighter;
    }
    // Only the lines in view and the one being edited are asked for.
    if (lines.size() > 64 && !lines.contains(index))
        lines.clear();
    LineScan& scan = lines[index];
    if (scan.startRange != startRange) {
        // The states of a scan from another start range are of no use from the start, but a
        // scan that meets one of them in the same state goes on as that scan did.
        LineScan fresh;
        fresh.startRange = startRange;
        const bool ownEnd = scan.end && !scan.endAside;
        fresh.aside = std::move(ownEnd ? scan.states : scan.aside);
        if (scan.end && !fresh.aside.empty())
            fresh.end = scan.end;
        fresh.endAside = fresh.end.has_value();
        scan = std::move(fresh);
    }
    return scan;
}

bool TSynLineScans::ScanTo(LineScan& scan, TSynCustomHighlighter& highlighter,
                           std::string_view text, LineIndex index, ByteColumn column,
                           std::size_t& budget) {
    for (;;) {
        const auto after = std::upper_bound(
            scan.states.begin(), scan.states.end(), column,
            [](ByteColumn c, const TSynScanState& state) { return c < state.tokenStart; });
        if (after == scan.states.begin()) {
            highlighter.RestoreRange(scan.startRange);
            highlighter.StartLine(text, index);
        } else {
            highlighter.ResumeLine(text, index, *(after - 1));
        }
        // Short of the last state the next one is near; past it the scan is new ground.
        const bool beyond = after == scan.states.end();
        const ByteColumn lineEnd(text.size());
        const ByteColumn resumed = highlighter.AtLineEnd() ? lineEnd : highlighter.TokenStart();
        ByteColumn reached = lineEnd;
        ByteColumn next =
            (scan.states.empty() ? ByteColumn(0) : scan.states.back().tokenEnd) + kSpacing;
        std::size_t passed = 0;
        bool met = false;
        while (!highlighter.AtLineEnd()) {
            const TSynScanState state = *highlighter.ScanState();
            if (beyond) {
                while (passed < scan.aside.size() && scan.aside[passed].tokenEnd < state.tokenEnd)
                    ++passed;
                met = passed < scan.aside.size() && scan.aside[passed] == state;
                if (met) {
                    reached = state.tokenEnd;
                    break;
                }
                if (state.tokenEnd >= next) {
                    scan.states.push_back(state);
                    next = state.tokenEnd + kSpacing;
                }
            }
            const bool holds = state.tokenEnd > column;
            // Only new ground counts against the budget.
            const bool outOfBudget = beyond && state.tokenStart - resumed > budget;
            if (holds || outOfBudget) {
                // States set aside that this scan passed in another state will never be met.
                scan.aside.erase(scan.aside.begin(), scan.aside.begin() + std::ptrdiff_t(passed));
                budget -= std::min(budget, state.tokenStart - resumed);
                // The next scan goes on from here.
                if (!holds && (scan.states.empty() || scan.states.back() != state))
                    scan.states.push_back(state);
                return holds;
            }
            highlighter.NextToken();
        }
        budget -= std::min(budget, reached - resumed);
        if (!met) {
            if (beyond) {
                scan.end = highlighter.CurrentRange();
                scan.endAside = false;
                scan.aside.clear();
            }
            return true;
        }
        // The rest of the line scans as the scan whose states were set aside did.
        const bool holdsColumn = scan.aside[passed].tokenEnd > column;
        scan.states.insert(scan.states.end(), scan.aside.begin() + std::ptrdiff_t(passed),
                           scan.aside.end());
        scan.aside.clear();
        if (scan.end)
            scan.endAside = false;
        if (holdsColumn || (column == kLineEnd && scan.end))
            return true;
    }
}

void TSynLineScans::Changed(const TSynLinesChange& change, std::size_t prefix, std::size_t suffix,
                            std::size_t oldLength, const TSynEditStringList& list) {
    if (change.wholeText) {
        lines.clear();
        return;
    }
    // Lines past the change move with it; the first new line keeps the states before the edit
    // of the first old one, the last new line sets aside those of the last old one after it.
    TSynCacheAcrossChange<LineScan> across = TakeAcrossChange(lines, change);
    LineScan* first = across.firstOld;
    LineScan* last = across.lastOld;
    const LineIndex lastNew = change.index + (change.inserted - 1);
    const auto lengthOf = [&](LineIndex line) { return list.Get(line).size(); };
    std::optional<LineScan> end;
    if (change.inserted > 0 && last && suffix > 0 && (first != last || change.inserted > 1)) {
        end = *last;
        Edited(*end, 0, suffix, oldLength, lengthOf(lastNew));
    }
    if (change.inserted > 0 && first) {
        const bool inPlace = change.removed == 1 && change.inserted == 1;
        Edited(*first, prefix, inPlace ? suffix : 0, oldLength, lengthOf(change.index));
        if (change.inserted == 1 && end) {
            first->aside = std::move(end->aside);
            first->end = end->end;
            first->endAside = end->endAside;
            end.reset();
        }
        across.kept.emplace(change.index, std::move(*first));
    }
    if (end)
        across.kept.emplace(lastNew, std::move(*end));
    lines.swap(across.kept);
}

void TSynLineScans::Edited(LineScan& scan, std::size_t prefix, std::size_t suffix,
                           std::size_t oldLength, std::size_t newLength) {
    suffix = std::min({suffix, oldLength, newLength});
    const std::size_t oldTail = oldLength - suffix, newTail = newLength - suffix;
    // The states after the edit, moved with their bytes; a state just past it may depend on
    // the bytes before.
    const auto moved = [&](const std::vector<TSynScanState>& states) {
        std::vector<TSynScanState> result;
        if (suffix == 0)
            return result;
        for (TSynScanState state : states) {
            if (state.tokenStart < ByteColumn(oldTail + kLookBack))
                continue;
            state.tokenStart = state.tokenStart - oldTail + newTail;
            state.tokenEnd = state.tokenEnd - oldTail + newTail;
            result.push_back(state);
        }
        return result;
    };
    // The states set aside and the end range must come from one scan.
    std::vector<TSynScanState> aside;
    if (scan.end && scan.endAside) {
        aside = moved(scan.aside);
    } else {
        aside = moved(scan.states);
        if (!scan.end && aside.empty())
            aside = moved(scan.aside);
    }
    if (aside.empty())
        scan.end.reset();
    scan.endAside = scan.end.has_value();
    scan.aside = std::move(aside);
    std::erase_if(scan.states, [&](const TSynScanState& state) {
        return state.tokenEnd > ByteColumn(prefix) ||
               ByteColumn(prefix) - state.tokenEnd < kLookAhead;
    });
}
