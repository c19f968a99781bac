#include "search/PatternReplacement.h"

#include <charconv>
#include <optional>
#include <string>
#include <utility>

namespace {

std::optional<int> ParseGroupNumber(std::string_view digits) {
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

// Every break, CR LF, CR or LF, as one '\n': made CR LF first, the CRs then dropped.
std::string WithLineFeeds(std::string_view text) {
    std::string result = WithEditorLineBreaks(text);
    std::erase(result, '\r');
    return result;
}

} // namespace

PatternReplacement::PatternReplacement(std::string_view text, PatternSyntax syntax,
                                       const PatternMatcher& matcher) {
    if (syntax == PatternSyntax::Literal) {
        pieces.push_back({WithLineFeeds(text)});
        return;
    }
    std::string literal;
    const auto addGroup = [&](int group) {
        if (!literal.empty())
            pieces.push_back({std::exchange(literal, {})});
        pieces.push_back({{}, group});
    };
    const auto refuse = [&](std::string_view reference, std::string_view why) {
        problem = "The replacement text refers to " + std::string(reference) + ", " +
                  std::string(why) + ".";
    };
    for (std::size_t i = 0; i < text.size() && problem.empty(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '\\' && (next == 'n' || next == 't' || next == '\\')) {
            literal += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
            ++i;
        } else if (c == '$' && next == '$') {
            literal += '$';
            ++i;
        } else if (c == '$' && next >= '0' && next <= '9') {
            const int group = next - '0';
            if (group > matcher.GroupCount())
                refuse(text.substr(i, 2), "a group the regular expression does not have");
            addGroup(group);
            ++i;
        } else if (c == '$' && next == '{') {
            const std::size_t close = text.find('}', i + 2);
            if (close == std::string_view::npos) {
                problem = "The replacement text has a \"${\" without its \"}\".";
                break;
            }
            const std::string_view name = text.substr(i + 2, close - i - 2);
            const std::optional<int> group =
                ParseGroupNumber(name) ? ParseGroupNumber(name) : matcher.GroupNumber(name);
            if (!group || *group > matcher.GroupCount())
                refuse(text.substr(i, close + 1 - i),
                       "a group the regular expression does not have");
            addGroup(group.value_or(0));
            i = close;
        } else {
            literal += c;
        }
    }
    if (!literal.empty())
        pieces.push_back({literal});
    for (Piece& piece : pieces)
        piece.text = WithLineFeeds(piece.text);
}

std::string PatternReplacement::Expand(const PatternMatch& match) const {
    std::string text;
    AppendTo(match, text);
    return WithEditorLineBreaks(text);
}

// A group's text comes from the searched lines, which have '\n' between them already.
void PatternReplacement::AppendTo(const PatternMatch& match, std::string& text) const {
    for (const Piece& piece : pieces)
        text.append(piece.group < 0 ? std::string_view(piece.text) : match.Group(piece.group));
}
