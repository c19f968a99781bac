// Find Next, Replace and Replace All with a regular expression or whole words.

#include "search/FindReplace.h"
#include "search/PatternReplacement.h"
#include "search/detail/SearchSteps.h"

#include <optional>
#include <utility>

namespace {

PatternMatcher MatcherFor(const SearchRequest& request, const Encoding& encoding) {
    return PatternMatcher(request.findText, request.syntax, request.words, request.caseRule,
                          encoding);
}

// Find Next with the matcher; TooComplex when PCRE2 gave up, the selection then as it was.
SearchOutcome SearchOn(SearchDocument& document, const PatternMatcher& matcher,
                       SearchDialogKind dialog) {
    bool tooComplex = false;
    const SearchOutcome outcome = detail::SearchAfterSelection(
        document,
        [&](BufferPosition start) -> std::optional<BufferRange> {
            if (tooComplex)
                return std::nullopt;
            const PatternMatcher::Found found = matcher.FindFrom(document, start);
            tooComplex = found.status == PatternStatus::TooComplex;
            return found.range;
        },
        dialog);
    return tooComplex ? SearchOutcome::TooComplex : outcome;
}

// The bytes from a position to the text's end, '\n' between lines: about what Replace All's
// span of new text takes.
std::size_t LengthFrom(const SearchLines& lines, BufferPosition from) {
    std::size_t length = 0;
    for (LineIndex line = from.line; line.Value() < lines.LineCount(); ++line)
        length += lines.LineText(line).size() + 1;
    return length - 1 - from.column.Value();
}

// The replacement for the selection when the selection is a match.
struct SelectionMatch {
    std::optional<std::string> replacement;
    PatternStatus status = PatternStatus::Complete;
};

SelectionMatch MatchSelection(const SearchDocument& document, const PatternMatcher& matcher,
                              const PatternReplacement& replacement) {
    SelectionMatch result;
    result.status =
        matcher.MatchExactly(document, document.Selection(), [&](const PatternMatch& m) {
            result.replacement = replacement.Expand(m);
            return false;
        });
    return result;
}

// The matcher and the replacement of a Replace request, when both are good.
struct ReplaceRule {
    PatternMatcher matcher;
    PatternReplacement replacement;
};

std::optional<ReplaceRule> ReplaceRuleFor(const SearchRequest& request, const Encoding& encoding) {
    PatternMatcher matcher = MatcherFor(request, encoding);
    PatternReplacement replacement(request.replaceText, request.syntax, matcher);
    if (!matcher.Valid() || !replacement.Problem().empty())
        return std::nullopt;
    return ReplaceRule{std::move(matcher), std::move(replacement)};
}

} // namespace

std::string FindTextProblem(const SearchRequest& request, const Encoding& encoding) {
    if (!UsesPattern(request))
        return {};
    return MatcherFor(request, encoding).Problem();
}

std::string ReplaceTextProblem(const SearchRequest& request, const Encoding& encoding) {
    if (!UsesPattern(request))
        return {};
    const PatternMatcher matcher = MatcherFor(request, encoding);
    if (!matcher.Valid())
        return matcher.Problem();
    return PatternReplacement(request.replaceText, request.syntax, matcher).Problem();
}

namespace detail {

SearchOutcome FindNextPatternMatch(SearchDocument& document, const SearchRequest& request,
                                   SearchDialogKind dialog) {
    if (request.findText.empty())
        return SearchOutcome::EmptyFindText;
    const PatternMatcher matcher = MatcherFor(request, document.TextEncoding());
    if (!matcher.Valid())
        return SearchOutcome::BadPattern;
    return SearchOn(document, matcher, dialog);
}

SearchOutcome ReplacePatternAndFindNext(SearchDocument& document, const SearchRequest& request) {
    if (request.findText.empty())
        return SearchOutcome::EmptyFindText;
    const std::optional<ReplaceRule> rule = ReplaceRuleFor(request, document.TextEncoding());
    if (!rule)
        return SearchOutcome::BadPattern;
    const PatternMatcher& matcher = rule->matcher;
    if (!document.ReadOnly()) {
        const SelectionMatch selected = MatchSelection(document, matcher, rule->replacement);
        if (selected.status == PatternStatus::TooComplex)
            return SearchOutcome::TooComplex;
        if (selected.replacement) {
            const BufferRange selection = document.Selection();
            document.Replace(selection, *selected.replacement);
            document.Select({selection.begin, EndOfText(selection.begin, *selected.replacement)});
        }
    }
    return SearchOn(document, matcher, SearchDialogKind::Replace);
}

SearchOutcome ReplaceAllPatternMatches(SearchDocument& document, const SearchRequest& request) {
    if (document.ReadOnly())
        return FindNextPatternMatch(document, request, SearchDialogKind::Replace);
    if (request.findText.empty())
        return SearchOutcome::EmptyFindText;
    const std::optional<ReplaceRule> rule = ReplaceRuleFor(request, document.TextEncoding());
    if (!rule)
        return SearchOutcome::BadPattern;
    const PatternMatcher& matcher = rule->matcher;
    const PatternReplacement& replacement = rule->replacement;
    const BufferRange selection = document.Selection();
    const SelectionMatch selected = MatchSelection(document, matcher, replacement);
    if (selected.status == PatternStatus::TooComplex)
        return SearchOutcome::TooComplex;
    const BufferPosition start = selected.replacement ? selection.begin
                                 : selection.Empty()  ? BufferPosition{}
                                                      : selection.end;
    SpanReplacement replacements;
    replacements.Reserve(LengthFrom(document, start));
    const PatternStatus status =
        matcher.ForEachMatch(document, start, EmptyMatches::Keep, [&](const PatternMatch& match) {
            replacements.Add(
                match.Range(),
                [&](BufferPosition from, std::string& text) { match.AppendTextFrom(from, text); },
                [&](std::string& text) { replacement.AppendTo(match, text); });
            return true;
        });
    if (status == PatternStatus::TooComplex)
        return SearchOutcome::TooComplex;
    if (replacements.Empty())
        return selection.Empty() ? SearchOutcome::NotFound : SearchOutcome::DialogClosed;
    const BufferRange last = replacements.LastReplaced();
    document.ReplaceEach(std::move(replacements));
    document.Select(last);
    return SearchOutcome::DialogClosed;
}

} // namespace detail
