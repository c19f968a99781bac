// Token positions of a line longer than int can count: a scanner must report them whole.

#include "codeedit/SynHighlighterCpp.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Bytes the system can still give without swapping, from /proc/meminfo; 0 when unknown.
std::uint64_t AvailableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    std::string unit;
    while (meminfo >> key >> kilobytes >> unit) {
        if (key == "MemAvailable:")
            return kilobytes * 1024;
    }
    return 0;
}

struct Token {
    std::size_t start, length;
    bool operator==(const Token&) const = default;
};

std::vector<Token> Tokens(TSynCustomHighlighter& highlighter, std::string_view line) {
    std::vector<Token> tokens;
    highlighter.ClearRange();
    highlighter.StartLine(line, LineIndex(0));
    while (!highlighter.AtLineEnd()) {
        tokens.push_back({highlighter.TokenStart().Value(), highlighter.TokenLength()});
        highlighter.NextToken();
    }
    return tokens;
}

TEST(HighlighterLongLine, TokensPastTwoGibibytesKeepTheirPositions) {
    constexpr std::size_t word = (std::size_t{1} << 31) + 5;
    if (AvailableMemory() < word + (std::size_t{1} << 30))
        GTEST_SKIP() << "needs 3 GiB of free memory for a line of 2 GiB; this machine has "
                     << AvailableMemory() / (1 << 20) << " MB";
    // One identifier longer than INT_MAX, a blank, then a short word starting past INT_MAX.
    std::string line;
    line.reserve(word + 2);
    line.append(word, 'a');
    line += " b";
    // Positions live in the scanning base every language shares; one language stands for all.
    TSynCppSyn cpp;
    EXPECT_EQ(Tokens(cpp, line), (std::vector<Token>{{0, word}, {word, 1}, {word + 1, 1}}));
}

} // namespace
