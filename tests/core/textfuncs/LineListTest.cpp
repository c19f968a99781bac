#include "textfuncs/LineList.h"

#include <cstddef>
#include <cstdint>
#include <gtest/gtest.h>
#include <string_view>

namespace {

using namespace std::string_literals;

TEST(LineList, SplitReadsTheTextsRealLines) {
    struct Case {
        std::string text;
        LineList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\r\n", {"a"}},
        {"b\r\na", {"b", "a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\nb\rc\r\n", {"a", "b", "c"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"x\0y\r\n"s, {"x\0y"s}},
        // A lone CR far before the next LF, and a CR-only text.
        {"a\rbb\rccc\nd", {"a", "bb", "ccc", "d"}},
        {"\r\r\r", {"", "", ""}},
        {"\n\r\n\r", {"", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(LineList, JoinEndsEveryLineWithCrLf) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(LineList, NormalizeMakesEveryBreakCrLf) {
    struct Case {
        std::string text;
        std::string normalized;
    };
    const Case cases[] = {
        {"", ""},
        {"a\r\nb", "a\r\nb"},
        {"a\nb\r", "a\r\nb\r\n"},
        {"\n\r", "\r\n\r\n"},
        {"\r\r\n", "\r\n\r\n"},
        {"\r", "\r\n"},
        {"\n", "\r\n"},
        {"a\r\nb\nc\r\n", "a\r\nb\r\nc\r\n"},
        {"x\0\r\n\0"s, "x\0\r\n\0"s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeLineBreaks(c.text), c.normalized) << c.text;
}

// Lines are equal by their bytes, however a list came to hold them: split from a text, added
// one by one, reordered, dropped, narrowed or changed in place.
TEST(LineList, ListsCompareByTheirLines) {
    const LineList split = SplitLines("one\r\ntwo\nthree\r");
    EXPECT_EQ(split, (LineList{"one", "two", "three"}));
    EXPECT_NE(split, (LineList{"one", "two"}));
    EXPECT_NE(split, (LineList{"one", "two", "thre"}));

    LineList lines = split;
    lines.push_back(" four ");
    lines.Select({3, 0, 2});
    EXPECT_EQ(lines, (LineList{" four ", "one", "three"}));
    lines.Narrow(0, 1, 4);
    lines.Reverse();
    EXPECT_EQ(lines, (LineList{"three", "one", "four"}));
    lines.Bytes(1)[0] = 'O';
    EXPECT_EQ(lines, (LineList{"three", "One", "four"}));
    EXPECT_EQ(split, (LineList{"one", "two", "three"})) << "a copy has bytes of its own";
    EXPECT_EQ(JoinLines(lines), "three\r\nOne\r\nfour\r\n");
}

// Every break made CR LF, the slow way: a CR directly before an LF is part of that break.
std::string CrLfBreaks(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\r' || text[i] == '\n')
            result += "\r\n";
        else
            result += text[i];
    }
    return result;
}

// Split and join are the editor's way through every line function; any mix of breaks comes
// back normalised, with a break after the last line.
TEST(LineList, AnyMixOfBreaksSplitsJoinsAndNormalises) {
    const char* const pieces[] = {"a", "bc", "\r", "\n", "\r\n", "\r\r", "\n\n", " "};
    std::uint32_t seed = 7;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = 0; i < round % 40; ++i) {
            seed = seed * 1103515245 + 12345;
            text += pieces[(seed >> 16) % 8];
        }
        const std::string normalised = CrLfBreaks(text);
        ASSERT_EQ(NormalizeLineBreaks(text), normalised) << testing::PrintToString(text);
        const bool endsWithBreak = normalised.empty() || normalised.ends_with("\r\n");
        ASSERT_EQ(JoinLines(SplitLines(text)), normalised + (endsWithBreak ? "" : "\r\n"))
            << testing::PrintToString(text);
    }
}

} // namespace
