#pragma once
// TSynCharIndex: offsets into an engine's text counted as Qt's strings count them (UTF-16 code
// units), with one unit between lines, as assistive technology reads a multi-line text. The
// start of every line is kept in one array, built lazily from the top and patched by each line
// change, so no lookup ever joins or converts the whole text: a line's own bytes are converted
// only where an offset falls inside it.

#include "codeedit/SynEditEngine.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// UTF-16 units the bytes take as a QString (ToQString) without building one.
std::size_t Utf16Length(std::string_view text, const Encoding& encoding);
// Byte column of the character boundary `units` UTF-16 units into text: inside a character
// its start, past the end the end.
std::size_t ByteColumnOfUnits(std::string_view text, std::size_t units, const Encoding& encoding);

class TSynCharIndex {
public:
    using Offset = std::int64_t;

    explicit TSynCharIndex(const TSynEditEngine& engine) : engine(engine) {}

    // Units of the whole text: every line and one unit between two lines.
    Offset Length();
    Offset LineStart(LineIndex line);
    Offset LineLength(LineIndex line);
    // The line holding the offset; an offset on a line break belongs to the line before it,
    // offsets past the end to the last line.
    LineIndex LineOfOffset(Offset offset);
    Offset OffsetOf(BufferPosition position);
    // Offsets are clamped to the text.
    BufferPosition PositionOf(Offset offset);

    // Follows one line change record; returns the units the replaced lines took before it
    // (their breaks included) when that was known.
    std::optional<Offset> Changed(const TSynLinesChange& change);
    // Forgets everything (the encoding changed, or nobody listens).
    void Reset() { starts.assign(1, 0); }

private:
    // Makes starts hold the start of line `line` (clamped to one past the last line).
    void ExtendTo(int line);
    Offset UnitsWithBreak(LineIndex line) const;

    const TSynEditEngine& engine;
    // starts[k]: offset of line k; starts[k + 1] - starts[k]: its units plus one for the break.
    std::vector<Offset> starts{0};
};
