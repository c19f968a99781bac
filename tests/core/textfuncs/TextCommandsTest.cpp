#include "textfuncs/TextCommands.h"

#include <gtest/gtest.h>

namespace {

TextCommand WholeText(std::string result) {
    return {"test",
            TextRule::WholeText,
            [result](std::string_view, const Encoding&) { return result; },
            {},
            {}};
}

TextCommand Lines(LineList result) {
    return {
        "test", TextRule::LineList, {}, [result](LineList, const Encoding&) { return result; }, {}};
}

TextCommand Insert(std::string inserted) {
    return {
        "test", TextRule::CaretInsertion, {}, {}, [inserted](const Encoding&) { return inserted; }};
}

TEST(TextCommands, ResultsComeBackByTheirRule) {
    const struct {
        const char* name;
        TextCommand command;
        PlainTextState editor;
        std::optional<std::string> text; // nothing: the editor is left alone
        std::size_t caret = 0;
    } cases[] = {
        {"whole text, breaks normalised", WholeText("a\rb\nc\r\n"), {"x"}, "a\r\nb\r\nc\r\n"},
        {"whole text, same text", WholeText("a\nb"), {"a\r\nb"}, std::nullopt},
        {"whole text ignores the selection", WholeText("y"), {"abc", 1, 1}, "y"},
        {"line list gains a final break", Lines({"a", "b"}), {"b\r\na"}, "a\r\nb\r\n"},
        {"line list, same text", Lines({"a"}), {"a\r\n"}, std::nullopt},
        {"empty line list", Lines({}), {"\r\n"}, ""},
        {"insertion at the caret", Insert("42"), {"ab", 1, 0}, "a42b", 3},
        {"insertion replaces the selection", Insert("x"), {"abcd", 1, 2}, "axd", 2},
        {"insertion over a selection past the end", Insert("x"), {"ab", 1, 99}, "ax", 2},
        {"insertion with the caret past the end", Insert("x"), {"ab", 7, 0}, "abx", 3},
        {"inserted breaks are normalised", Insert("1\n2"), {""}, "1\r\n2", 4},
    };
    for (const auto& c : cases) {
        const std::optional<PlainTextState> result = RunTextCommand(c.command, c.editor);
        ASSERT_EQ(result.has_value(), c.text.has_value()) << c.name;
        if (!result)
            continue;
        EXPECT_EQ(result->text, *c.text) << c.name;
        EXPECT_EQ(result->selStart, c.caret) << c.name;
        EXPECT_EQ(result->selLength, 0u) << c.name;
    }
}

TEST(TextCommands, EveryCommandLineNameIsKnownOnce) {
    const char* names[] = {"sort",
                           "sort-descending",
                           "sort-by-length",
                           "reverse-lines",
                           "reverse-strings",
                           "reverse-text",
                           "remove-blank-lines",
                           "trim-lines",
                           "remove-duplicates",
                           "lower",
                           "upper",
                           "invert-case",
                           "random-case",
                           "fun-case",
                           "normal-case",
                           "upper-case-first",
                           "lower-az",
                           "upper-az",
                           "invert-case-az",
                           "encode",
                           "encode-keep-breaks",
                           "offset-plus",
                           "offset-minus",
                           "insert-random-number",
                           "cyrillic-to-latin",
                           "latin-to-cyrillic",
                           "remove-tags",
                           "leave-tags",
                           "add-copyrights",
                           "insert-date",
                           "insert-time",
                           "insert-date-time"};
    for (const char* name : names) {
        const TextCommand* command = FindTextCommand(name);
        ASSERT_NE(command, nullptr) << name;
        EXPECT_EQ(command->name, name);
    }
    EXPECT_EQ(TextCommands().size(), std::size(names));
    EXPECT_EQ(FindTextCommand("Sort"), nullptr);
}

TEST(TextCommands, EachRuleHasItsFunction) {
    for (const TextCommand& command : TextCommands()) {
        switch (command.rule) {
        case TextRule::WholeText:
            EXPECT_TRUE(command.wholeText) << command.name;
            break;
        case TextRule::LineList:
            EXPECT_TRUE(command.lineList) << command.name;
            break;
        case TextRule::CaretInsertion:
            EXPECT_TRUE(command.insertion) << command.name;
            break;
        }
    }
}

} // namespace
