#include "codeedit/SynEditRanges.h"

#include <algorithm>

namespace {

// Leaves the highlighter in the range after line index, scanned from the range it is in.
void ScanLine(const TSynEditStringList& lines, TSynCustomHighlighter& highlighter, LineIndex index,
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
LineIndex ResumeBefore(TSynEditStringList& lines, TSynCustomHighlighter& highlighter,
                       LineIndex first) {
    if (first == LineIndex(0)) {
        highlighter.ClearRange();
        lines.SetRange(first, highlighter.CurrentRange());
        return first;
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
    const LineIndex end(lines.Count());
    for (LineIndex i(0); i < end; ++i) {
        lines.SetRange(i, highlighter->CurrentRange());
        ScanLine(lines, *highlighter, i, nullptr);
    }
}

LineIndex Rescan(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
                 const TSynLinesChange& change, TSynLineScans* scans) {
    const LineIndex count(lines.Count());
    if (highlighter == nullptr || count == LineIndex(0)) {
        return NoLine;
    }
    if (change.wholeText) {
        ScanAll(lines, highlighter);
        return count - 1;
    }
    const LineIndex first = std::clamp(change.index, LineIndex(0), count);
    LineIndex line = ResumeBefore(lines, *highlighter, first);
    // Inserted lines carry no meaningful stored range yet, so the equality stop only applies
    // after the last of them.
    const LineIndex lastChanged = first + (change.inserted - 1);
    // The last line's end range starts no line: a keystroke in a long last line need not scan
    // it.
    for (;;) {
        const LineIndex next = line + 1;
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
                             const TSynLinesChange& change, LineIndex validThrough,
                             TSynLineScans* scans) {
    const LineIndex count(lines.Count());
    if (highlighter == nullptr || count == LineIndex(0) || change.wholeText)
        return {NoLine, NoLine};
    // Lines before the change keep their ranges; the slots from the change on hold other
    // lines' now.
    if (validThrough < change.index)
        return {NoLine, validThrough};
    if (validThrough < change.index + change.removed)
        return {NoLine, std::min(change.index, count) - 1};
    const LineIndex current =
        std::min(validThrough + (change.inserted - change.removed), count - 1);

    const LineIndex first = std::min(change.index, count);
    LineIndex line = ResumeBefore(lines, *highlighter, first);
    const LineIndex lastChanged = first + (change.inserted - 1);
    for (;;) {
        const LineIndex next = line + 1;
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

LineIndex ScanThrough(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
                      LineIndex validThrough, LineIndex lastLine, TSynLineScans* scans) {
    lastLine = std::min(lastLine, LineIndex(lines.Count() - 1));
    if (highlighter == nullptr || lastLine <= validThrough)
        return validThrough;
    LineIndex line = ResumeBefore(lines, *highlighter, validThrough + 1);
    for (; line < lastLine; ++line) {
        ScanLine(lines, *highlighter, line, scans);
        lines.SetRange(line + 1, highlighter->CurrentRange());
    }
    return lastLine;
}
