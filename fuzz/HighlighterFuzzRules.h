#pragma once
// Where each highlighter may give an empty token, by class name; one line per language.

#include "FuzzHighlighter.h"
#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/SynHighlighterXML.h"

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

// XML: names may be empty where a tag holds something else; text and values are empty before
// an entity reference or closing quote that starts right there.
inline bool XmlEmptyTokenAllowed(const TSynCustomHighlighter& highlighter, std::string_view, int) {
    using K = TXmlTokenKind;
    switch (static_cast<K>(highlighter.TokenKind())) {
    case K::ElementName:
    case K::AttributeName:
    case K::NsAttributeName:
    case K::Text:
    case K::AposAttrValue:
    case K::QuoteAttrValue:
    case K::NsAposAttrValue:
    case K::NsQuoteAttrValue:
        return true;
    default:
        return false;
    }
}

inline bool NoEmptyToken(const TSynCustomHighlighter&, std::string_view, int) {
    return false;
}

inline EmptyTokenRule EmptyTokenRuleFor(std::string_view className) {
    if (className == "TSynHTMLSyn") {
        return HtmlEmptyTokenAllowed;
    }
    if (className == "TSynXMLSyn") {
        return XmlEmptyTokenAllowed;
    }
    return NoEmptyToken;
}
