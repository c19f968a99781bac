#include "search/TextMatcher.h"

#include "SearchTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr CaseRule Exact = CaseRule::MatchCase;
constexpr CaseRule AnyCase = CaseRule::IgnoreCase;

// The match of find in the marked text searched from the selection's start, as "[...]" marks.
std::string Located(const Encoding& encoding, std::string_view marked, std::string_view find,
                    CaseRule rule) {
    TSynEditEngine engine(encoding);
    LoadMarked(engine, marked);
    EngineSearchDocument document(engine);
    const TextMatcher matcher(find, rule, encoding);
    const auto found = LocateText(document, matcher, engine.SelectionRange().begin);
    if (!found)
        return "none";
    engine.SetSelection(found->begin, found->end);
    return Marked(engine);
}

TEST(LocateText, FindsTheFirstMatchAtOrAfterTheStart) {
    const struct {
        const Encoding& encoding;
        std::string text; // the search starts at the '[' (or the caret)
        std::string find;
        CaseRule rule;
        std::string expected;
    } cases[] = {
        {Utf8(), "abcabc", "bc", Exact, "a[bc]abc"},
        {Utf8(), "a[]bcabc", "bc", Exact, "a[bc]abc"},
        {Utf8(), "ab[]cabc", "bc", Exact, "abca[bc]"},
        {Utf8(), "[a]bc", "abc", Exact, "[abc]"},
        {Utf8(), "abc", "abcd", Exact, "none"},
        {Utf8(), "Cat cat", "cat", Exact, "Cat [cat]"},
        {Utf8(), "Cat cat", "cAT", AnyCase, "[Cat] cat"},
        {Utf8(), "one\ntwo two", "two", Exact, "one\n[two] two"},
        // Breaks in the find text match the line breaks of the text.
        {Utf8(), "ab\ncd\nab\nce", "b\r\nc", Exact, "a[b\nc]d\nab\nce"},
        {Utf8(), "ab\ncd\nab\nce", "B\nC", AnyCase, "a[b\nc]d\nab\nce"},
        {Utf8(), "ab\ncd\nab\nce[]", "b\r\nc", Exact, "none"},
        {Utf8(), "x\nab\ncd\nef", "b\r\ncd\r\ne", Exact, "x\na[b\ncd\ne]f"},
        {Utf8(), "x\nab\ncdd\nef", "b\r\ncd\r\ne", Exact, "none"},
        {Utf8(), "a\n\nb", "\r\n\r\n", Exact, "a[\n\n]b"},
        // Cyrillic in Windows-1251 and in UTF-8, either case.
        {Windows1251(), "\xe4\xee\xec \xc4\xce\xcc", "\xc4\xce\xcc", AnyCase,
         "[\xe4\xee\xec] \xc4\xce\xcc"},
        {Windows1251(), "\xe4\xee\xec \xc4\xce\xcc", "\xc4\xce\xcc", Exact,
         "\xe4\xee\xec [\xc4\xce\xcc]"},
        {Windows1251(), "\xe4\xee\xec", "\xc4\xce\xcc", Exact, "none"},
        {Utf8(), "x \xd0\xb4\xd0\xbe\xd0\xbc", "\xd0\x94\xd0\x9e\xd0\x9c", AnyCase,
         "x [\xd0\xb4\xd0\xbe\xd0\xbc]"},
        {Utf8(), "\xd0\xb4\xd0\xbe\xd0\xbc", "\xd0\x94\xd0\x9e\xd0\x9c", Exact, "none"},
        // Lower case of a character of another length in UTF-8: KELVIN SIGN is k.
        {Utf8(), "x\xe2\x84\xaay", "KY", AnyCase, "x[\xe2\x84\xaay]"},
        {Utf8(), "xky", "\xe2\x84\xaaY", AnyCase, "x[ky]"},
        // The search jumps to a rare letter of the find text; matches begin before it.
        {Utf8(), "e[]az eaz", "EAZ", AnyCase, "eaz [eaz]"},
        {Windows1251(), "e[]az eaz", "eaz", Exact, "eaz [eaz]"},
        {Utf8(), "x\xe2\x84\xaaz \xc3\xa9\xe2\x84\xaaz", "\xc3\x89kZ", AnyCase,
         "x\xe2\x84\xaaz [\xc3\xa9\xe2\x84\xaaz]"},
        {Utf8(), "qqqqqqqqqqqqqqqqqqz qqqqqqqqqqqqqqqqqqqz", "qqqqqqqqqqqqqqqqqqqz", AnyCase,
         "qqqqqqqqqqqqqqqqqqz [qqqqqqqqqqqqqqqqqqqz]"},
        // A byte that is part of a character is no match for that byte alone.
        {Utf8(), "\xc4\x80 \x80", "\x80", Exact, "\xc4\x80 [\x80]"},
        {Utf8(), "\xc4\x80 \xc4", "\xc4", Exact, "\xc4\x80 [\xc4]"},
        // NUL bytes are characters like any other.
        {Utf8(), std::string("a\0b", 3), std::string("\0B", 2), AnyCase, std::string("a[\0b]", 5)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Located(c.encoding, c.text, c.find, c.rule), c.expected)
            << c.text << " / " << c.find;
}

TEST(LocateText, FindTextBreaksBecomeTheEditorsBreaks) {
    EXPECT_EQ(WithEditorLineBreaks("a\rb\nc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(EndOfText(MakePosition(3, 4), "xy"), MakePosition(3, 6));
    EXPECT_EQ(EndOfText(MakePosition(3, 4), "xy\r\n\r\nabc"), MakePosition(5, 3));
}

TEST(LocateText, MatchEndingAtSeesTheEndOfAText) {
    const struct {
        const Encoding& encoding;
        std::string text, find;
        CaseRule rule;
        std::optional<std::size_t> start;
    } cases[] = {
        {Utf8(), "xxab", "ab", Exact, 2},
        {Utf8(), "xxab", "AB", Exact, std::nullopt},
        {Utf8(), "xxab", "AB", AnyCase, 2},
        {Utf8(), "x\xd0\xb4", "\xd0\x94", AnyCase, 1},
        {Windows1251(), "x\xe4", "\xc4", AnyCase, 1},
        {Utf8(), "b", "ab", Exact, std::nullopt},
        {Utf8(), "a\r\nb", "a\nb", Exact, 0},
    };
    for (const auto& c : cases) {
        const TextMatcher matcher(c.find, c.rule, c.encoding);
        EXPECT_EQ(matcher.MatchEndingAt(c.text), c.start) << c.text << " / " << c.find;
    }
}

} // namespace
