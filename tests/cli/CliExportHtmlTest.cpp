#include "cli/CliProcess.h"

#include <gtest/gtest.h>

namespace {

const std::string Courier10 = "<font face=\"Courier New\" style=\"font-size: 10pt\">\r\n";

TEST(CliExportHtml, WritesTheExportOfStandardInput) {
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        std::string output;
    } cases[] = {
        {{"--variant", "0", "--convert", "no"}, "a<b", "<pre>a<b</pre>\r\n"},
        {{"--variant", "1", "--convert", "yes"},
         "x < y\r\n\tz",
         Courier10 + "x&nbsp;&lt;&nbsp;y<br>\r\n&nbsp;&nbsp;&nbsp;&nbsp;z\r\n</font>\r\n"},
        {{"--convert=yes", "--variant=2", "--font", "Arial", "--size", "12"},
         "",
         "<font face=\"Arial\" style=\"font-size: 12pt\">\r\n\r\n</font>\r\n"},
        // Read as the plain editor loads a file: lone LF and CR become CR LF.
        {{"--variant", "0", "--convert", "yes"}, "a\nb\rc", "a<br>\r\nb<br>\r\nc\r\n"},
        {{"--variant", "0", "--convert", "no"},
         std::string("\0\xff\xfe", 3),
         std::string("<pre>\0\xff\xfe</pre>\r\n", 16)},
        {{"--codepage", "1251", "--variant", "0", "--convert", "yes"},
         "\xcf\xf0\xe8 \xe2",
         "\xcf\xf0\xe8&nbsp;\xe2\r\n"},
    };
    CliFolder folder;
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"export-html"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const CliResult result = folder.Run(arguments, c.input);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.output) << c.input;
    }
}

TEST(CliExportHtml, BadOptionsExitWithStatus2AndTheUsageLine) {
    const std::vector<std::vector<std::string>> cases = {
        {"--variant", "3", "--convert", "yes"},
        {"--variant", "1", "--convert", "maybe"},
        {"--variant", "1"},
        {"--convert", "no"},
        {"--variant", "1", "--convert", "yes", "--size", "0"},
        {"--variant", "1", "--convert", "yes", "--size", "ten"},
        {"--variant", "1", "--convert", "yes", "--colour", "red"},
        {"--variant", "1", "--convert", "yes", "--font"},
        {"--variant", "x1", "--convert", "yes"},
    };
    CliFolder folder;
    for (const auto& arguments : cases) {
        std::vector<std::string> command = {"export-html"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const CliResult result = folder.Run(command, "text");
        EXPECT_EQ(result.status, 2) << arguments.back();
        EXPECT_TRUE(result.out.empty()) << arguments.back();
        EXPECT_NE(result.err.find("Usage: tabrix-cli export-html --variant 0|1|2 --convert yes|no"),
                  std::string::npos)
            << result.err;
    }
}

} // namespace
