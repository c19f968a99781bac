#include "codeedit/SynEditRanges.h"

#include <algorithm>

namespace {

void ScanLine(const TSynEditStringList& lines, TSynCustomHighlighter& highlighter, int index) {
    highlighter.StartLine(lines.Get(index), index);
    highlighter.ScanToLineEnd();
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
        ScanLine(lines, *highlighter, i);
    }
}

int Rescan(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
           const TSynLinesChange& change) {
    const int count = lines.Count();
    if (highlighter == nullptr || count == 0) {
        return -1;
    }
    if (change.wholeText) {
        ScanAll(lines, highlighter);
        return count - 1;
    }
    const int first = std::clamp(change.index, 0, count);
    int line;
    if (first == 0) {
        highlighter->ClearRange();
        lines.SetRange(0, highlighter->CurrentRange());
        line = 0;
    } else {
        line = first - 1;
        highlighter->RestoreRange(lines.Ranges(line));
    }
    // Inserted lines carry no meaningful stored range yet, so the equality stop only applies
    // after the last of them.
    const int lastChanged = first + change.inserted - 1;
    for (;;) {
        ScanLine(lines, *highlighter, line);
        const int next = line + 1;
        if (next >= count) {
            break;
        }
        const TSynRange range = highlighter->CurrentRange();
        if (next > lastChanged && lines.Ranges(next) == range) {
            break;
        }
        lines.SetRange(next, range);
        line = next;
    }
    return line;
}
