#include "output/ReplaceAllText.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplaceAllText, ReplacesLeftToRightWithoutRescanningInsertedText) {
    const struct {
        std::string text, old, replacement, expected;
    } cases[] = {
        {"a b  c", " ", "&nbsp;", "a&nbsp;b&nbsp;&nbsp;c"},
        {"aaa", "a", "aa", "aaaaaa"}, // inserted text holds old: no endless loop
        {"aaaa", "aa", "b", "bb"},    // matches do not overlap
        {"aaa", "aa", "b", "ba"},     // left to right: the first pair wins
        {"AbAB", "ab", "x", "AbAB"},  // case counts
        {"x\r\ny\r", "\r\n", "<br>\r\n", "x<br>\r\ny\r"},
        {"", "a", "b", ""},
        {"abc", "abcd", "x", "abc"}, // old longer than the text
        {"abc", "", "x", "abc"},     // nothing to look for
        {"abc", "b", "", "ac"},
        {std::string("a\0b\0", 4), std::string("\0", 1), "0", "a0b0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceAllText(c.text, c.old, c.replacement), c.expected)
            << "\"" << c.text << "\" " << c.old << " -> " << c.replacement;
    }
}

} // namespace
