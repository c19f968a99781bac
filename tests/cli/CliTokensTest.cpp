#include "cli/CliProcess.h"

#include <gtest/gtest.h>

namespace {

TEST(CliTokens, FileAndStandardInputGiveTheSameDump) {
    CliFolder folder;
    const std::string text = "<b>x</b>\r\n&amp;\n<!--\r";
    const auto file = folder.Write("page.html", text);
    const auto fromFile = folder.Run({"tokens", "--syntax", ".html", file.string()});
    const auto fromStdin = folder.Run({"tokens", "--syntax", ".htm"}, text);
    EXPECT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, fromStdin.out);
    EXPECT_EQ(fromFile.out, "L0\t0\t8\tSymbol\t<\n"
                            "L0\t1\t4\tReserved word\tb\n"
                            "L0\t2\t8\tSymbol\t>\n"
                            "L0\t3\t9\tText\tx\n"
                            "L0\t4\t8\tSymbol\t<\n"
                            "L0\t5\t4\tReserved word\t/b\n"
                            "L0\t7\t8\tSymbol\t>\n"
                            "R0\t5\n"
                            "L1\t0\t9\tText\t\n"
                            "L1\t0\t0\tEscape ampersand\t&amp;\n"
                            "R1\t5\n"
                            "L2\t0\t2\tComment\t<!--\n"
                            "R2\t2\n");
}

TEST(CliTokens, LinesSplitAsTheLineListLoadsThem) {
    const struct {
        const char* name;
        std::string input;
        std::string rows; // just the range rows, one per line
    } cases[] = {
        {"empty input", "", ""},
        {"final break adds no line", "a\r\n", "R0\t5\n"},
        {"blank lines", "\r\n\r\n", "R0\t5\nR1\t5\n"},
        {"NUL ends a line", std::string("<!--\0x", 6), "R0\t2\nR1\t2\n"},
        {"lone CR and LF", "a\rb\nc", "R0\t5\nR1\t5\nR2\t5\n"},
    };
    CliFolder folder;
    for (const auto& c : cases) {
        const auto result = folder.Run({"tokens", "--syntax", ".html"}, c.input);
        EXPECT_EQ(result.status, 0) << c.name;
        std::string rows;
        std::size_t start = 0;
        while (start < result.out.size()) {
            const std::size_t end = result.out.find('\n', start);
            if (result.out[start] == 'R') {
                rows += result.out.substr(start, end - start + 1);
            }
            start = end + 1;
        }
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

TEST(CliTokens, EscapesTokenText) {
    CliFolder folder;
    const auto result = folder.Run({"tokens", "--syntax", ".html"}, "<a b=\\\xFF\x01\t>");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("L0\t5\t11\tValue\t\\\\\\xFF\n"
                              "L0\t7\t6\tSpace\t\\x01\n"
                              "L0\t8\t6\tSpace\t\\t\n"),
              std::string::npos)
        << result.out;
}

TEST(CliTokens, BadInvocationsFailWithAMessage) {
    const struct {
        std::vector<std::string> arguments;
        int status;
    } cases[] = {
        {{"tokens", "--syntax", ".xyz"}, 2},
        {{"tokens", "--syntax", ".HTML"}, 2},
        {{"tokens"}, 2},
        {{"tokens", "--syntax"}, 2},
        {{"tokens", "--syntax", ".html", "--bogus"}, 2},
        {{"tokens", "--syntax", ".html", "a", "b"}, 2},
        {{"tokens", "--syntax", ".html", "/nonexistent/file.html"}, 1},
        {{"--codepage", "bogus", "tokens", "--syntax", ".html"}, 2},
        {{"frobnicate"}, 2},
        {{}, 2},
    };
    CliFolder folder;
    for (const auto& c : cases) {
        const auto result = folder.Run(c.arguments);
        std::string joined;
        for (const auto& argument : c.arguments) {
            joined += argument + " ";
        }
        EXPECT_EQ(result.status, c.status) << joined;
        EXPECT_FALSE(result.err.empty()) << joined;
        EXPECT_TRUE(result.out.empty()) << joined;
    }
}

TEST(CliTokens, CodePageOptionIsAccepted) {
    CliFolder folder;
    for (const char* codePage : {"utf-8", "1251", "28591"}) {
        const auto result =
            folder.Run({"--codepage", codePage, "tokens", "--syntax", ".html"}, "<i>");
        EXPECT_EQ(result.status, 0) << codePage << ": " << result.err;
        EXPECT_NE(result.out.find("Reserved word\ti\n"), std::string::npos) << codePage;
    }
}

TEST(CliTokens, HelpAndVersion) {
    CliFolder folder;
    const auto help = folder.Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("tokens --syntax EXT"), std::string::npos);
    const auto version = folder.Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tabrix-cli ", 0), 0u);
}

} // namespace
