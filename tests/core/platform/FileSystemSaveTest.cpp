#include "FileSystemTestFolder.h"
#include "platform/FileSystem.h"

#include <csignal>
#include <string>
#include <sys/resource.h>

namespace {

using namespace std::string_literals;

class SaveFileAtomicallyTest : public FileSystemTestFolder {
protected:
    static mode_t CurrentUmask() {
        const mode_t mask = umask(0);
        umask(mask);
        return mask;
    }

    // Every write past `bytes` fails with EFBIG, as on a full disk.
    class FileSizeLimit {
    public:
        explicit FileSizeLimit(rlim_t bytes) {
            previousHandler = std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &previous);
            rlimit limited = previous;
            limited.rlim_cur = bytes;
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        ~FileSizeLimit() {
            setrlimit(RLIMIT_FSIZE, &previous);
            std::signal(SIGXFSZ, previousHandler);
        }

    private:
        rlimit previous{};
        void (*previousHandler)(int) = nullptr;
    };
};

TEST_F(SaveFileAtomicallyTest, CreatesANewFileWithDefaultPermissions) {
    const std::string path = root + "new.txt";
    ASSERT_EQ(SaveFileAtomically(path, "a\0b\r\n"s), std::nullopt);
    EXPECT_EQ(Read(path), "a\0b\r\n"s);
    EXPECT_EQ(PermissionsOf(path), 0666 & ~CurrentUmask());
    EXPECT_EQ(EntriesIn(root), 1u);
}

TEST_F(SaveFileAtomicallyTest, ReplacesAFileKeepingItsPermissions) {
    const std::string path = root + "old.txt";
    Write(path, "old content that is longer than the new");
    chmod(path.c_str(), 0640);
    const ino_t oldInode = StatusOf(path).st_ino;

    ASSERT_EQ(SaveFileAtomically(path, "new"), std::nullopt);
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(PermissionsOf(path), 0640u);
    EXPECT_NE(StatusOf(path).st_ino, oldInode) << "expected a rename over the old file";
    EXPECT_EQ(EntriesIn(root), 1u) << "no temporary file may stay behind";
}

TEST_F(SaveFileAtomicallyTest, AnOwnerOnlyFileIsOpenToItsOwnerAloneWhateverTheUmask) {
    const std::string path = root + "private";
    struct Case {
        mode_t umask;
        bool existing; // replacing a file that others may read
    };
    for (const Case c : {Case{022, false}, Case{0, false}, Case{022, true}, Case{0, true}}) {
        std::filesystem::remove(path);
        if (c.existing) {
            Write(path, "old");
            chmod(path.c_str(), 0644);
        }
        const mode_t previous = umask(c.umask);
        const std::optional<FileError> error =
            SaveFileAtomically(path, "new", ReadOnlyFile::Refuse, FileAccess::OwnerOnly);
        umask(previous);
        ASSERT_EQ(error, std::nullopt);
        EXPECT_EQ(Read(path), "new");
        EXPECT_EQ(PermissionsOf(path), 0600u) << "umask " << c.umask << " existing " << c.existing;
    }
}

TEST_F(SaveFileAtomicallyTest, SavesEmptyAndLargeTexts) {
    const std::string path = root + "file";
    Write(path, "something");
    ASSERT_EQ(SaveFileAtomically(path, ""), std::nullopt);
    EXPECT_EQ(Read(path), "");
    const std::string large(5 << 20, '\n');
    ASSERT_EQ(SaveFileAtomically(path, large), std::nullopt);
    EXPECT_EQ(Read(path), large);
}

TEST_F(SaveFileAtomicallyTest, WritesThroughSymbolicLinks) {
    mkdir((root + "real").c_str(), 0700);
    Write(root + "real/target.txt", "old");
    std::filesystem::create_symlink("real/target.txt", root + "relative");
    std::filesystem::create_symlink(root + "relative", root + "chain");

    ASSERT_EQ(SaveFileAtomically(root + "chain", "new"), std::nullopt);
    EXPECT_TRUE(S_ISLNK(StatusOf(root + "chain").st_mode));
    EXPECT_TRUE(S_ISLNK(StatusOf(root + "relative").st_mode));
    EXPECT_EQ(Read(root + "real/target.txt"), "new");
}

TEST_F(SaveFileAtomicallyTest, ADanglingLinkCreatesItsTarget) {
    std::filesystem::create_symlink("made.txt", root + "dangling");
    ASSERT_EQ(SaveFileAtomically(root + "dangling", "text"), std::nullopt);
    EXPECT_TRUE(S_ISLNK(StatusOf(root + "dangling").st_mode));
    EXPECT_EQ(Read(root + "made.txt"), "text");
}

TEST_F(SaveFileAtomicallyTest, AHardLinkedFileKeepsItsLinks) {
    const std::string path = root + "first";
    Write(path, "old");
    ASSERT_EQ(link(path.c_str(), (root + "second").c_str()), 0);
    const ino_t inode = StatusOf(path).st_ino;

    ASSERT_EQ(SaveFileAtomically(path, "new content"), std::nullopt);
    EXPECT_EQ(Read(root + "first"), "new content");
    EXPECT_EQ(Read(root + "second"), "new content");
    EXPECT_EQ(StatusOf(path).st_ino, inode);
    EXPECT_EQ(StatusOf(path).st_nlink, 2u);
    EXPECT_EQ(EntriesIn(root), 2u) << "the backup must be removed";
}

TEST_F(SaveFileAtomicallyTest, WritesInPlaceWhenTheFolderTakesNoNewFiles) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root creates files in any folder";
    }
    mkdir((root + "locked").c_str(), 0700);
    const std::string path = root + "locked/file";
    Write(path, "old");
    chmod((root + "locked").c_str(), 0500);

    ASSERT_EQ(SaveFileAtomically(path, "new"), std::nullopt);
    EXPECT_EQ(Read(path), "new");
    // The backup went to the private temporary folder and is gone again.
    const std::string privateFolder = PrivateTempFolder().value;
    EXPECT_EQ(EntriesIn(privateFolder), 0u);
}

TEST_F(SaveFileAtomicallyTest, AFailedWriteLeavesTheOldFileWhole) {
    const std::string path = root + "file";
    Write(path, "old");
    {
        const FileSizeLimit limit(1000);
        const std::optional<FileError> error = SaveFileAtomically(path, std::string(5000, 'n'));
        ASSERT_NE(error, std::nullopt);
        EXPECT_NE(error->message.find(path), std::string::npos) << error->message;
    }
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(EntriesIn(root), 1u);
}

TEST_F(SaveFileAtomicallyTest, AFailedWriteInPlaceRestoresTheOldContent) {
    const std::string path = root + "first";
    Write(path, "old");
    ASSERT_EQ(link(path.c_str(), (root + "second").c_str()), 0);
    {
        const FileSizeLimit limit(1000);
        EXPECT_NE(SaveFileAtomically(path, std::string(5000, 'n')), std::nullopt);
    }
    EXPECT_EQ(Read(root + "first"), "old");
    EXPECT_EQ(Read(root + "second"), "old");
    EXPECT_EQ(EntriesIn(root), 2u);
}

TEST_F(SaveFileAtomicallyTest, RefusesAFileTheUserMayNotWrite) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write every file";
    }
    const std::string path = root + "read-only";
    Write(path, "old");
    chmod(path.c_str(), 0444);
    const std::optional<FileError> error = SaveFileAtomically(path, "new");
    ASSERT_NE(error, std::nullopt);
    EXPECT_EQ(error->kind, FileErrorKind::PermissionDenied);
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(PermissionsOf(path), 0444u);
}

TEST_F(SaveFileAtomicallyTest, RefusesPathsThatCannotHoldAFile) {
    mkdir((root + "folder").c_str(), 0700);
    Write(root + "file", "x");
    const struct {
        std::string path;
        FileErrorKind kind;
    } cases[] = {
        {root + "missing/file.txt", FileErrorKind::NotFound},
        {root + "file/below.txt", FileErrorKind::NotFound},
        {root + "folder", FileErrorKind::IsFolder},
        {"/dev/null", FileErrorKind::Other},
    };
    for (const auto& c : cases) {
        const std::optional<FileError> error = SaveFileAtomically(c.path, "text");
        ASSERT_NE(error, std::nullopt) << c.path;
        EXPECT_EQ(error->kind, c.kind) << c.path << ": " << error->message;
    }
    EXPECT_EQ(Read(root + "file"), "x");
    EXPECT_EQ(EntriesIn(root + "folder"), 0u);
}

} // namespace
