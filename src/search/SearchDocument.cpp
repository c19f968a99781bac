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

// One Replace from the first range to the last, the text between them rebuilt.
template <typename TextOf>
void ReplaceSpanning(SearchDocument& document, const std::vector<BufferRange>& ranges,
                     TextOf textOf) {
    if (ranges.empty())
        return;
    std::string joined;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        if (i > 0)
            AppendText(document, ranges[i - 1].end, ranges[i].begin, joined);
        joined += textOf(i);
    }
    document.Replace({ranges.front().begin, ranges.back().end}, joined);
}

} // namespace

void SearchDocument::ReplaceRanges(const std::vector<BufferRange>& ranges, std::string_view text) {
    ReplaceSpanning(*this, ranges, [&](std::size_t) { return text; });
}

void SearchDocument::ReplaceEach(const std::vector<BufferRange>& ranges,
                                 const std::vector<std::string>& texts) {
    ReplaceSpanning(*this, ranges, [&](std::size_t i) -> std::string_view { return texts[i]; });
}
