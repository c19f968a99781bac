#pragma once
// Line start ranges: computing the range in force at the start of every line of a line list,
// keeping them right after a change with as little rescanning as possible, and walking the
// tokens of one line from its stored range (painting, export, token dumps). It neither paints
// nor decides what to repaint beyond reporting how far it rescanned.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditLineScans.h"
#include "codeedit/SynEditTextBuffer.h"

// Stores every line's start range, scanning the whole list from the initial range. Nothing
// happens without a highlighter.
void ScanAll(TSynEditStringList& lines, TSynCustomHighlighter* highlighter);

// Brings the stored start ranges up to date after one change and returns the last line that
// was rescanned (NoLine when none was: no highlighter, or no lines). A whole-text change rescans
// everything. Otherwise every changed or inserted line is rescanned, then the following lines
// until one whose stored start range equals the range the scan arrived with. With scans (told
// of the change first), long lines are scanned from their remembered states.
LineIndex Rescan(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
                 const TSynLinesChange& change, TSynLineScans* scans = nullptr);

// Start ranges kept current on demand, so that a large text shows without a scan of all of
// it: the stored ranges of lines 0 .. validThrough are right, those after it are not yet
// (NoLine: none is). The editor makes the lines it paints current before painting them.
struct TSynLazyRescan {
    LineIndex lastRescanned; // NoLine when no line was rescanned
    LineIndex validThrough;
};

// After one change: rescans as Rescan does, but only within the lines that were current, and
// reports how far the ranges are current now. A whole-text change makes none current.
TSynLazyRescan RescanCurrent(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
                             const TSynLinesChange& change, LineIndex validThrough,
                             TSynLineScans* scans = nullptr);

// Makes the start ranges current through lastLine (clamped to the list) and returns the new
// validThrough.
LineIndex ScanThrough(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
                      LineIndex validThrough, LineIndex lastLine, TSynLineScans* scans = nullptr);

// Calls visit(const TSynToken&) for each token of line index, from the line's stored start
// range, and returns the range in force after the line.
template <class Visitor>
TSynRange ForEachToken(const TSynEditStringList& lines, TSynCustomHighlighter& highlighter,
                       LineIndex index, Visitor&& visit) {
    highlighter.RestoreRange(lines.Ranges(index));
    highlighter.StartLine(lines.Get(index), index);
    while (!highlighter.AtLineEnd()) {
        visit(TSynToken{highlighter.TokenStart(), highlighter.TokenLength(),
                        highlighter.TokenKind(), highlighter.TokenAttribute()});
        highlighter.NextToken();
    }
    return highlighter.CurrentRange();
}
