#include "FileSystemTestFolder.h"
#include "platform/FileSystem.h"

#include <string>

namespace {

class FileSystemPathTest : public FileSystemTestFolder {
protected:
    void SetUp() override {
        FileSystemTestFolder::SetUp();
        previousFolder = std::filesystem::current_path();
        std::filesystem::create_directories(root + "work/sub");
        std::filesystem::current_path(root + "work/sub");
    }
    void TearDown() override {
        std::filesystem::current_path(previousFolder);
        FileSystemTestFolder::TearDown();
    }

    std::filesystem::path previousFolder;
};

TEST_F(FileSystemPathTest, AbsolutePathJoinsTheCurrentFolderAndNormalisesText) {
    const std::string current = root + "work/sub";
    const struct {
        std::string path;
        std::string expected;
    } cases[] = {
        {"/a/b/../c", "/a/c"},
        {"/a/./b//c/", "/a/b/c"},
        {"//a///b", "/a/b"},
        {"/", "/"},
        {"/..", "/"},
        {"/../../a", "/a"},
        {"/a/b/../../..", "/"},
        {"/a/..b/c.", "/a/..b/c."},
        {"file.txt", current + "/file.txt"},
        {"./x/../file.txt", current + "/file.txt"},
        {"../other", root + "work/other"},
        {"", current},
        {".", current},
        {"..", root + "work"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AbsolutePath(c.path), c.expected) << "path: \"" << c.path << "\"";
    }
}

TEST_F(FileSystemPathTest, AbsolutePathDoesNotResolveLinks) {
    std::filesystem::create_directory_symlink(root + "work/sub", root + "link");
    EXPECT_EQ(AbsolutePath(root + "link/../x"), root + "x");
    EXPECT_EQ(AbsolutePath(root + "link/x"), root + "link/x");
}

TEST(FileSystemAbsolutePathTest, OnlyALeadingSeparatorMakesAPathAbsolute) {
    const struct {
        const char* path;
        bool absolute;
    } cases[] = {
        {"/a/b.txt", true}, {"/", true},
        {"a/b.txt", false}, {"", false},
        {"./a", false},     {"C:\\x\\b.txt", false},
        {"\\x.txt", false}, {"~/notes.txt", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsAbsolutePath(c.path), c.absolute) << c.path;
}

TEST_F(FileSystemPathTest, SamePathComparesNamesExactly) {
    EXPECT_TRUE(SamePath("/home/a/Notes.txt", "/home/a/Notes.txt"));
    EXPECT_FALSE(SamePath("/home/a/Notes.txt", "/home/a/notes.txt"));
    EXPECT_FALSE(SamePath("/home/a/notes.txt", "/home/a/notes.txt "));
}

TEST_F(FileSystemPathTest, SplitsFolderAndName) {
    const struct {
        std::string path, folder, name;
    } cases[] = {
        {"/a/b.txt", "/a/", "b.txt"},
        {"b.txt", "", "b.txt"},
        {"/a/", "/a/", ""},
        {"/", "/", ""},
        {"", "", ""},
        {"a.d/b", "a.d/", "b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
    }
}

TEST_F(FileSystemPathTest, ExistenceOfFilesAndNames) {
    Write(root + "file", "x");
    std::filesystem::create_symlink(root + "file", root + "link");
    std::filesystem::create_symlink(root + "nowhere", root + "dangling");
    const struct {
        std::string path;
        bool file;
        bool taken;
    } cases[] = {
        {root + "file", true, true},      {root + "link", true, true},
        {root + "dangling", false, true}, {root + "work", false, true},
        {root + "missing", false, false}, {root + "file/below", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExists(c.path), c.file) << c.path;
        EXPECT_EQ(PathExists(c.path), c.taken) << c.path;
    }
}

TEST_F(FileSystemPathTest, PrivateTempFolderIsOpenToItsOwnerOnly) {
    mkdir((root + "run").c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", (root + "run").c_str(), 1);
    const FileResult<std::string> folder = PrivateTempFolder();
    ASSERT_TRUE(folder) << folder.error->message;
    EXPECT_EQ(folder.value, root + "run/tabrix-pro/");
    EXPECT_EQ(PermissionsOf(folder.value), 0700u);
    EXPECT_EQ(StatusOf(folder.value).st_uid, geteuid());
    // Found again, not made anew.
    EXPECT_EQ(PrivateTempFolder().value, folder.value);
}

TEST_F(FileSystemPathTest, PrivateTempFolderFallsBackToTheSharedTemporaryFolder) {
    unsetenv("XDG_RUNTIME_DIR");
    const FileResult<std::string> folder = PrivateTempFolder();
    ASSERT_TRUE(folder) << folder.error->message;
    EXPECT_EQ(folder.value, root + "tabrix-pro-" + std::to_string(geteuid()) + "/");
    EXPECT_EQ(PermissionsOf(folder.value), 0700u);
}

TEST_F(FileSystemPathTest, PrivateTempFolderRefusesFoldersOthersCouldEnterOrPlant) {
    const std::string ownName = "tabrix-pro-" + std::to_string(geteuid());
    mkdir((root + "run").c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", (root + "run").c_str(), 1);
    // One open to others, one planted as a link to a folder of someone's choosing.
    mkdir((root + "run/tabrix-pro").c_str(), 0700);
    chmod((root + "run/tabrix-pro").c_str(), 0755);
    mkdir((root + "planted").c_str(), 0700);
    std::filesystem::create_directory_symlink(root + "planted", root + ownName);

    const FileResult<std::string> folder = PrivateTempFolder();
    ASSERT_TRUE(folder) << folder.error->message;
    EXPECT_EQ(folder.value.rfind(root + ownName + "-", 0), 0u) << folder.value;
    EXPECT_EQ(StatusOf(folder.value).st_mode & (S_IFMT | 07777), S_IFDIR | 0700u);
    EXPECT_EQ(PermissionsOf(root + "run/tabrix-pro"), 0755u);
    EXPECT_EQ(EntriesIn(root + "planted"), 0u);
}

} // namespace
