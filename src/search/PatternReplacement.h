#pragma once
// The replacement text of a pattern search: with a regular expression `$0`..`$9`, `${n}` and
// `${name}` stand for the match's groups, `$$` for a dollar, `\n` for a line break, `\t` for a
// tab and `\\` for a backslash; any other character is itself. Whole words without a regular
// expression take the text as it is.

#include "search/PatternMatcher.h"

#include <string>
#include <string_view>
#include <vector>

class PatternReplacement {
public:
    PatternReplacement(std::string_view text, PatternSyntax syntax, const PatternMatcher& matcher);

    // Empty when the text is good; else what is wrong with it.
    const std::string& Problem() const { return problem; }
    // The text for one match, its line breaks CR LF as the editor holds them.
    std::string Expand(const PatternMatch& match) const;
    // The same appended to text, with '\n' between lines as in the engine's lines.
    void AppendTo(const PatternMatch& match, std::string& text) const;

private:
    struct Piece {
        std::string text; // '\n' between lines
        int group = -1;   // a group's text instead of text
    };
    std::vector<Piece> pieces;
    std::string problem;
};
