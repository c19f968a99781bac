// Replace All in one pass. Pressing Replace repeatedly replaces the match it selected and
// searches on from the end of the replacement; an empty replacement leaves no selection, so
// every later search starts again at the top of the text. The two cases are built apart:
// - a replacement with text replaces the matches after the start left to right, none twice;
// - an empty replacement, once it has removed one match, keeps removing the first match of the
//   whole text, which the removal may have joined together from the text on both sides of
//   it. Reading the text once while dropping every match as soon as its last character is
//   read gives the same text: what is kept never holds a match, so the match ending first is
//   the first match.

#include "search/FindReplace.h"
#include "search/detail/SearchSteps.h"

#include <vector>

namespace {

BufferPosition TextEnd(const SearchLines& lines) {
    const LineIndex last(lines.LineCount() - 1);
    return {last, ByteColumn(lines.LineText(last).size())};
}

// The first match Replace replaces: the selection when it is the find text, else the match the
// first press selects. Nothing when that press finds none, with its outcome.
struct FirstMatch {
    std::optional<BufferRange> range;
    SearchOutcome outcome = SearchOutcome::NotFound;
};

FirstMatch FindFirstMatch(const SearchDocument& document, const SearchRequest& request,
                          const TextMatcher& matcher) {
    const BufferRange selection = document.Selection();
    if (SelectionIsFindText(document, request.findText))
        return {selection};
    const BufferPosition start = selection.Empty() ? BufferPosition{} : selection.end;
    if (const auto found = LocateText(document, matcher, start))
        return {found};
    return {std::nullopt,
            selection.Empty() ? SearchOutcome::NotFound : SearchOutcome::DialogClosed};
}

SearchOutcome ReplaceWithText(SearchDocument& document, const TextMatcher& matcher,
                              BufferRange first, const std::string& replacement) {
    std::vector<BufferRange> matches{first};
    while (const auto found = LocateText(document, matcher, matches.back().end))
        matches.push_back(*found);
    const BufferRange selected = detail::LastReplacement(
        matches, [&](std::size_t) -> std::string_view { return replacement; });
    document.ReplaceRanges(matches, replacement);
    document.Select(selected);
    // The last search started after a replacement with text: the dialog closes.
    return SearchOutcome::DialogClosed;
}

// Hands every character from `from` to `to` to visit; a line break is one character.
template <typename Visit>
void ForEachCharacter(const SearchLines& lines, BufferPosition from, BufferPosition to,
                      Visit visit) {
    const Encoding& encoding = lines.TextEncoding();
    for (LineIndex line = from.line; line <= to.line; ++line) {
        const std::string_view text = lines.LineText(line);
        std::size_t column = line == from.line ? from.column.Value() : 0;
        const std::size_t end = line == to.line ? to.column.Value() : text.size();
        while (column < end) {
            const std::size_t length = encoding.CharLength(text, column);
            visit(text.substr(column, length));
            column += length;
        }
        if (line != to.line)
            visit("\r\n");
    }
}

// Offsets in the text as a whole (lines joined by CR LF).
struct OffsetRange {
    std::size_t begin;
    std::size_t end;
};

// The positions of ascending, disjoint offset ranges, found in one walk down the lines.
std::vector<BufferRange> PositionsOf(const SearchLines& lines,
                                     const std::vector<OffsetRange>& ranges) {
    LineIndex line(0);
    std::size_t lineStart = 0;
    const auto positionOf = [&](std::size_t offset) {
        while (offset > lineStart + lines.LineText(line).size()) {
            lineStart += lines.LineText(line).size() + 2;
            line = line + 1;
        }
        return BufferPosition{line, ByteColumn(offset - lineStart)};
    };
    std::vector<BufferRange> positions;
    positions.reserve(ranges.size());
    for (const OffsetRange& range : ranges) {
        const BufferPosition begin = positionOf(range.begin);
        positions.push_back({begin, positionOf(range.end)});
    }
    return positions;
}

// The text kept while reading with removals is pieces of the text read, each contiguous in
// both; a piece runs to the start of the next one, or to the end of what is kept.
struct KeptPiece {
    std::size_t kept;
    std::size_t read;
};

// What the pieces leave out of a text of `length` bytes: the removed ranges.
std::vector<OffsetRange> Gaps(const std::vector<KeptPiece>& pieces, std::size_t keptLength,
                              std::size_t length) {
    std::vector<OffsetRange> gaps;
    std::size_t from = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].read > from)
            gaps.push_back({from, pieces[i].read});
        const std::size_t pieceEnd = i + 1 < pieces.size() ? pieces[i + 1].kept : keptLength;
        from = pieces[i].read + (pieceEnd - pieces[i].kept);
    }
    if (length > from)
        gaps.push_back({from, length});
    return gaps;
}

// The whole text without `first`, read once from the top, dropping matches as they end. A
// removal can take kept text from before earlier removals, so the ranges removed from the
// document are what the kept pieces leave out.
SearchOutcome ReplaceWithNothing(SearchDocument& document, const TextMatcher& matcher,
                                 BufferRange first) {
    std::string kept;
    std::vector<KeptPiece> pieces;
    std::size_t read = 0;
    // Where the last removal leaves the caret: `first` goes first, the others in reading order.
    std::optional<std::size_t> lastRemoval;
    const auto keep = [&](std::string_view bytes) {
        if (pieces.empty() || pieces.back().read + (kept.size() - pieces.back().kept) != read)
            pieces.push_back({kept.size(), read});
        kept.append(bytes);
        read += bytes.size();
        if (const auto start = matcher.MatchEndingAt(kept)) {
            kept.resize(*start);
            while (!pieces.empty() && pieces.back().kept >= *start)
                pieces.pop_back();
            lastRemoval = *start;
        }
    };
    ForEachCharacter(document, {}, first.begin, keep);
    const std::size_t firstAt = kept.size();
    ForEachCharacter(document, first.begin, first.end,
                     [&](std::string_view bytes) { read += bytes.size(); });
    ForEachCharacter(document, first.end, TextEnd(document), keep);

    document.ReplaceRanges(PositionsOf(document, Gaps(pieces, kept.size(), read)), {});
    const BufferPosition caret =
        EndOfText({}, std::string_view(kept).substr(0, lastRemoval.value_or(firstAt)));
    document.Select({caret, caret});
    // The last search started at the top, after a replacement that left nothing selected.
    return SearchOutcome::NotFound;
}

} // namespace

SearchOutcome ReplaceAllMatches(SearchDocument& document, const SearchRequest& request) {
    if (UsesPattern(request))
        return detail::ReplaceAllPatternMatches(document, request);
    if (document.ReadOnly())
        return FindNextMatch(document, request, SearchDialogKind::Replace);
    const TextMatcher matcher(request.findText, request.caseRule, document.TextEncoding());
    if (matcher.Empty())
        return SearchOutcome::EmptyFindText;
    const FirstMatch first = FindFirstMatch(document, request, matcher);
    if (!first.range)
        return first.outcome;
    const std::string replacement = WithEditorLineBreaks(request.replaceText);
    if (replacement.empty())
        return ReplaceWithNothing(document, matcher, *first.range);
    return ReplaceWithText(document, matcher, *first.range, replacement);
}
