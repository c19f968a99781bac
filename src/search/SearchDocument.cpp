#include "search/SearchDocument.h"

#include "codeedit/SynEditUndo.h"
#include "search/TextMatcher.h"

#include <string>
#include <utility>

namespace {

// The text from one position to another as pieces: line texts and the CR LF between them.
template <typename Piece>
void ForEachPiece(const SearchLines& lines, BufferPosition from, BufferPosition to, Piece piece) {
    for (LineIndex line = from.line; line <= to.line; ++line) {
        const std::string_view text = lines.LineText(line);
        const std::size_t begin = line == from.line ? from.column.Value() : 0;
        const std::size_t end = line == to.line ? to.column.Value() : text.size();
        piece(text.substr(begin, end - begin));
        if (line != to.line)
            piece("\r\n");
    }
}

} // namespace

// One Replace from the first range to the last, the text between them rebuilt. Sized first, so
// that tens of megabytes are written once rather than copied at every growth.
void SearchDocument::ReplaceRanges(const std::vector<BufferRange>& ranges, std::string_view text) {
    if (ranges.empty())
        return;
    const auto forEachPiece = [&](auto piece) {
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            if (i > 0)
                ForEachPiece(*this, ranges[i - 1].end, ranges[i].begin, piece);
            piece(text);
        }
    };
    std::size_t size = 0;
    forEachPiece([&](std::string_view piece) { size += piece.size(); });
    std::string joined;
    joined.reserve(size);
    forEachPiece([&](std::string_view piece) { joined.append(piece); });
    Replace({ranges.front().begin, ranges.back().end}, joined);
}

void SearchDocument::ReplaceEach(SpanReplacement replacements) {
    if (!replacements.Empty())
        Replace(replacements.Span(), WithEditorLineBreaks(replacements.SpanText()));
}

BufferRange ReplacedRanges::Next(BufferRange range, BufferPosition shape) {
    const BufferPosition begin =
        range.begin.line == replacedBefore.line
            ? BufferPosition{replaced.end.line,
                             replaced.end.column + (range.begin.column - replacedBefore.column)}
            : BufferPosition{range.begin.line + (replaced.end.line - replacedBefore.line),
                             range.begin.column};
    const BufferPosition end = shape.line.Value() == 0
                                   ? BufferPosition{begin.line, begin.column + shape.column.Value()}
                                   : BufferPosition{begin.line + shape.line.Value(), shape.column};
    replaced = {begin, end};
    replacedBefore = range.end;
    return replaced;
}

void SpanReplacement::Added(BufferRange range, std::size_t start) {
    ranges.push_back(range);
    pieces.push_back({start, text.size()});
    lastReplaced = follow.Next(range, EndOfInsertedText({}, TextOf(pieces.size() - 1)));
}

std::string SpanReplacement::TakeSpanText() {
    // The room reserved is for the rest of the text; the span may have ended long before.
    if (text.size() < text.capacity() / 2)
        text.shrink_to_fit();
    return std::move(text);
}

std::string_view SpanReplacement::TextOf(std::size_t i) const {
    return std::string_view(text).substr(pieces[i].begin, pieces[i].end - pieces[i].begin);
}
