#include "cli/CliProcess.h"

#include <gtest/gtest.h>

namespace {

TEST(CliApply, RunsTheNamedFunctionOnStandardInput) {
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        std::string output;
    } cases[] = {
        {{"apply", "sort"}, "b\r\na", "a\r\nb\r\n"},
        {{"apply", "sort-by-length"}, "ccc\na\nbb\n", "a\r\nbb\r\nccc\r\n"},
        {{"apply", "reverse-text"}, "ab\r\ncd", "dc\r\nba\r\n"},
        {{"apply", "remove-duplicates"}, "Apple\napple\nPear\nAPPLE", "Apple\r\nPear\r\n"},
        {{"apply", "normal-case"}, "hello. WORLD! how?", "Hello. World! How?"},
        // Lone CR and LF are read as the plain editor reads them, even when nothing changes.
        {{"apply", "upper"}, "A\rB\nC", "A\r\nB\r\nC"},
        // Every byte comes through, NUL and invalid UTF-8 included.
        {{"apply", "lower-az"}, std::string("X\0Y\xff", 4), std::string("x\0y\xff", 4)},
        {{"apply", "remove-blank-lines"}, "", ""},
        {{"--codepage", "1251", "apply", "lower"}, "\xcf\xd0\xc8 W", "\xef\xf0\xe8 w"},
        {{"apply", "lower", "--codepage", "utf-8"}, "\xd0\x9f W", "\xd0\xbf w"},
    };
    CliFolder folder;
    for (const auto& c : cases) {
        const CliResult result = folder.Run(c.arguments, c.input);
        EXPECT_EQ(result.status, 0) << c.arguments[1] << ": " << result.err;
        EXPECT_EQ(result.out, c.output) << c.arguments[1];
    }
}

TEST(CliApply, SeedMakesRandomFunctionsRepeatable) {
    CliFolder folder;
    const std::string text(200, 'q');
    const CliResult first = folder.Run({"apply", "random-case", "--seed", "42"}, text);
    const CliResult second = folder.Run({"--seed", "42", "apply", "random-case"}, text);
    const CliResult other = folder.Run({"apply", "random-case", "--seed", "43"}, text);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    EXPECT_NE(first.out, other.out);
    EXPECT_NE(first.out.find('Q'), std::string::npos);
    EXPECT_NE(first.out.find('q'), std::string::npos);
}

TEST(CliApply, BadNamesListTheCommandsAndFail) {
    CliFolder folder;
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"apply", "no-such-function"}, {"apply"}, {"apply", "sort", "upper"}}) {
        const CliResult result = folder.Run(arguments, "x");
        EXPECT_EQ(result.status, 2) << arguments.size();
        EXPECT_TRUE(result.out.empty());
        EXPECT_NE(result.err.find("\nsort\n"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("\nsort-by-length\n"), std::string::npos) << result.err;
    }
    const CliResult list = folder.Run({"apply", "--list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("reverse-strings\n"), std::string::npos);
}

} // namespace
