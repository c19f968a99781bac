#pragma once
// Matching through PCRE2: a regular expression, or a literal find text as whole words only. The
// document's lines are searched as one text with a line break between lines, read into a window
// of a few hundred kilobytes at a time (never the whole text), so that a match may span lines and
// `\n` or `\r\n` in the expression matches a line break. UTF-8 documents are matched by
// characters with Unicode properties, single-byte ones by bytes with the code page's letters and
// cases. It changes nothing and knows no dialogs.

#include "search/SearchDocument.h"
#include "search/TextMatcher.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

enum class PatternSyntax { Literal, RegularExpression };
enum class WordRule { AnyText, WholeWords };
// Whether a match of nothing counts: Find Next cannot select one, Replace All replaces them.
enum class EmptyMatches { Skip, Keep };
// How a search through the text ended: at its end or where the visit stopped it, or because
// the expression needed more steps than PCRE2's limits allow on this text.
enum class PatternStatus { Complete, TooComplex };

namespace detail {
class LinesWindow;
}

// A match and its groups, valid while it is visited.
class PatternMatch {
public:
    BufferRange Range() const;
    bool Empty() const { return offsets[0] == offsets[1]; }
    // The text of group n (0: the whole match), line breaks as '\n'; empty when the group took
    // no part in the match or does not exist.
    std::string_view Group(int n) const;
    // Appends the text from a position at or before the match to the match's start, line
    // breaks as '\n'.
    void AppendTextFrom(BufferPosition from, std::string& text) const;

private:
    friend class PatternMatcher;
    const detail::LinesWindow* window = nullptr;
    const std::size_t* offsets = nullptr;
    int groups = 0;
};

class PatternMatcher {
public:
    PatternMatcher(std::string_view findText, PatternSyntax syntax, WordRule words, CaseRule rule,
                   const Encoding& encoding);
    ~PatternMatcher();
    PatternMatcher(PatternMatcher&&) noexcept;

    // Empty when the expression compiled; else PCRE2's reason and where in the find text.
    const std::string& Problem() const { return problem; }
    bool Valid() const { return problem.empty(); }
    const Encoding& TextEncoding() const { return encoding; }
    // Capturing groups of the expression, and the number of a named one (nothing: no such name).
    int GroupCount() const;
    std::optional<int> GroupNumber(std::string_view name) const;

    using Visit = std::function<bool(const PatternMatch&)>;
    // Visits the matches that start at or after from, in order, none overlapping, until visit
    // returns false.
    PatternStatus ForEachMatch(const SearchLines& lines, BufferPosition from, EmptyMatches empties,
                               const Visit& visit) const;
    // Visits the match that starts exactly at range.begin, if it ends at range.end.
    PatternStatus MatchExactly(const SearchLines& lines, BufferRange range,
                               const Visit& visit) const;

    struct Found {
        std::optional<BufferRange> range;
        PatternStatus status = PatternStatus::Complete;
    };
    // The first match of something at or after from (the search of Find Next).
    Found FindFrom(const SearchLines& lines, BufferPosition from) const;

private:
    struct Compiled;
    enum class Anchoring { Anywhere, AtStart };
    PatternStatus Search(const SearchLines& lines, BufferPosition from, EmptyMatches empties,
                         Anchoring anchoring, const Visit& visit) const;

    const Encoding& encoding;
    std::string problem;
    std::unique_ptr<Compiled> compiled;
};

// The expression PCRE2 is given for a find text: a literal one escaped, whole words wrapped in
// word-boundary checks, and line breaks (`\r\n`, `\n`, a CR LF typed in) as the single '\n'
// that stands between lines in the searched text.
std::string PatternSource(std::string_view findText, PatternSyntax syntax, WordRule words);

// Whether a match of the expression could reach across a line break, or look at one: true
// unless the expression is made only of pieces that stay inside a line. Expressions that stay
// inside a line are searched window by window without PCRE2's partial matching.
bool MayCrossLines(std::string_view source);
