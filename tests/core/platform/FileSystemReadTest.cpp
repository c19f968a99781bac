#include "FileSystemTestFolder.h"
#include "platform/FileSystem.h"

#include <fcntl.h>
#include <string>

namespace {

using namespace std::string_literals;
using ReadWholeFileTest = FileSystemTestFolder;

TEST_F(ReadWholeFileTest, ReadsEveryByte) {
    for (const std::string& bytes :
         {""s, "one line"s, "a\0b\r\nc\rd\n\xFF\x80"s, std::string(3 << 20, 'x') + "tail"s}) {
        Write(root + "file", bytes);
        const FileResult<std::string> read = ReadWholeFile(root + "file");
        ASSERT_TRUE(read) << read.error->message;
        EXPECT_EQ(read.value, bytes);
    }
}

TEST_F(ReadWholeFileTest, ReadsFilesThatReportNoSize) {
    const FileResult<std::string> read = ReadWholeFile("/proc/self/status");
    ASSERT_TRUE(read) << read.error->message;
    EXPECT_NE(read.value.find("Pid:"), std::string::npos);
}

TEST_F(ReadWholeFileTest, ReportsWhatWentWrong) {
    mkdir((root + "folder").c_str(), 0700);
    mkfifo((root + "pipe").c_str(), 0600);
    Write(root + "file", "x");
    const struct {
        std::string path;
        FileErrorKind kind;
    } cases[] = {
        {root + "missing", FileErrorKind::NotFound},
        {root + "missing/file", FileErrorKind::NotFound},
        {root + "file/below", FileErrorKind::NotFound},
        {root + "folder", FileErrorKind::IsFolder},
        // Would block for a writer if opened as a file.
        {root + "pipe", FileErrorKind::Other},
        {"/dev/zero", FileErrorKind::Other},
    };
    for (const auto& c : cases) {
        const FileResult<std::string> read = ReadWholeFile(c.path);
        ASSERT_FALSE(read) << c.path;
        EXPECT_EQ(read.error->kind, c.kind) << c.path;
        EXPECT_NE(read.error->message.find(c.path), std::string::npos) << read.error->message;
        EXPECT_TRUE(read.value.empty());
    }
}

TEST_F(ReadWholeFileTest, ReportsAFileItMayNotRead) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    Write(root + "secret", "x");
    chmod((root + "secret").c_str(), 0);
    const FileResult<std::string> read = ReadWholeFile(root + "secret");
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error->kind, FileErrorKind::PermissionDenied);
}

TEST_F(ReadWholeFileTest, RefusesFilesBeyondTheLimitWithoutReadingThem) {
    const std::string path = root + "sparse";
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(kMaxReadableFileSize + 1)), 0);
    close(fd);
    const FileResult<std::string> read = ReadWholeFile(path);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error->kind, FileErrorKind::TooLarge);
}

} // namespace
