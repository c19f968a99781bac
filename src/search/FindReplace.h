#pragma once
// Find Next, Replace and Replace All as the buttons of the Find and Replace dialogs run them on
// a document. The search is forward only; the find text is literal, matched with or without
// case, unless the request asks for a regular expression or whole words (PatternMatcher). This
// changes the document's text and selection; showing and closing the dialogs and the message is the
// caller's, as the outcome says.

#include "search/PatternMatcher.h"
#include "search/SearchDocument.h"
#include "search/TextMatcher.h"

#include <string>

enum class SearchDialogKind { Find, Replace };

enum class SearchOutcome {
    EmptyFindText, // nothing was searched: show the dialog
    Selected,      // a match is selected: the editor takes the focus
    NotFound,      // show NotFoundMessage; the selection is as it was
    DialogClosed,  // the Replace dialog closes without a word
    BadPattern,    // nothing happened: show FindTextProblem or ReplaceTextProblem
    TooComplex,    // the search stopped: show TooComplexMessage; nothing changed
};

inline constexpr const char* NotFoundMessage = "The search string is not found";
inline constexpr const char* TooComplexMessage =
    "The regular expression needs too many steps on this text: the search has stopped.";

struct SearchRequest {
    std::string findText;
    std::string replaceText;
    CaseRule caseRule = CaseRule::IgnoreCase;
    PatternSyntax syntax = PatternSyntax::Literal;
    WordRule words = WordRule::AnyText;
};

// Whether the request goes through PatternMatcher rather than the literal search.
inline bool UsesPattern(const SearchRequest& request) {
    return request.syntax == PatternSyntax::RegularExpression ||
           request.words == WordRule::WholeWords;
}

// What is wrong with the find text as an expression (empty: nothing); ReplaceTextProblem adds
// what is wrong with the replacement text.
std::string FindTextProblem(const SearchRequest& request, const Encoding& encoding);
std::string ReplaceTextProblem(const SearchRequest& request, const Encoding& encoding);

// Find Next of a dialog (the Find dialog's serves F3 too): searches from the end of the
// selection, or from the start of the text when nothing is selected. Nothing after the
// selection: the Find dialog searches once more from the start, the Replace dialog closes.
SearchOutcome FindNextMatch(SearchDocument& document, const SearchRequest& request,
                            SearchDialogKind dialog);

// The Replace button: replaces the selection when it is the find text in any letter case
// (whatever Match case says) and selects the replacement, then Find Next of the Replace dialog.
SearchOutcome ReplaceAndFindNext(SearchDocument& document, const SearchRequest& request);

// Replace All: exactly the text, selection and outcome of pressing Replace until it reports
// anything but Selected, made in one pass over the text and one undoable edit.
SearchOutcome ReplaceAllMatches(SearchDocument& document, const SearchRequest& request);

// The selection is the find text, compared in lower case.
bool SelectionIsFindText(const SearchDocument& document, const std::string& findText);

// With a regular expression or whole words: Find Next and Replace select matches of something
// only (a match of nothing cannot be selected), and the selection is replaced when it is a
// match itself, with the dialog's Match case. Replace All replaces every match from the
// selection's start when the selection is a match, else after it, matches of nothing too, in
// one edit, selects the last replacement and closes the dialog.
namespace detail {
SearchOutcome FindNextPatternMatch(SearchDocument& document, const SearchRequest& request,
                                   SearchDialogKind dialog);
SearchOutcome ReplacePatternAndFindNext(SearchDocument& document, const SearchRequest& request);
SearchOutcome ReplaceAllPatternMatches(SearchDocument& document, const SearchRequest& request);
} // namespace detail
