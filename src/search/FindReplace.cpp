#include "search/FindReplace.h"

#include "search/detail/SearchSteps.h"

namespace detail {

SearchOutcome SearchAfterSelection(SearchDocument& document, const Locate& locate,
                                   SearchDialogKind dialog) {
    const BufferRange selection = document.Selection();
    const BufferPosition start = selection.Empty() ? BufferPosition{} : selection.end;
    if (const auto found = locate(start)) {
        document.Select(*found);
        return SearchOutcome::Selected;
    }
    if (selection.Empty())
        return SearchOutcome::NotFound;
    if (dialog == SearchDialogKind::Replace)
        return SearchOutcome::DialogClosed;
    if (const auto found = locate({})) {
        document.Select(*found);
        return SearchOutcome::Selected;
    }
    return SearchOutcome::NotFound;
}

} // namespace detail

namespace {

SearchOutcome SearchAfterSelection(SearchDocument& document, const TextMatcher& matcher,
                                   SearchDialogKind dialog) {
    return detail::SearchAfterSelection(
        document, [&](BufferPosition start) { return LocateText(document, matcher, start); },
        dialog);
}

} // namespace

bool SelectionIsFindText(const SearchDocument& document, const std::string& findText) {
    const TextMatcher matcher(findText, CaseRule::IgnoreCase, document.TextEncoding());
    const BufferRange selection = document.Selection();
    return matcher.MatchEndAt(document, selection.begin) == selection.end;
}

SearchOutcome FindNextMatch(SearchDocument& document, const SearchRequest& request,
                            SearchDialogKind dialog) {
    if (UsesPattern(request))
        return detail::FindNextPatternMatch(document, request, dialog);
    const TextMatcher matcher(request.findText, request.caseRule, document.TextEncoding());
    if (matcher.Empty())
        return SearchOutcome::EmptyFindText;
    return SearchAfterSelection(document, matcher, dialog);
}

SearchOutcome ReplaceAndFindNext(SearchDocument& document, const SearchRequest& request) {
    if (UsesPattern(request))
        return detail::ReplacePatternAndFindNext(document, request);
    const TextMatcher matcher(request.findText, request.caseRule, document.TextEncoding());
    if (matcher.Empty())
        return SearchOutcome::EmptyFindText;
    if (!document.ReadOnly() && SelectionIsFindText(document, request.findText)) {
        const BufferRange selection = document.Selection();
        const std::string replacement = WithEditorLineBreaks(request.replaceText);
        document.Replace(selection, replacement);
        document.Select({selection.begin, EndOfText(selection.begin, replacement)});
    }
    return SearchAfterSelection(document, matcher, SearchDialogKind::Replace);
}
