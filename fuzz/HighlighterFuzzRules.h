#pragma once
// Where each highlighter may give an empty token, by class name; one line per language.

#include "FuzzHighlighter.h"
#include "codeedit/SynHighlighterHtml.h"

#include <string_view>

namespace detail {

inline bool CharAt(std::string_view line, int start, char c) {
    return static_cast<std::size_t>(start) < line.size() &&
           line[static_cast<std::size_t>(start)] == c;
}

} // namespace detail

// HTML: the undefined tag name before a character that cannot start one, and at an "&" (the
// text before an entity at the start of a text token, the entity token after "&" in a tag).
inline bool HtmlEmptyTokenAllowed(const TSynCustomHighlighter& highlighter, std::string_view line,
                                  int start) {
    return highlighter.TokenKind() == static_cast<int>(THtmlTokenKind::UndefinedTag) ||
           detail::CharAt(line, start, '&');
}

inline bool NoEmptyToken(const TSynCustomHighlighter&, std::string_view, int) {
    return false;
}

inline EmptyTokenRule EmptyTokenRuleFor(std::string_view className) {
    if (className == "TSynHTMLSyn") {
        return HtmlEmptyTokenAllowed;
    }
    return NoEmptyToken;
}
