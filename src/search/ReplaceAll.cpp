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

#include <algorithm>
#include <vector>

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

    std::string text;
    std::size_t lastStart = 0;
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (i > 0)
            AppendText(document, matches[i - 1].end, matches[i].begin, text);
        lastStart = text.size();
        text += replacement;
    }
    const BufferPosition begin = matches.front().begin;
    document.Replace({begin, matches.back().end}, text);
    const BufferPosition selected = EndOfText(begin, std::string_view(text).substr(0, lastStart));
    document.Select({selected, EndOfText(selected, replacement)});
    // The last search started after a replacement with text: the dialog closes.
    return SearchOutcome::DialogClosed;
}

// Hands every character from `from` to `to` to visit with the position after it; a line
// break is one character.
template <typename Visit>
void ForEachCharacter(const SearchLines& lines, BufferPosition from, BufferPosition to,
                      Visit visit) {
    const Encoding& encoding = lines.TextEncoding();
    for (LineIndex line = from.line; line <= to.line; line = line + 1) {
        const std::string_view text = lines.LineText(line);
        std::size_t column = line == from.line ? from.column.Value() : 0;
        const std::size_t end = line == to.line ? to.column.Value() : text.size();
        while (column < end) {
            const std::size_t length = encoding.CharLength(text, column);
            visit(text.substr(column, length), BufferPosition{line, ByteColumn(column + length)});
            column += length;
        }
        if (line != to.line)
            visit("\r\n", MakePosition(line.Value() + 1, 0));
    }
}

// The whole text without `first`, read once from the top, dropping matches as they end.
SearchOutcome ReplaceWithNothing(SearchDocument& document, const TextMatcher& matcher,
                                 BufferRange first) {
    std::string kept;
    std::size_t firstChange = std::string::npos;
    // Where the text stops changing, in the kept text and in the document.
    std::size_t keptAtLastChange = 0;
    BufferPosition readAtLastChange{};
    // Where the last removal leaves the caret: `first` goes first, the others in reading order.
    std::optional<std::size_t> lastRemoval;
    const auto changedAt = [&](std::size_t at, BufferPosition read) {
        firstChange = std::min(firstChange, at);
        keptAtLastChange = at;
        readAtLastChange = read;
    };
    const auto keep = [&](std::string_view bytes, BufferPosition read) {
        kept.append(bytes);
        if (const auto start = matcher.MatchEndingAt(kept)) {
            kept.resize(*start);
            changedAt(*start, read);
            lastRemoval = *start;
        }
    };
    ForEachCharacter(document, {}, first.begin, keep);
    const std::size_t firstAt = kept.size();
    changedAt(firstAt, first.end);
    ForEachCharacter(document, first.end, TextEnd(document), keep);

    const std::string_view keptText(kept);
    const BufferPosition begin = EndOfText({}, keptText.substr(0, firstChange));
    document.Replace({begin, readAtLastChange},
                     keptText.substr(firstChange, keptAtLastChange - firstChange));
    const BufferPosition caret =
        EndOfText(begin, keptText.substr(firstChange, lastRemoval.value_or(firstAt) - firstChange));
    document.Select({caret, caret});
    // The last search started at the top, after a replacement that left nothing selected.
    return SearchOutcome::NotFound;
}

} // namespace

SearchOutcome ReplaceAllMatches(SearchDocument& document, const SearchRequest& request) {
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
