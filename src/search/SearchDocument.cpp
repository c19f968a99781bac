#include "search/SearchDocument.h"

#include <string>

namespace {

void AppendText(const SearchLines& lines, BufferPosition from, BufferPosition to,
                std::string& out) {
    for (LineIndex line = from.line; line <= to.line; line = line + 1) {
        const std::string_view text = lines.LineText(line);
        const std::size_t begin = line == from.line ? from.column.Value() : 0;
        const std::size_t end = line == to.line ? to.column.Value() : text.size();
        out.append(text.substr(begin, end - begin));
        if (line != to.line)
            out += "\r\n";
    }
}

} // namespace

void SearchDocument::ReplaceRanges(const std::vector<BufferRange>& ranges, std::string_view text) {
    if (ranges.empty())
        return;
    std::string joined;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        if (i > 0)
            AppendText(*this, ranges[i - 1].end, ranges[i].begin, joined);
        joined += text;
    }
    Replace({ranges.front().begin, ranges.back().end}, joined);
}
