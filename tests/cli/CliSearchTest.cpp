#include "cli/CliProcess.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

TEST(CliFind, PrintsWhatOneFindNextDid) {
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        std::string output;
    } cases[] = {
        {{"find", "--find", "cat"}, "a cat, a Cat", "selection 2 3\n"},
        {{"find", "--find", "cat", "--selection", "2,3"}, "a cat, a Cat", "selection 9 3\n"},
        {{"find", "--find", "cat", "--selection", "2,3", "--match-case"},
         "a cat, a Cat",
         "selection 2 3\n"},
        {{"find", "--find", "cat", "--selection", "2,3", "--match-case", "--dialog", "replace"},
         "a cat, a Cat",
         "closed\n"},
        {{"find", "--find", "dog"}, "a cat", "not found\n"},
        {{"find", "--find", "dog", "--selection", "1,1", "--dialog", "replace"},
         "a cat",
         "closed\n"},
        // The caret alone does not count: the search starts at the top.
        {{"find", "--find", "a", "--selection", "3,0"}, "aXaXa", "selection 0 1\n"},
        // Offsets count characters, with CR LF between lines however the input broke them.
        {{"find", "--find", "c"}, "ab\ncd", "selection 4 1\n"},
        {{"find", "--find", "b\r\nc"}, "ab\rcd", "selection 1 4\n"},
        {{"--codepage", "utf-8", "find", "--find", "\xd0\x94\xd0\x9e\xd0\x9c"},
         "\xd0\xb4\xd0\xb0 \xd0\xb4\xd0\xbe\xd0\xbc",
         "selection 3 3\n"},
        {{"--codepage", "1251", "find", "--find", "\xc4\xce\xcc"},
         "\xe4\xe0 \xe4\xee\xec",
         "selection 3 3\n"},
        {{"--codepage", "1251", "find", "--find", "\xc4\xce\xcc", "--match-case"},
         "\xe4\xe0 \xe4\xee\xec",
         "not found\n"},
    };
    CliFolder folder;
    for (const auto& c : cases) {
        const CliResult result = folder.Run(c.arguments, c.input);
        EXPECT_EQ(result.status, 0) << c.input << ": " << result.err;
        EXPECT_EQ(result.out, c.output) << c.input << " " << c.arguments.back();
        EXPECT_EQ(result.err, "") << c.input;
    }
}

TEST(CliReplace, WritesTheTextAndReportsTheSelection) {
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        std::string output;
        std::string report;
    } cases[] = {
        // Nothing selected: the first press only finds.
        {{"replace", "--find", "a", "--with", "b"}, "xa", "xa", "selection 1 1\n"},
        {{"replace", "--find", "a", "--with", "bb", "--selection", "1,1"},
         "xa-a",
         "xbb-a",
         "selection 4 1\n"},
        {{"replace", "--find", "a", "--with", "bb", "--selection", "3,1"},
         "xa-a",
         "xa-bb",
         "selection 3 2 closed\n"},
        {{"replace", "--find", "cat", "--with", "dog", "--selection", "0,3", "--match-case"},
         "CAT",
         "dog",
         "selection 0 3 closed\n"},
        {{"replace", "--find", "a", "--with", "b", "--all"}, "aa", "bb", "selection 1 1 closed\n"},
        {{"replace", "--find", "a", "--with", "", "--all"},
         "a-a",
         "-",
         "selection 1 0 not found\n"},
        {{"replace", "--find", "x", "--with", "y", "--all"},
         "abc",
         "abc",
         "selection 0 0 not found\n"},
        {{"replace", "--find", "the", "--with", "THE", "--all"},
         "the\nThe\r\nx",
         "THE\r\nTHE\r\nx",
         "selection 5 3 closed\n"},
        {{"--codepage", "utf-8", "replace", "--find", "\xd0\x94", "--with", "d", "--all"},
         "\xd0\xb4\xd0\x94",
         "dd",
         "selection 1 1 closed\n"},
        // Bytes that are no characters come through unchanged.
        {{"replace", "--find", "a", "--with", "b", "--all"},
         std::string("\xff\0a", 3),
         std::string("\xff\0b", 3),
         "selection 2 1 closed\n"},
    };
    CliFolder folder;
    for (const auto& c : cases) {
        const CliResult result = folder.Run(c.arguments, c.input);
        EXPECT_EQ(result.status, 0) << c.input << ": " << result.err;
        EXPECT_EQ(result.out, c.output) << c.input;
        EXPECT_EQ(result.err, c.report) << c.input;
    }
}

TEST(CliSearch, BadOptionsExitWithUsage) {
    const std::vector<std::string> bad[] = {
        {"find"},
        {"find", "--find"},
        {"find", "--find", ""},
        {"find", "--find", "a", "--dialog", "other"},
        {"find", "--find", "a", "--selection", "1"},
        {"find", "--find", "a", "--selection", "1,x"},
        {"find", "--find", "a", "--selection", "9,0"},
        {"find", "--find", "a", "--selection", "2,0"}, // between CR and LF
        {"find", "--find", "a", "--all"},
        {"replace", "--find", "a"},
        {"replace", "--with", "a"},
        {"replace", "--find", "a", "--with", "b", "--dialog", "find"},
        {"replace", "--find", "a", "--with", "b", "--bogus"},
    };
    CliFolder folder;
    for (const auto& arguments : bad) {
        const CliResult result = folder.Run(arguments, "a\r\nb");
        EXPECT_EQ(result.status, 2) << arguments.back();
        EXPECT_TRUE(result.out.empty()) << arguments.back();
        EXPECT_NE(result.err.find("Usage: tabrix-cli " + arguments.front()), std::string::npos)
            << result.err;
    }
}

} // namespace

// The child takes the locale of the test while the object lives.
class LocaleForChildren {
public:
    explicit LocaleForChildren(const char* locale) {
        if (const char* old = std::getenv("LC_ALL"))
            saved = old;
        setenv("LC_ALL", locale, 1);
    }
    ~LocaleForChildren() {
        if (saved)
            setenv("LC_ALL", saved->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }

private:
    std::optional<std::string> saved;
};

TEST(CliPatterns, RegularExpressionsAndWholeWordsInTheLocalesEncoding) {
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        std::string output;
        std::string report;
    } cases[] = {
        {{"find", "--find", "c.t", "--regex"}, "a cut", "selection 2 3\n", ""},
        {{"find", "--find", "cat", "--whole-words"}, "cats cat", "selection 5 3\n", ""},
        {{"find", "--find", "b$\\n^c", "--regex"}, "ab\ncd", "selection 1 4\n", ""},
        // A UTF-8 argument finds its letters in a Windows-1251 text.
        {{"--codepage", "1251", "find", "--find", "ДОМ"},
         "\xe4\xe0 \xe4\xee\xec",
         "selection 3 3\n",
         ""},
        {{"--codepage", "1251", "find", "--find", "дом", "--whole-words"},
         "\xe4\xee\xec\xe8\xea \xe4\xee\xec",
         "selection 6 3\n",
         ""},
        {{"replace", "--find", "(\\w+)@(\\w+)", "--with", "$2 at $1", "--regex", "--all"},
         "me@home, you@work",
         "home at me, work at you",
         "selection 12 11 closed\n"},
        {{"--codepage", "1251", "replace", "--find", "д(о)м", "--with", "с$1к", "--regex", "--all"},
         "\xe4\xee\xec",
         "\xf1\xee\xea",
         "selection 0 3 closed\n"},
    };
    const LocaleForChildren locale("C.UTF-8");
    CliFolder folder;
    for (const auto& c : cases) {
        const CliResult result = folder.Run(c.arguments, c.input);
        EXPECT_EQ(result.status, 0) << c.input << ": " << result.err;
        const bool replace = c.arguments[0] == "replace" || c.arguments[2] == "replace";
        EXPECT_EQ(result.out, c.output) << c.input << " " << c.arguments.back();
        EXPECT_EQ(result.err, replace ? c.report : "") << c.input;
    }
}

TEST(CliPatterns, BadInputIsToldAndChangesNothing) {
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"find", "--find", "a(", "--regex"},
         "tabrix-cli find: The regular expression is not valid at position 2: missing closing "
         "parenthesis.\n"},
        {{"replace", "--find", "a", "--with", "$1", "--regex", "--all"},
         "tabrix-cli replace: The replacement text refers to $1, a group the regular "
         "expression does not have.\n"},
        {{"--codepage", "1251", "find", "--find", "日本"},
         "tabrix-cli find: --find holds characters windows-1251 cannot hold\n" +
             std::string(
                 "Usage: tabrix-cli find --find TEXT [--match-case] [--regex] [--whole-words] "
                 "[--selection START,LENGTH] [--dialog find|replace] [--codepage CP]\n")},
        {{"find", "--find", "(\\w+\\s?)+$", "--regex"},
         "tabrix-cli find: The regular expression needs too many steps on this text: the "
         "search has stopped.\n"},
    };
    const LocaleForChildren locale("C.UTF-8");
    CliFolder folder;
    for (const auto& c : cases) {
        const CliResult result = folder.Run(c.arguments, std::string(20000, 'a') + "!");
        EXPECT_NE(result.status, 0) << c.arguments[2];
        EXPECT_EQ(result.out, "") << c.arguments[2];
        EXPECT_EQ(result.err, c.error) << c.arguments[2];
    }
}
