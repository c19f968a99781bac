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
        const auto next = std::upper_bound(starts.begin(), starts.end(), offset);
        const auto index = static_cast<std::size_t>(next - starts.begin()) - 1;
        return {LineIndex(firstLine + static_cast<int>(index)), ByteColumn(offset - starts[index])};
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
};

} // namespace detail
