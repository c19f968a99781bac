#pragma once
// Find Next, Replace and Replace All as the buttons of the Find and Replace dialogs run them on
// a document. The search is forward only and the Match case option the only one. This changes
// the document's text and selection; showing and closing the dialogs and the message is the
// caller's, as the outcome says.

#include "search/SearchDocument.h"
#include "search/TextMatcher.h"

#include <string>

enum class SearchDialogKind { Find, Replace };

enum class SearchOutcome {
    EmptyFindText, // nothing was searched: show the dialog
    Selected,      // a match is selected: the editor takes the focus
    NotFound,      // show NotFoundMessage; the selection is as it was
    DialogClosed,  // the Replace dialog closes without a word
};

inline constexpr const char* NotFoundMessage = "The search string is not found";

struct SearchRequest {
    std::string findText;
    std::string replaceText;
    CaseRule caseRule = CaseRule::IgnoreCase;
};

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
