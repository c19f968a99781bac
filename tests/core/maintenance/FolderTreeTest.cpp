#include "maintenance/FolderTree.h"

#include "support/TemporaryFolderTest.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Answers every Retry/Ignore question with Ignore and keeps the texts.
class IgnoringUi : public MaintenanceUi {
public:
    bool AskYesNo(const std::string&) override { return false; }
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    bool AskRetry(const std::string& text) override {
        shown.push_back(text);
        return false;
    }
    void OpenFolder(const std::string& folder) override { shown.push_back("open " + folder); }
    std::vector<std::string> shown;
};

class FolderTree : public TemporaryFolderTest {};

TEST_F(FolderTree, EmptyMeansNoEntryAtAll) {
    fs::create_directories(root + "empty");
    fs::create_directories(root + "with-folder/sub");
    fs::create_directories(root + "with-file");
    Write(root + "with-file/.hidden", "");
    EXPECT_TRUE(IsFolderEmpty(root + "empty"));
    EXPECT_FALSE(IsFolderEmpty(root + "with-folder"));
    EXPECT_FALSE(IsFolderEmpty(root + "with-file"));
    EXPECT_FALSE(IsFolderEmpty(root + "missing"));
}

TEST_F(FolderTree, DeletesATreeButOnlyTheLinksThatLeadOutOfIt) {
    fs::create_directories(root + "outside/kept");
    Write(root + "outside/kept/precious.txt", "mine");
    fs::create_directories(root + "tree/a/b");
    Write(root + "tree/top.txt", "");
    Write(root + "tree/a/b/deep.txt", "");
    fs::create_directory_symlink(root + "outside/kept", root + "tree/a/folder-link");
    fs::create_symlink(root + "outside/kept/precious.txt", root + "tree/file-link");
    IgnoringUi ui;
    EXPECT_TRUE(DeleteFolderTree(root + "tree", ui));
    EXPECT_FALSE(fs::exists(fs::symlink_status(root + "tree")));
    EXPECT_EQ(Read(root + "outside/kept/precious.txt"), "mine");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FolderTree, ALinkGivenAsTheTreeIsNotFollowed) {
    fs::create_directories(root + "outside");
    Write(root + "outside/precious.txt", "mine");
    fs::create_directory_symlink(root + "outside", root + "link");
    IgnoringUi ui;
    EXPECT_FALSE(DeleteFolderTree(root + "link", ui));
    EXPECT_EQ(Read(root + "outside/precious.txt"), "mine");
    EXPECT_FALSE(DeleteFolderTree(root + "missing", ui));
}

TEST_F(FolderTree, ContainedEntriesAreReachedWithoutFollowingLinks) {
    fs::create_directories(root + "program/sub");
    fs::create_directories(root + "outside");
    Write(root + "program/sub/file.txt", "");
    Write(root + "outside/victim.txt", "");
    fs::create_directory_symlink(root + "outside", root + "program/escape");
    fs::create_symlink(root + "outside/victim.txt", root + "program/file-link");
    const std::string program = root + "program/";
    struct Case {
        const char* relative;
        ContainedEntry expected;
    };
    const Case cases[] = {
        {"sub/file.txt", ContainedEntry::File},
        {"sub/", ContainedEntry::Folder},
        {"sub", ContainedEntry::Folder},
        {"./sub//file.txt", ContainedEntry::File},
        {"sub/missing.txt", ContainedEntry::Missing},
        {"sub/file.txt/below", ContainedEntry::Missing},
        {"escape/victim.txt", ContainedEntry::Unreachable},
        {"escape/", ContainedEntry::File},
        {"file-link", ContainedEntry::File},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InspectContained(program, c.relative), c.expected) << c.relative;
}

} // namespace
