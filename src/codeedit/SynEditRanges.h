#pragma once
// Line start ranges: computing the range in force at the start of every line of a line list,
// keeping them right after a change with as little rescanning as possible, and walking the
// tokens of one line from its stored range (painting, export, token dumps). It neither paints
// nor decides what to repaint beyond reporting how far it rescanned.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditTextBuffer.h"

// Stores every line's start range, scanning the whole list from the initial range. Nothing
// happens without a highlighter.
void ScanAll(TSynEditStringList& lines, TSynCustomHighlighter* highlighter);

// Brings the stored start ranges up to date after one change and returns the last line that
// was rescanned (-1 when none was: no highlighter, or no lines). A whole-text change rescans
// everything. Otherwise every changed or inserted line is rescanned, then the following lines
// until one whose stored start range equals the range the scan arrived with.
int Rescan(TSynEditStringList& lines, TSynCustomHighlighter* highlighter,
           const TSynLinesChange& change);

struct TSynToken {
    int start;  // byte column, 0-based
    int length; // bytes
    int kind;
    TSynHighlighterAttributes* attribute; // nothing: paint in the editor's font
};

// Calls visit(const TSynToken&) for each token of line index, from the line's stored start
// range, and returns the range in force after the line.
template <class Visitor>
TSynRange ForEachToken(const TSynEditStringList& lines, TSynCustomHighlighter& highlighter,
                       int index, Visitor&& visit) {
    highlighter.RestoreRange(lines.Ranges(index));
    highlighter.StartLine(lines.Get(index), index);
    while (!highlighter.AtLineEnd()) {
        visit(TSynToken{highlighter.TokenStart(), highlighter.TokenLength(),
                        highlighter.TokenKind(), highlighter.TokenAttribute()});
        highlighter.NextToken();
    }
    return highlighter.CurrentRange();
}
