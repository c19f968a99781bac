#include "app/RememberedEncodings.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::vector<RememberedEncoding>& entries) {
    std::vector<std::string> lines;
    for (const RememberedEncoding& entry : entries)
        lines.push_back(entry.encodingName + " " + entry.path);
    return lines;
}

TEST(RememberedEncodings, ReadsItsOwnFileAndSkipsWhatItDidNotWrite) {
    const std::string text = "windows-1251\t/a/b.txt\n"
                             "no tab here\n"
                             "\t/no/name.txt\n"
                             "utf-16le\t\n"
                             "utf-8\t/c d/e\tf.txt\n";
    const std::vector<RememberedEncoding> entries = ParseRememberedEncodings(text);
    EXPECT_EQ(Lines(entries),
              (std::vector<std::string>{"windows-1251 /a/b.txt", "utf-8 /c d/e\tf.txt"}));
    EXPECT_EQ(ParseRememberedEncodings(FormatRememberedEncodings(entries)).size(), 2u);
    EXPECT_EQ(FormatRememberedEncodings(entries), "windows-1251\t/a/b.txt\nutf-8\t/c d/e\tf.txt\n");
}

TEST(RememberedEncodings, NewestFirstOncePerPathAndBounded) {
    std::vector<RememberedEncoding> entries;
    RememberEncoding(entries, "/a", "windows-1251");
    RememberEncoding(entries, "/b", "utf-8-bom");
    RememberEncoding(entries, "/a", "iso-8859-1");
    EXPECT_EQ(Lines(entries), (std::vector<std::string>{"iso-8859-1 /a", "utf-8-bom /b"}));
    EXPECT_EQ(FindRememberedEncoding(entries, "/b"), "utf-8-bom");
    EXPECT_EQ(FindRememberedEncoding(entries, "/c"), std::nullopt);

    RememberEncoding(entries, "/a", "");
    EXPECT_EQ(Lines(entries), (std::vector<std::string>{"utf-8-bom /b"}));
    RememberEncoding(entries, "/line\nbreak", "utf-8");
    EXPECT_EQ(entries.size(), 1u);

    for (std::size_t i = 0; i < MaxRememberedEncodings + 5; ++i)
        RememberEncoding(entries, "/f" + std::to_string(i), "windows-1252");
    EXPECT_EQ(entries.size(), MaxRememberedEncodings);
    EXPECT_EQ(entries.front().path, "/f" + std::to_string(MaxRememberedEncodings + 4));
    EXPECT_EQ(FindRememberedEncoding(entries, "/b"), std::nullopt);
}

} // namespace
