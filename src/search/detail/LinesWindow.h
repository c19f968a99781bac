#pragma once
// A run of whole document lines copied into one buffer with '\n' between them, the subject a
// pattern search hands PCRE2: a window moves down the text, so the whole text is never copied
// at once. A window that ends before the text does ends with the '\n' after its last line.

#include "search/SearchDocument.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace detail {

class LinesWindow {
public:
    explicit LinesWindow(const SearchLines& lines) : lines(lines), count(lines.LineCount()) {}

    // Lines from first on, at least through `through` and then until the window holds wanted
    // bytes or the text ends.
    void Fill(LineIndex first, LineIndex through, std::size_t wanted) {
        bytes.clear();
        starts.clear();
        lastIndex = 0;
        firstLine = first.Value();
        int line = firstLine;
        while (line < count) {
            starts.push_back(bytes.size());
            bytes.append(lines.LineText(LineIndex(line)));
            ++line;
            if (line < count)
                bytes.push_back('\n');
            if (line > through.Value() && bytes.size() >= wanted)
                break;
        }
        endLine = line;
    }

    std::string_view Bytes() const { return bytes; }
    bool ReachesEnd() const { return endLine == count; }
    // The first line after the window.
    LineIndex EndLine() const { return LineIndex(endLine); }

    BufferPosition PositionOf(std::size_t offset) const {
        if (offset >= bytes.size() && !ReachesEnd())
            return {LineIndex(endLine), ByteColumn(0)};
        // Positions are mostly asked for in order, a line or two apart: step on from the line
        // of the last one before searching.
        std::size_t index = starts[lastIndex] <= offset ? lastIndex : 0;
        const auto further = [&] {
            return index + 1 < starts.size() && starts[index + 1] <= offset;
        };
        for (int step = 0; step < 4 && further(); ++step)
            ++index;
        if (further())
            index = static_cast<std::size_t>(
                        std::upper_bound(starts.begin() + index, starts.end(), offset) -
                        starts.begin()) -
                    1;
        lastIndex = index;
        return {LineIndex(firstLine + static_cast<int>(index)), ByteColumn(offset - starts[index])};
    }
    // Appends the text from a position to an offset in the window ('\n' between lines), the
    // part before the window's first line from the lines themselves.
    void AppendText(BufferPosition from, std::size_t to, std::string& text) const {
        std::size_t begin = 0;
        if (from.line.Value() >= firstLine) {
            begin = OffsetOf(from);
        } else {
            for (LineIndex line = from.line; line.Value() < firstLine; ++line) {
                text.append(
                    lines.LineText(line).substr(line == from.line ? from.column.Value() : 0));
                text.push_back('\n');
            }
        }
        text.append(bytes, begin, to - begin);
    }
    std::size_t OffsetOf(BufferPosition position) const {
        return starts[static_cast<std::size_t>(position.line.Value() - firstLine)] +
               position.column.Value();
    }

private:
    const SearchLines& lines;
    int count;
    int firstLine = 0;
    int endLine = 0;
    std::string bytes;
    std::vector<std::size_t> starts;
    mutable std::size_t lastIndex = 0;
};

} // namespace detail
