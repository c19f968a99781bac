#include "textfuncs/LineList.h"

#include <gtest/gtest.h>

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
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeLineBreaks(c.text), c.normalized) << c.text;
}

} // namespace
