#pragma once
// The contract every highlighter keeps on any input, checked line by line: tokens cover the
// line exactly and in order, none is empty unless the language allows it there, the null
// token sits at the line end, and scanning the same line from the same range again gives the
// same tokens (no state hidden between lines). Each line is handed over as a heap copy of
// exactly its bytes, so AddressSanitizer reports any read past it. A broken contract aborts.

#include "codeedit/SynEditHighlighter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

// Whether an empty token of the highlighter's current kind may start at start in line.
using EmptyTokenRule = bool (*)(const TSynCustomHighlighter& highlighter, std::string_view line,
                                int start);

namespace detail {

[[noreturn]] inline void ContractBroken(const char* what, LineIndex line, int column) {
    std::fprintf(stderr, "highlighter contract broken: %s (line %d, column %d)\n", what,
                 line.Value(), column);
    std::abort();
}

struct FuzzToken {
    int start;
    int length;
    int kind;
    bool operator==(const FuzzToken&) const = default;
};

inline std::vector<FuzzToken> CheckedTokens(TSynCustomHighlighter& highlighter,
                                            std::string_view line, LineIndex index,
                                            EmptyTokenRule emptyAllowed) {
    std::vector<FuzzToken> tokens;
    const int length = static_cast<int>(line.size());
    highlighter.StartLine(line, index);
    int expected = 0;
    // An allowed empty token is always followed by a non-empty one, so a line has at most
    // 2 * length + 1 tokens; more means the scanner stopped advancing.
    const std::size_t limit = 2 * line.size() + 2;
    while (!highlighter.AtLineEnd()) {
        // Fuzzed lines are short: their positions fit an int.
        const int start = static_cast<int>(highlighter.TokenStart().Value());
        const int tokenLength = static_cast<int>(highlighter.TokenLength());
        if (start != expected) {
            ContractBroken("token does not start where the previous one ended", index, start);
        }
        if (tokenLength < 0 || start + tokenLength > length) {
            ContractBroken("token runs past the line end", index, start);
        }
        if (tokenLength == 0 && !emptyAllowed(highlighter, line, start)) {
            ContractBroken("empty token where none is allowed", index, start);
        }
        if (highlighter.TokenText() !=
            line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(tokenLength))) {
            ContractBroken("token text differs from the line", index, start);
        }
        tokens.push_back({start, tokenLength, highlighter.TokenKind()});
        if (tokens.size() > limit) {
            ContractBroken("scanner does not advance", index, start);
        }
        expected = start + tokenLength;
        highlighter.NextToken();
    }
    if (highlighter.TokenStart() != ByteColumn(line.size()) || expected != length) {
        ContractBroken("null token before the line end", index,
                       static_cast<int>(highlighter.TokenStart().Value()));
    }
    return tokens;
}

} // namespace detail

// Splits data at LF (CR and NUL stay inside lines, as text from the plain editor may hold
// them) and scans the lines in order, carrying the range as the editor does.
inline void FuzzHighlighter(TSynCustomHighlighter& highlighter, const std::uint8_t* data,
                            std::size_t size, EmptyTokenRule emptyAllowed) {
    highlighter.ClearRange();
    std::size_t begin = 0;
    LineIndex index(0);
    while (begin <= size) {
        std::size_t end = begin;
        while (end < size && data[end] != '\n') {
            ++end;
        }
        const std::size_t length = end - begin;
        auto copy = std::make_unique<char[]>(length == 0 ? 1 : length);
        std::copy(data + begin, data + end, copy.get());
        const std::string_view line(copy.get(), length);

        const TSynRange start = highlighter.CurrentRange();
        const auto tokens = detail::CheckedTokens(highlighter, line, index, emptyAllowed);
        const TSynRange after = highlighter.CurrentRange();
        highlighter.RestoreRange(start);
        if (detail::CheckedTokens(highlighter, line, index, emptyAllowed) != tokens ||
            highlighter.CurrentRange() != after) {
            detail::ContractBroken("same line and range scanned differently", index, 0);
        }
        begin = end + 1;
        ++index;
    }
}
