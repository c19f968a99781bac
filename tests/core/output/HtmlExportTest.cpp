#include "output/HtmlExport.h"

#include "platform/Random.h"
#include "support/TemporaryFolderTest.h"

#include <gtest/gtest.h>

namespace {

HtmlExportOptions Options(HtmlVariant variant, HtmlConversion conversion,
                          std::string fontName = "Courier New", int fontSize = 10) {
    return {variant, conversion, std::move(fontName), fontSize};
}

const std::string FontItem = "<font face=\"Courier New\" style=\"font-size: 10pt\">\r\n";

TEST(HtmlExportBytes, WritesEachVariantByteForByte) {
    using enum HtmlVariant;
    using enum HtmlConversion;
    const struct {
        std::string text;
        HtmlExportOptions options;
        std::string expected;
    } cases[] = {
        {"a<b", Options(WithoutStyle, Preformatted), "<pre>a<b</pre>\r\n"},
        {"x < y\r\n\tz", Options(WithStyle, Escape),
         FontItem + "x&nbsp;&lt;&nbsp;y<br>\r\n&nbsp;&nbsp;&nbsp;&nbsp;z\r\n</font>\r\n"},
        // With header is with style: the same bytes.
        {"x < y\r\n\tz", Options(WithHeader, Escape),
         FontItem + "x&nbsp;&lt;&nbsp;y<br>\r\n&nbsp;&nbsp;&nbsp;&nbsp;z\r\n</font>\r\n"},
        // The ampersand is never escaped.
        {"&amp; <", Options(WithoutStyle, Escape), "&amp;&nbsp;&lt;\r\n"},
        {"&amp; <", Options(WithoutStyle, Preformatted), "<pre>&amp; <</pre>\r\n"},
        {"", Options(WithoutStyle, Escape), "\r\n"},
        {"", Options(WithStyle, Escape), FontItem + "\r\n</font>\r\n"},
        {"", Options(WithStyle, Preformatted), FontItem + "<pre></pre>\r\n</font>\r\n"},
        // Lone CR and LF stay as they are; only CR LF gets its <br>.
        {"a\rb\nc\r\n", Options(WithoutStyle, Escape), "a\rb\nc<br>\r\n\r\n"},
        // The inserted <br> is not escaped; "&gt;" is.
        {"<p>\r\n", Options(WithoutStyle, Escape), "&lt;p&gt;<br>\r\n\r\n"},
        // Bytes pass through untouched: NUL, invalid UTF-8, Windows-1251 letters.
        {std::string("\0\xff\xe0 ", 4), Options(WithoutStyle, Escape),
         std::string("\0\xff\xe0&nbsp;\r\n", 11)},
        {"t", Options(WithStyle, Escape, "Times New Roman", 12),
         "<font face=\"Times New Roman\" style=\"font-size: 12pt\">\r\nt\r\n</font>\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HtmlExportBytes(c.text, c.options), c.expected) << c.text;
    }
}

using WriteHtmlFileTest = TemporaryFolderTest;

TEST_F(WriteHtmlFileTest, WritesTheBytesAndReplacesAnExistingFile) {
    const std::string path = root + "a & \xc3\xa9t\xc3\xa9.html";
    Write(path, "an older and much longer content than the export");
    const HtmlExportOptions options = Options(HtmlVariant::WithStyle, HtmlConversion::Escape);
    EXPECT_EQ(WriteHtmlFile(path, "a b", options), std::nullopt);
    EXPECT_EQ(Read(path), FontItem + "a&nbsp;b\r\n</font>\r\n");
}

TEST_F(WriteHtmlFileTest, EmptyPathWritesNothing) {
    EXPECT_EQ(WriteHtmlFile("", "text", Options(HtmlVariant::WithoutStyle, HtmlConversion::Escape)),
              std::nullopt);
    EXPECT_TRUE(std::filesystem::is_empty(root));
}

TEST_F(WriteHtmlFileTest, FailureNamesThePathAndTheReasonAndWritesNothing) {
    const std::string locked = root + "locked";
    ASSERT_EQ(mkdir(locked.c_str(), 0500), 0);
    struct {
        std::string path, reason;
    } cases[] = {
        {root + "missing/out.html", "No such file or directory"},
        {locked + "/out.html", "Permission denied"},
    };
    for (const auto& c : cases) {
        if (geteuid() == 0 && c.reason == "Permission denied")
            continue; // root writes into read-only folders
        const std::optional<std::string> error =
            WriteHtmlFile(c.path, "x", Options(HtmlVariant::WithoutStyle, HtmlConversion::Escape));
        EXPECT_EQ(error, "Cannot create file \"" + c.path + "\". " + c.reason);
        EXPECT_FALSE(std::filesystem::exists(c.path));
    }
}

TEST_F(WriteHtmlFileTest, FolderInTheWayIsReported) {
    const std::string path = root + "taken.html";
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    const std::optional<std::string> error =
        WriteHtmlFile(path, "x", Options(HtmlVariant::WithoutStyle, HtmlConversion::Escape));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->rfind("Cannot create file \"" + path + "\". ", 0), 0u) << *error;
    EXPECT_GT(error->size(), path.size() + 22) << "no reason given";
}

TEST_F(WriteHtmlFileTest, PreviewPathIsADrawnNumberInThePrivateFolder) {
    setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
    Random::SetSeed(1);
    const std::uint32_t number = Random::Below(100000);
    Random::SetSeed(1);
    const PreviewPath preview = PreviewFilePath();
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(preview.error, "");
    EXPECT_EQ(preview.path, root + "tabrix-pro/" + std::to_string(number) + ".html");
}

} // namespace
