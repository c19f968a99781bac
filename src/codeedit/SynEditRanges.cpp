#include "codeedit/SynEditRanges.h"

#include <algorithm>

namespace {

// Leaves the highlighter in the range after line index, scanned from the range it is in.
void ScanLine(const TSynEditStringList& lines, TSynCustomHighlighter& highlighter, int index,
              TSynLineScans* scans) {
    if (scans) {
        highlighter.RestoreRange(
            scans->RangeAfter(highlighter, lines, index, highlighter.CurrentRange()));
        return;
    }
    highlighter.StartLine(lines.Get(index), index);
    highlighter.ScanToLineEnd();
}

// Puts the highlighter in the state to scan the line before `first` (or line 0, from the
// initial range, when first is 0) and returns the line to scan first.
int ResumeBefore(TSynEditStringList& lines, TSynCustomHighlighter& highlighter, int first) {
    if (first == 0) {
        highlighter.ClearRange();
        lines.SetRange(0, highlighter.CurrentRange());
        return 0;
    }
    highlighter.RestoreRange(lines.Ranges(first - 1));
    return first - 1;
}

} // namespace

void ScanAll(TSynEditStringList& lines, TSynCustomHighlighter* highlighter) {
    if (highlighter == nullptr) {
        return;
    }
    highlighter->ClearRange();
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        lines.SetRange(i, highlighter->CurrentRange());
        ScanLine(lines, *highlighter, i, nullptr);
    }
}

int Rescan(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
           const TSynLinesChange& change, TSynLineScans* scans) {
    const int count = lines.Count();
    if (highlighter == nullptr || count == 0) {
        return -1;
    }
    if (change.wholeText) {
        ScanAll(lines, highlighter);
        return count - 1;
    }
    const int first = std::clamp(change.index, 0, count);
    int line = ResumeBefore(lines, *highlighter, first);
    // Inserted lines carry no meaningful stored range yet, so the equality stop only applies
    // after the last of them.
    const int lastChanged = first + change.inserted - 1;
    // The last line's end range starts no line: a keystroke in a long last line need not scan
    // it.
    for (;;) {
        const int next = line + 1;
        if (next >= count) {
            break;
        }
        ScanLine(lines, *highlighter, line, scans);
        const TSynRange range = highlighter->CurrentRange();
        if (next > lastChanged && lines.Ranges(next) == range) {
            break;
        }
        lines.SetRange(next, range);
        line = next;
    }
    return line;
}

TSynLazyRescan RescanCurrent(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
                             const TSynLinesChange& change, int validThrough,
                             TSynLineScans* scans) {
    const int count = lines.Count();
    if (highlighter == nullptr || count == 0 || change.wholeText)
        return {-1, -1};
    // Lines before the change keep their ranges; the slots from the change on hold other
    // lines' now.
    if (validThrough < change.index)
        return {-1, validThrough};
    if (validThrough < change.index + change.removed)
        return {-1, std::min(change.index, count) - 1};
    const int current = std::min(validThrough + change.inserted - change.removed, count - 1);

    const int first = std::min(change.index, count);
    int line = ResumeBefore(lines, *highlighter, first);
    const int lastChanged = first + change.inserted - 1;
    for (;;) {
        const int next = line + 1;
        if (next >= count)
            return {line, line};
        ScanLine(lines, *highlighter, line, scans);
        const TSynRange range = highlighter->CurrentRange();
        // Past the current lines nothing is stored to compare with: they are scanned when
        // asked for, and whatever follows may change its colours.
        if (next > current) {
            lines.SetRange(next, range);
            return {count - 1, next};
        }
        if (next > lastChanged && lines.Ranges(next) == range)
            return {line, current};
        lines.SetRange(next, range);
        line = next;
    }
}

int ScanThrough(TSynEditStringList& lines, TSynCustomHighlighter* highlighter, int validThrough,
                int lastLine, TSynLineScans* scans) {
    const int count = lines.Count();
    lastLine = std::min(lastLine, count - 1);
    if (highlighter == nullptr || lastLine <= validThrough)
        return validThrough;
    int line = ResumeBefore(lines, *highlighter, validThrough + 1);
    for (; line < lastLine; ++line) {
        ScanLine(lines, *highlighter, line, scans);
        lines.SetRange(line + 1, highlighter->CurrentRange());
    }
    return lastLine;
}
