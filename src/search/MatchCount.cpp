#include "search/MatchCount.h"

#include <algorithm>

namespace {

// The first lines of a text only, so that a search for the lines in view ends below them
// rather than at the end of the text.
class FirstLines : public SearchLines {
public:
    FirstLines(const SearchLines& lines, int count) : lines(lines), count(count) {}
    const Encoding& TextEncoding() const override { return lines.TextEncoding(); }
    int LineCount() const override { return count; }
    std::string_view LineText(LineIndex line) const override { return lines.LineText(line); }

private:
    const SearchLines& lines;
    int count;
};

// Calls visit for every match from `from` on, as Find Next finds them one after another, until
// it returns false.
template <typename Visit>
MatchCount ForEachMatch(const SearchLines& lines, const SearchRequest& request, BufferPosition from,
                        Visit visit) {
    MatchCount result;
    const Encoding& encoding = lines.TextEncoding();
    if (UsesPattern(request)) {
        const PatternMatcher matcher(request.findText, request.syntax, request.words,
                                     request.caseRule, encoding);
        result.valid = matcher.Valid() && !request.findText.empty();
        if (result.valid)
            result.status = matcher.ForEachMatch(
                lines, from, EmptyMatches::Skip,
                [&](const PatternMatch& match) { return visit(match.Range(), result); });
        return result;
    }
    const TextMatcher matcher(request.findText, request.caseRule, encoding);
    result.valid = !matcher.Empty();
    for (auto found = LocateText(lines, matcher, from); found;
         found = LocateText(lines, matcher, found->end))
        if (!visit(*found, result))
            break;
    return result;
}

} // namespace

MatchCount CountMatches(const SearchLines& lines, const SearchRequest& request,
                        const std::function<bool()>& stop) {
    return ForEachMatch(lines, request, {}, [&](const BufferRange&, MatchCount& count) {
        ++count.count;
        // Asking is cheap but not free: once per thousand matches is often enough.
        return count.count % 1024 != 0 || !stop || !stop();
    });
}

std::vector<BufferRange> MatchesOnLines(const SearchLines& lines, const SearchRequest& request,
                                        LineIndex first, LineIndex last) {
    // A match that starts on the last line may end a few lines below it.
    constexpr int Below = 8;
    const FirstLines shown(lines, std::min(lines.LineCount(), last.Value() + 1 + Below));
    std::vector<BufferRange> matches;
    ForEachMatch(shown, request, {first, ByteColumn(0)},
                 [&](const BufferRange& range, MatchCount&) {
                     if (range.begin.line > last)
                         return false;
                     matches.push_back(range);
                     return true;
                 });
    return matches;
}
