#include "codeedit/qt/SynEditCharIndex.h"

#include <algorithm>

namespace {

// A well-formed four-byte UTF-8 sequence is a character beyond the BMP: a surrogate pair.
std::size_t UnitsOfChar(std::size_t byteLength, const Encoding& encoding) {
    return encoding.IsUtf8() && byteLength == 4 ? 2 : 1;
}

} // namespace

std::size_t Utf16Length(std::string_view text, const Encoding& encoding) {
    if (!encoding.IsUtf8())
        return text.size();
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++units;
            ++pos;
            continue;
        }
        const std::size_t length = encoding.CharLength(text, pos);
        units += UnitsOfChar(length, encoding);
        pos += length;
    }
    return units;
}

std::size_t ByteColumnOfUnits(std::string_view text, std::size_t units, const Encoding& encoding) {
    if (!encoding.IsUtf8())
        return std::min(units, text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t length = encoding.CharLength(text, pos);
        const std::size_t taken = UnitsOfChar(length, encoding);
        if (taken > units)
            break;
        units -= taken;
        pos += length;
    }
    return pos;
}

TSynCharIndex::Offset TSynCharIndex::UnitsWithBreak(LineIndex line) const {
    return Offset(Utf16Length(engine.LineText(line), engine.TextEncoding())) + 1;
}

void TSynCharIndex::ExtendTo(int line) {
    const int count = engine.LineCount();
    // A list emptied and refilled by records the index could not follow: start again.
    if (int(starts.size()) > count + 1)
        Reset();
    line = std::clamp(line, 0, count);
    starts.reserve(std::size_t(line) + 1);
    while (int(starts.size()) <= line) {
        const LineIndex known(int(starts.size()) - 1);
        starts.push_back(starts.back() + UnitsWithBreak(known));
    }
}

TSynCharIndex::Offset TSynCharIndex::Length() {
    const int count = engine.LineCount();
    ExtendTo(count);
    return starts[std::size_t(count)] - 1;
}

TSynCharIndex::Offset TSynCharIndex::LineStart(LineIndex at) {
    const int line = std::clamp(at.Value(), 0, engine.LineCount() - 1);
    ExtendTo(line);
    return starts[std::size_t(line)];
}

TSynCharIndex::Offset TSynCharIndex::LineLength(LineIndex at) {
    const int line = std::clamp(at.Value(), 0, engine.LineCount() - 1);
    ExtendTo(line + 1);
    return starts[std::size_t(line) + 1] - starts[std::size_t(line)] - 1;
}

LineIndex TSynCharIndex::LineOfOffset(Offset offset) {
    const int count = engine.LineCount();
    if (int(starts.size()) > count + 1)
        Reset();
    // Build only as far as the line holding the offset.
    while (int(starts.size()) <= count && starts.back() <= offset)
        ExtendTo(int(starts.size()));
    const auto after = std::upper_bound(starts.begin(), starts.end(), offset);
    const int line = int(after - starts.begin()) - 1;
    return LineIndex(std::clamp(line, 0, count - 1));
}

TSynCharIndex::Offset TSynCharIndex::OffsetOf(BufferPosition position) {
    const BufferPosition at = engine.Clamp(position);
    const std::string_view text = engine.LineText(at.line);
    return LineStart(at.line) +
           Offset(Utf16Length(text.substr(0, at.column.Value()), engine.TextEncoding()));
}

BufferPosition TSynCharIndex::PositionOf(Offset offset) {
    const LineIndex line = LineOfOffset(std::max<Offset>(offset, 0));
    const Offset within = std::clamp<Offset>(offset - LineStart(line), 0, LineLength(line));
    const std::string_view text = engine.LineText(line);
    return {line, ByteColumn(ByteColumnOfUnits(text, std::size_t(within), engine.TextEncoding()))};
}

std::optional<TSynCharIndex::Offset> TSynCharIndex::Changed(const TSynLinesChange& change) {
    const std::size_t first = std::size_t(change.index.Value());
    const std::size_t end = first + std::size_t(change.removed);
    if (change.wholeText) {
        std::optional<Offset> old;
        if (starts.size() == end + 1)
            old = starts[end];
        Reset();
        return old;
    }
    if (end >= starts.size()) {
        // The change reaches past what was built: keep what is still right.
        starts.resize(std::min(starts.size(), first + 1));
        return std::nullopt;
    }
    const Offset oldUnits = starts[end] - starts[first];
    std::vector<Offset> inserted;
    inserted.reserve(std::size_t(change.inserted));
    Offset at = starts[first];
    for (LineIndex line = change.index; line < change.index + change.inserted; ++line) {
        at += UnitsWithBreak(line);
        inserted.push_back(at);
    }
    const Offset delta = (at - starts[first]) - oldUnits;
    const auto tail = starts.begin() + std::ptrdiff_t(end) + 1;
    std::for_each(tail, starts.end(), [delta](Offset& start) { start += delta; });
    const auto replaced = starts.erase(starts.begin() + std::ptrdiff_t(first) + 1, tail);
    starts.insert(replaced, inserted.begin(), inserted.end());
    if (int(starts.size()) > engine.LineCount() + 1)
        Reset();
    return oldUnits;
}
