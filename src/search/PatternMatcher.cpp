#include "search/PatternMatcher.h"

#include "search/detail/LinesWindow.h"
#include "search/detail/PatternTables.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <cctype>
#include <cstdio>
#include <new>
#include <pcre2.h>

namespace {

// A window this size stays in the processor's cache while PCRE2 reads it.
constexpr std::size_t WindowBytes = std::size_t{256} << 10;
// PCRE2's own default: a pattern that needs more steps than this on one window gives up
// within a fraction of a second rather than freeze the window.
constexpr std::uint32_t MatchLimit = 10'000'000;
constexpr std::size_t JitStackStart = std::size_t{32} << 10;
constexpr std::size_t JitStackMost = std::size_t{8} << 20;

// Asserts that a word does not go on across this place: the characters on both sides of it are
// not both word characters.
constexpr std::string_view WordEdge = "(?:(?<!\\w)|(?!\\w))";

std::string EscapedLiteral(std::string_view text) {
    std::string pattern;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' || byte == '\n') {
            pattern += "\\n";
            if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[12];
            std::snprintf(escaped, sizeof escaped, "\\x{%x}", byte);
            pattern += escaped;
        } else {
            if (byte < 0x80 && std::isalnum(byte) == 0)
                pattern += '\\';
            pattern += static_cast<char>(byte);
        }
    }
    return pattern;
}

// `\r\n` and typed CR LF, CR or LF become the '\n' that separates lines in a window.
std::string BreaksAsLineFeeds(std::string_view pattern) {
    std::string result;
    bool quoted = false; // inside \Q...\E
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '\\' && i + 1 < pattern.size()) {
            if (quoted) {
                quoted = next != 'E';
            } else if (next == 'Q') {
                quoted = true;
            } else if (next == 'r' && pattern.substr(i + 2, 2) == "\\n") {
                result += "\\n";
                i += 3;
                continue;
            } else if (next == 'r' && pattern.substr(i + 2, 1) == "\n") {
                result += "\\n";
                i += 2;
                continue;
            }
            if (!quoted || next == 'E' || next == 'Q') {
                result += c;
                result += next;
                ++i;
                continue;
            }
        }
        if (c == '\r') {
            result += '\n';
            if (next == '\n')
                ++i;
            continue;
        }
        result += c;
    }
    return result;
}

std::string ErrorText(int error) {
    PCRE2_UCHAR buffer[256];
    if (pcre2_get_error_message(error, buffer, sizeof buffer) < 0)
        return "error " + std::to_string(error);
    return reinterpret_cast<const char*>(buffer);
}

} // namespace

std::string PatternSource(std::string_view findText, PatternSyntax syntax, WordRule words) {
    const std::string body = syntax == PatternSyntax::RegularExpression
                                 ? BreaksAsLineFeeds(findText)
                                 : EscapedLiteral(findText);
    if (words == WordRule::AnyText)
        return body;
    return std::string(WordEdge) + "(?:" + body + ")" + std::string(WordEdge);
}

bool MayCrossLines(std::string_view source) {
    // Escapes that never match or look at a line break: words, digits, word edges, a tab.
    constexpr std::string_view insideLine = "wdbBt";
    for (std::size_t i = 0; i < source.size(); ++i) {
        const auto c = static_cast<unsigned char>(source[i]);
        const auto next = static_cast<unsigned char>(i + 1 < source.size() ? source[i + 1] : '\0');
        if (c == '\\') {
            if (next == '\0' || (next < 0x80 && std::isalnum(next) != 0 &&
                                 insideLine.find(static_cast<char>(next)) == std::string::npos))
                return true;
            ++i;
        } else if ((c == '[' && (next == '^' || next == ':')) || (c == '(' && next == '*')) {
            // A negated class, a POSIX class, a verb such as (*CRLF).
            return true;
        } else if (c == '(' && next == '?') {
            // Inline options: only dot-all lets a dot match a line break.
            for (std::size_t j = i + 2; j < source.size(); ++j) {
                const char option = source[j];
                if (option == 's')
                    return true;
                if (std::isalpha(static_cast<unsigned char>(option)) == 0 && option != '-' &&
                    option != '^')
                    break;
            }
        } else if (c < 0x20 && c != '\t') {
            return true;
        }
    }
    return false;
}

struct PatternMatcher::Compiled {
    pcre2_code* code = nullptr;
    pcre2_match_data* data = nullptr;
    pcre2_match_context* context = nullptr;
    pcre2_jit_stack* stack = nullptr;
    bool crossesLines = true;
    std::uint32_t lookbehind = 0;
    std::uint32_t groups = 0;

    ~Compiled() {
        pcre2_jit_stack_free(stack);
        pcre2_match_context_free(context);
        pcre2_match_data_free(data);
        pcre2_code_free(code);
    }
};

std::string_view PatternMatch::Group(int n) const {
    if (n < 0 || n >= groups)
        return {};
    const std::size_t begin = offsets[2 * n], end = offsets[2 * n + 1];
    if (begin == PCRE2_UNSET || end < begin)
        return {};
    return window->Bytes().substr(begin, end - begin);
}

void PatternMatch::AppendTextFrom(BufferPosition from, std::string& text) const {
    window->AppendText(from, offsets[0], text);
}

BufferRange PatternMatch::Range() const {
    return {window->PositionOf(offsets[0]), window->PositionOf(offsets[1])};
}

PatternMatcher::PatternMatcher(std::string_view findText, PatternSyntax syntax, WordRule words,
                               CaseRule rule, const Encoding& encoding)
    : encoding(encoding) {
    std::uint32_t options = PCRE2_MULTILINE | (rule == CaseRule::IgnoreCase ? PCRE2_CASELESS : 0);
    if (encoding.IsUtf8())
        options |= PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF;
    pcre2_compile_context* compileContext = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(compileContext, PCRE2_NEWLINE_LF);
    if (!encoding.IsUtf8())
        pcre2_set_character_tables(compileContext, detail::PatternTablesFor(encoding).data());
    const auto compile = [&](std::string_view source, int& error, std::size_t& offset) {
        return pcre2_compile(reinterpret_cast<PCRE2_SPTR>(source.data()), source.size(), options,
                             &error, &offset, compileContext);
    };
    const std::string source = PatternSource(findText, syntax, words);
    int error = 0;
    std::size_t offset = 0;
    pcre2_code* code = compile(source, error, offset);
    if (code == nullptr) {
        // The position the user sees is in the text typed, before any rewriting.
        std::string_view shown = source;
        if (syntax == PatternSyntax::RegularExpression) {
            int ownError = 0;
            std::size_t ownOffset = 0;
            if (pcre2_code* own = compile(findText, ownError, ownOffset)) {
                pcre2_code_free(own);
            } else {
                error = ownError;
                offset = ownOffset;
                shown = findText;
            }
        }
        const std::size_t position = encoding.CharCount(shown.substr(0, offset));
        problem = "The regular expression is not valid at position " + std::to_string(position) +
                  ": " + ErrorText(error) + ".";
        pcre2_compile_context_free(compileContext);
        return;
    }
    pcre2_compile_context_free(compileContext);
    compiled = std::make_unique<Compiled>();
    compiled->code = code;
    // Without JIT (a platform PCRE2 lacks it for) the interpreter matches, only slower.
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE | PCRE2_JIT_PARTIAL_HARD);
    compiled->data = pcre2_match_data_create_from_pattern(code, nullptr);
    compiled->context = pcre2_match_context_create(nullptr);
    compiled->stack = pcre2_jit_stack_create(JitStackStart, JitStackMost, nullptr);
    if (compiled->data == nullptr || compiled->context == nullptr || compiled->stack == nullptr)
        throw std::bad_alloc();
    pcre2_jit_stack_assign(compiled->context, nullptr, compiled->stack);
    pcre2_set_match_limit(compiled->context, MatchLimit);
    pcre2_pattern_info(code, PCRE2_INFO_MAXLOOKBEHIND, &compiled->lookbehind);
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &compiled->groups);
    compiled->crossesLines = MayCrossLines(source);
}

PatternMatcher::~PatternMatcher() = default;
PatternMatcher::PatternMatcher(PatternMatcher&&) noexcept = default;

int PatternMatcher::GroupCount() const {
    return compiled ? static_cast<int>(compiled->groups) : 0;
}

std::optional<int> PatternMatcher::GroupNumber(std::string_view name) const {
    if (!compiled)
        return std::nullopt;
    const std::string terminated(name);
    const int number = pcre2_substring_number_from_name(
        compiled->code, reinterpret_cast<PCRE2_SPTR>(terminated.c_str()));
    if (number < 0)
        return std::nullopt;
    return number;
}

PatternStatus PatternMatcher::ForEachMatch(const SearchLines& lines, BufferPosition from,
                                           EmptyMatches empties, const Visit& visit) const {
    return Search(lines, from, empties, Anchoring::Anywhere, visit);
}

PatternStatus PatternMatcher::MatchExactly(const SearchLines& lines, BufferRange range,
                                           const Visit& visit) const {
    return Search(lines, range.begin, EmptyMatches::Skip, Anchoring::AtStart,
                  [&](const PatternMatch& match) {
                      if (match.Range().end == range.end)
                          visit(match);
                      return false;
                  });
}

PatternMatcher::Found PatternMatcher::FindFrom(const SearchLines& lines,
                                               BufferPosition from) const {
    Found found;
    found.status = ForEachMatch(lines, from, EmptyMatches::Skip, [&](const PatternMatch& match) {
        found.range = match.Range();
        return false;
    });
    return found;
}

PatternStatus PatternMatcher::Search(const SearchLines& lines, BufferPosition from,
                                     EmptyMatches empties, Anchoring anchoring,
                                     const Visit& visit) const {
    if (!compiled)
        return PatternStatus::Complete;
    const Compiled& pattern = *compiled;
    // Lookbehind reaches back across lines only in an expression that may cross them; there
    // the window also starts before the search, so that \A can match at the text's start only.
    const std::size_t behind = pattern.crossesLines ? pattern.lookbehind * 4 + 1 : 0;
    const auto windowStart = [&](BufferPosition at) {
        LineIndex line = at.line;
        std::size_t before = at.column.Value();
        while (line.Value() > 0 && before < behind) {
            line = line - 1;
            before += lines.LineText(line).size() + 1;
        }
        return line;
    };
    const std::uint32_t skipEmpty = empties == EmptyMatches::Skip ? PCRE2_NOTEMPTY : 0;
    const std::uint32_t anchored = anchoring == Anchoring::AtStart ? PCRE2_ANCHORED : 0;
    detail::LinesWindow window(lines);
    BufferPosition at = from;
    std::size_t wanted = WindowBytes;
    std::uint32_t afterEmpty = 0;
    while (true) {
        window.Fill(windowStart(at), at.line, wanted);
        const std::string_view subject = window.Bytes();
        // An expression that may cross lines must not be cut at the window's end: PCRE2 says
        // when a match could go on past it, and the window grows.
        const std::uint32_t partial =
            pattern.crossesLines && !window.ReachesEnd() ? PCRE2_PARTIAL_HARD : 0;
        std::size_t offset = window.OffsetOf(at);
        while (true) {
            const int result = pcre2_match(
                pattern.code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), offset,
                skipEmpty | anchored | partial | afterEmpty, pattern.data, pattern.context);
            if (result == PCRE2_ERROR_PARTIAL) {
                wanted = subject.size() * 2;
                at = window.PositionOf(offset);
                break;
            }
            if (result == PCRE2_ERROR_NOMATCH) {
                if (window.ReachesEnd() || anchored != 0)
                    return PatternStatus::Complete;
                at = {window.EndLine(), ByteColumn(0)};
                wanted = WindowBytes;
                afterEmpty = 0;
                break;
            }
            if (result < 0)
                return PatternStatus::TooComplex;
            PatternMatch match;
            match.window = &window;
            match.offsets = pcre2_get_ovector_pointer(pattern.data);
            match.groups = result;
            if (!visit(match) || anchored != 0)
                return PatternStatus::Complete;
            // After a match of nothing the next one must not be empty at the same place.
            afterEmpty = match.Empty() ? PCRE2_NOTEMPTY_ATSTART : 0;
            offset = match.offsets[1];
            if (offset >= subject.size() && !window.ReachesEnd()) {
                at = window.PositionOf(offset);
                wanted = WindowBytes;
                break;
            }
        }
    }
}
