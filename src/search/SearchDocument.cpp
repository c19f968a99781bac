#include "search/SearchDocument.h"

#include <string>

namespace {

// The text from one position to another as pieces: line texts and the CR LF between them.
template <typename Piece>
void ForEachPiece(const SearchLines& lines, BufferPosition from, BufferPosition to, Piece piece) {
    for (LineIndex line = from.line; line <= to.line; line = line + 1) {
        const std::string_view text = lines.LineText(line);
        const std::size_t begin = line == from.line ? from.column.Value() : 0;
        const std::size_t end = line == to.line ? to.column.Value() : text.size();
        piece(text.substr(begin, end - begin));
        if (line != to.line)
            piece("\r\n");
    }
}

// One Replace from the first range to the last, the text between them rebuilt. Sized first, so
// that tens of megabytes are written once rather than copied at every growth.
template <typename TextOf>
void ReplaceSpanning(SearchDocument& document, const std::vector<BufferRange>& ranges,
                     TextOf textOf) {
    if (ranges.empty())
        return;
    const auto forEachPiece = [&](auto piece) {
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            if (i > 0)
                ForEachPiece(document, ranges[i - 1].end, ranges[i].begin, piece);
            piece(textOf(i));
        }
    };
    std::size_t size = 0;
    forEachPiece([&](std::string_view piece) { size += piece.size(); });
    std::string joined;
    joined.reserve(size);
    forEachPiece([&](std::string_view piece) { joined.append(piece); });
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
