#pragma once
// Scan states remembered every few KB along the long lines of a list, so that the tokens far
// into a line of many MB, and the range after it, come from the nearest state instead of from a
// scan of the line from its start. An edit keeps the states before it, except those so close
// that the scanner may have looked past them into the edit, and sets those after it aside: a
// scan of the edited line that meets one of them in the same state knows that the rest of the
// line scans as it did, and so the range after it too. A line cut in two sets the states of its
// end aside in the second half, a join those of the second line in the joined one, and a line
// whose start range changed those it had.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditLineCaches.h"
#include "codeedit/SynEditTextBuffer.h"

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

class TSynLineScans {
public:
    // Lines shorter than this are scanned from their start: a state would not pay.
    static constexpr std::size_t kLongLine = 16384;

    // Makes the highlighter's current token the one of line `index` that holds column (or the
    // first after it), its scan started in the line's stored range. At most `budget` bytes of
    // the line are scanned for it, and what is scanned is taken off: false when the budget ran
    // out short of column (the current token is then one before it, and the next call goes on
    // from the last state reached), so that a view far into a line of many MB is coloured over
    // a few frames instead of holding up one.
    bool StartAt(TSynCustomHighlighter& highlighter, const TSynEditStringList& lines,
                 LineIndex index, ByteColumn column, std::size_t& budget);
    // The range after line `index`, its scan started in startRange.
    TSynRange RangeAfter(TSynCustomHighlighter& highlighter, const TSynEditStringList& lines,
                         LineIndex index, TSynRange startRange);
    // After a change record: the first new line's bytes before prefix are those of the first
    // old line, and the last suffix bytes of the last new line those ending the last old line,
    // which was oldLength bytes long.
    void Changed(const TSynLinesChange& change, std::size_t prefix, std::size_t suffix,
                 std::size_t oldLength, const TSynEditStringList& lines);
    // Forgets every state (another highlighter, or its rules changed).
    void Clear() { lines.clear(); }

private:
    static constexpr std::size_t kSpacing = 4096;
    // How far past a token a scanner may look before deciding it (digits after "&#" may go on
    // further: a state that near an edit is dropped).
    static constexpr std::size_t kLookAhead = 16384;
    // How far before a token a scanner may look back.
    static constexpr std::size_t kLookBack = 16;

    struct LineScan {
        TSynRange startRange = 0;
        // States of a scan of the line as it is, in order.
        std::vector<TSynScanState> states;
        // States of an earlier scan, moved with the bytes after an edit, and the range that scan
        // reached at the line's end: right again once a scan meets one of them.
        std::vector<TSynScanState> aside;
        std::optional<TSynRange> end;
        bool endAside = false;
    };
    LineScan& ScanOf(const TSynCustomHighlighter& highlighter, LineIndex index,
                     TSynRange startRange);
    // Scans line `index` on from the last state before column (or its start) until the current
    // token holds column or the line ends, remembering states on the way and meeting the ones
    // set aside; false when the budget (as in StartAt) ran out first.
    bool ScanTo(LineScan& scan, TSynCustomHighlighter& highlighter, std::string_view text,
                LineIndex index, ByteColumn column, std::size_t& budget);
    static void Edited(LineScan& scan, std::size_t prefix, std::size_t suffix,
                       std::size_t oldLength, std::size_t newLength);

    TSynLineCache<LineScan> lines;
    // The highlighter the states are of.
    const TSynCustomHighlighter* owner = nullptr;
};
