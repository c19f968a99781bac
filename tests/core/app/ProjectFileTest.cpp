#include "app/ProjectFile.h"

#include "support/TemporaryFolderTest.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using namespace std::string_literals;
using Paths = std::vector<std::string>;

TEST(ProjectTextTest, EntriesInTheProjectFolderAreRelativeAndEveryLineEndsInCrLf) {
    const struct {
        const char* name;
        Paths documents;
        std::string expected;
    } cases[] = {
        {"inside and outside", {"/p/a.txt", "", "/x/b.txt"}, "a.txt\r\n/x/b.txt\r\n"},
        {"subfolder stays relative", {"/p/sub/c.txt"}, "sub/c.txt\r\n"},
        {"no named document", {"", ""}, ""},
        {"prefix compared as names are: case differs", {"/P/a.txt"}, "/P/a.txt\r\n"},
        {"a folder named like the prefix is no match", {"/pp/a.txt"}, "/pp/a.txt\r\n"},
        {"blank rest is kept in full", {"/p/  "}, "/p/  \r\n"},
        {"absolute rest is kept in full", {"/p//y/c.txt"}, "/p//y/c.txt\r\n"},
        {"a line break cannot be stored", {"/p/a\nb.txt", "/p/c.txt"}, "c.txt\r\n"},
        {"blanks and ampersands are kept", {"/p/ a & b .txt"}, " a & b .txt\r\n"},
        {"Windows-looking names are names", {"/p/C:\\x\\b.txt"}, "C:\\x\\b.txt\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProjectText(c.documents, "/p/"), c.expected) << c.name;
}

TEST(ProjectFileNameTest, OnlyTheProjectExtensionMakesAProject) {
    const struct {
        const char* path;
        bool project;
    } cases[] = {
        {"/p/work.txp", true},   {"/p/.hidden/a.txp", true}, {"/p/main.cpp", false},
        {"/p/work.TXP", false},  {"/p/work.txp.txt", false}, {"/p/txp", false},
        {"/p.txp/notes", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsProjectFileName(c.path), c.project) << c.path;
}

TEST(MissingEntriesTextTest, ListsTheFirstTwentyThenHowManyMore) {
    const auto messages = [](int count) {
        Paths lines;
        for (int i = 1; i <= count; ++i)
            lines.push_back("/p/" + std::to_string(i) + " not found");
        return lines;
    };
    std::string twenty;
    for (const std::string& line : messages(20))
        twenty += (twenty.empty() ? "" : "\n") + line;
    const struct {
        int count;
        std::string expected;
    } cases[] = {
        {1, "/p/1 not found"},         {2, "/p/1 not found\n/p/2 not found"}, {20, twenty},
        {21, twenty + "\nand 1 more"}, {375, twenty + "\nand 355 more"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MissingEntriesText(messages(c.count)), c.expected) << c.count;
}

TEST(ProjectPathsTest, ReadsEveryNonBlankLineAndResolvesRelativeOnes) {
    const struct {
        const char* name;
        std::string content;
        Paths expected;
    } cases[] = {
        {"CR LF", "a.txt\r\n/x/b.txt\r\n", {"/p/a.txt", "/x/b.txt"}},
        {"LF only", "a.txt\n/x/b.txt\n", {"/p/a.txt", "/x/b.txt"}},
        {"CR only", "a.txt\r/x/b.txt", {"/p/a.txt", "/x/b.txt"}},
        {"mixed, no final break", "a\r\n\nb\r\rc", {"/p/a", "/p/b", "/p/c"}},
        {"blank and control-only lines skipped", "\r\n   \r\n\t\x01\r\na\r\n", {"/p/a"}},
        {"lines are not trimmed", "  a.txt \r\n", {"/p/  a.txt "}},
        {"subfolder", "sub/c.txt\r\n", {"/p/sub/c.txt"}},
        // Backslashes and drive letters are ordinary name characters here.
        {"Windows paths are relative names",
         "C:\\x\\b.txt\r\n\\y.txt\r\n",
         {"/p/C:\\x\\b.txt", "/p/\\y.txt"}},
        {"empty file", "", {}},
        {"ampersands", "a & b.txt\n", {"/p/a & b.txt"}},
    };
    for (const auto& c : cases) {
        const FileResult<Paths> paths = ProjectPaths(c.content, "/p/");
        EXPECT_FALSE(paths.error) << c.name;
        EXPECT_EQ(paths.value, c.expected) << c.name;
    }
}

TEST(ProjectPathsTest, ContentThatCannotBeAListOfFilesIsRefused) {
    const std::string tooMany = [] {
        std::string text;
        for (int i = 0; i <= kMaxProjectEntries; ++i)
            text.append("f").append(std::to_string(i)).append("\r\n");
        return text;
    }();
    const struct {
        const char* name;
        std::string content;
    } cases[] = {
        {"NUL byte", "a.txt\r\nb\0c\r\n"s},
        {"binary data", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s},
        {"one entry too many", tooMany},
        {"a line longer than any path", std::string(kMaxProjectEntryLength + 1, 'x')},
    };
    for (const auto& c : cases) {
        const FileResult<Paths> paths = ProjectPaths(c.content, "/p/");
        ASSERT_TRUE(paths.error) << c.name;
        EXPECT_FALSE(paths.error->message.empty()) << c.name;
    }
}

TEST(ProjectPathsTest, ManyBlankLinesAroundFewEntriesAreFine) {
    std::string content(100000, '\n');
    content.insert(50000, "a.txt");
    content += std::string(kMaxProjectEntryLength, 'y');
    const FileResult<Paths> paths = ProjectPaths(content, "/p/");
    ASSERT_FALSE(paths.error);
    EXPECT_EQ(paths.value, (Paths{"/p/a.txt", "/p/" + std::string(kMaxProjectEntryLength, 'y')}));
}

class ProjectFileTest : public TemporaryFolderTest {};

TEST_F(ProjectFileTest, SavedProjectLoadsBackTheSamePaths) {
    std::filesystem::create_directories(root + "p/sub");
    const Paths documents = {root + "p/a.txt", root + "p/sub/b.txt", "/elsewhere/c.txt",
                             root + "p/work.txp"};
    ASSERT_FALSE(SaveProjectFile(root + "p/work.txp", documents));
    EXPECT_EQ(Read(root + "p/work.txp"), "a.txt\r\nsub/b.txt\r\n/elsewhere/c.txt\r\nwork.txp\r\n");
    const FileResult<Paths> loaded = LoadProjectFile(root + "p/work.txp");
    ASSERT_FALSE(loaded.error);
    EXPECT_EQ(loaded.value, documents);
}

TEST_F(ProjectFileTest, ReadingAndWritingReportWhatFailed) {
    std::filesystem::create_directories(root + "folder.txp");
    std::filesystem::create_directories(root + "locked");
    Write(root + "locked/old.txp", "old.txt\r\n");
    chmod((root + "locked/old.txp").c_str(), 0400);
    chmod((root + "locked").c_str(), 0500);

    EXPECT_TRUE(LoadProjectFile(root + "missing.txp").error);
    EXPECT_TRUE(LoadProjectFile(root + "folder.txp").error);
    EXPECT_TRUE(LoadProjectFile("/dev/zero").error);
    EXPECT_TRUE(SaveProjectFile(root + "folder.txp", {"/a"}));
    EXPECT_TRUE(SaveProjectFile(root + "no/such/folder/p.txp", {"/a"}));
    if (geteuid() != 0) {
        EXPECT_TRUE(SaveProjectFile(root + "locked/old.txp", {"/a"}));
        EXPECT_EQ(Read(root + "locked/old.txp"), "old.txt\r\n");
    }
}

} // namespace
