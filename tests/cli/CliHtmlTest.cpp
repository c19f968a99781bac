#include "cli/CliProcess.h"

#include <gtest/gtest.h>

namespace {

// The text part of a page: what lies between "<pre>\n" and "</pre>".
std::string Body(const std::string& page) {
    const std::size_t start = page.find("<pre>\n");
    const std::size_t end = page.rfind("</pre>");
    if (start == std::string::npos || end == std::string::npos || end < start)
        return "(no body)";
    return page.substr(start + 6, end - start - 6);
}

std::string WithoutTags(const std::string& html) {
    std::string text;
    bool inTag = false;
    for (char c : html) {
        if (c == '<' || c == '>')
            inTag = c == '<';
        else if (!inTag)
            text += c;
    }
    return text;
}

TEST(CliHtml, BadArgumentsExitWithTheUsage) {
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"html"}, "--syntax EXT is required"},
        {{"html", "--syntax"}, "--syntax needs an extension"},
        {{"html", "--syntax", ".nope"}, "no highlighter for the extension \".nope\""},
        {{"html", "--syntax", ".cpp", "--bold"}, "unknown option --bold"},
        {{"html", "--syntax", ".cpp", "a.cpp", "b.cpp"}, "only one file can be given"},
    };
    CliFolder folder;
    for (const auto& c : cases) {
        const CliResult result = folder.Run(c.arguments, "int x;");
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("Usage: tabrix-cli html --syntax EXT [--codepage CP] [FILE]"),
                  std::string::npos)
            << result.err;
        EXPECT_TRUE(result.out.empty()) << c.message;
    }
    const CliResult badCodePage = folder.Run({"html", "--syntax", ".cpp", "--codepage", "77"});
    EXPECT_EQ(badCodePage.status, 2);
    EXPECT_TRUE(badCodePage.out.empty());
}

TEST(CliHtml, MissingFileFailsWithItsName) {
    CliFolder folder;
    const CliResult result = folder.Run({"html", "--syntax", ".cpp", "no-such.cpp"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot open no-such.cpp"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
}

TEST(CliHtml, FileAndStandardInputGiveTheSameColouredText) {
    CliFolder folder;
    const std::string text = "/* a <b> & \"c\"\r\n   d */ int x = 1;\n";
    const auto file = folder.Write("in.cpp", text);
    const CliResult fromFile = folder.Run({"html", "--syntax", ".cpp", file.string()});
    const CliResult fromStdin = folder.Run({"html", "--syntax", ".cpp"}, text);
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    ASSERT_EQ(fromStdin.status, 0) << fromStdin.err;
    EXPECT_NE(fromFile.out.find("<title>in.cpp</title>"), std::string::npos);
    EXPECT_NE(fromStdin.out.find("<title>standard input</title>"), std::string::npos);
    EXPECT_EQ(Body(fromFile.out), Body(fromStdin.out));
    // The comment over two lines is one run: one span, closed once.
    const std::string body = Body(fromFile.out);
    const std::size_t runStart = body.find('>', body.find("<span")) + 1;
    EXPECT_EQ(body.find("/* a &lt;b&gt; &amp; &quot;c&quot;\n   d */</span>"), runStart) << body;
    EXPECT_TRUE(fromFile.out.ends_with("</pre>\n</body>\n</html>\n"));
}

TEST(CliHtml, CodePageDecidesHowBytesBecomeCharacters) {
    const struct {
        const char* codePage;
        std::string input;
        std::string body; // UTF-8
    } cases[] = {
        {"1251", "\xCF\xF0\xE8", "\xD0\x9F\xD1\x80\xD0\xB8\n"},
        {"1252", "caf\xE9", "caf\xC3\xA9\n"},
        {"utf-8", "caf\xC3\xA9", "caf\xC3\xA9\n"},
        {"utf-8", "caf\xE9", "caf\xEF\xBF\xBD\n"},
    };
    CliFolder folder;
    for (const auto& c : cases) {
        const CliResult result =
            folder.Run({"html", "--syntax", ".ini", "--codepage", c.codePage}, c.input);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find("<meta charset=\"utf-8\"/>"), std::string::npos);
        EXPECT_EQ(WithoutTags(Body(result.out)), c.body) << c.codePage;
    }
}

} // namespace
