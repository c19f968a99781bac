#include "cli/CliProcess.h"

#include <gtest/gtest.h>

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
