#include "platform/FileStamp.h"

#include "support/TemporaryFolderTest.h"

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using FileStampTest = TemporaryFolderTest;

// Moves the file's modification time by one nanosecond: a change no size or identity shows.
void TouchOneNanosecondLater(const std::string& path) {
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    timespec times[2] = {status.st_atim, status.st_mtim};
    if (++times[1].tv_nsec == 1'000'000'000) {
        times[1].tv_nsec = 0;
        ++times[1].tv_sec;
    }
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(FileStampTest, TellsEveryKindOfChangeFromNone) {
    enum class Expect { Same, Different, Gone };
    const struct {
        const char* name;
        std::function<void(const std::string& file, const std::string& folder)> change;
        Expect expect;
    } cases[] = {
        {"untouched", [](const std::string&, const std::string&) {}, Expect::Same},
        {"permissions only",
         [](const std::string& file, const std::string&) { chmod(file.c_str(), 0600); },
         Expect::Same},
        {"rewritten in place, longer",
         [](const std::string& file, const std::string&) { Write(file, "content!"); },
         Expect::Different},
        {"same size, a nanosecond later",
         [](const std::string& file, const std::string&) { TouchOneNanosecondLater(file); },
         Expect::Different},
        {"replaced by rename, same size and time",
         [](const std::string& file, const std::string& folder) {
             struct stat old {};
             stat(file.c_str(), &old);
             const std::string replacement = folder + "replacement";
             Write(replacement, "content");
             const timespec times[2] = {old.st_atim, old.st_mtim};
             utimensat(AT_FDCWD, replacement.c_str(), times, 0);
             rename(replacement.c_str(), file.c_str());
         },
         Expect::Different},
        {"deleted", [](const std::string& file, const std::string&) { unlink(file.c_str()); },
         Expect::Gone},
        {"replaced by a folder",
         [](const std::string& file, const std::string&) {
             unlink(file.c_str());
             mkdir(file.c_str(), 0700);
         },
         Expect::Gone},
    };
    for (const auto& c : cases) {
        const std::string folder = root + c.name + "/";
        ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
        const std::string file = folder + "file.txt";
        Write(file, "content");
        const std::optional<FileStamp> before = StampOfFile(file);
        ASSERT_TRUE(before.has_value()) << c.name;
        EXPECT_EQ(before->size, 7u) << c.name;
        c.change(file, folder);
        const std::optional<FileStamp> after = StampOfFile(file);
        switch (c.expect) {
        case Expect::Same:
            EXPECT_EQ(after, before) << c.name;
            break;
        case Expect::Different:
            ASSERT_TRUE(after.has_value()) << c.name;
            EXPECT_NE(*after, *before) << c.name;
            break;
        case Expect::Gone:
            EXPECT_FALSE(after.has_value()) << c.name;
            break;
        }
    }
}

TEST_F(FileStampTest, FollowsSymbolicLinksToTheirFile) {
    const std::string file = root + "target.txt";
    Write(file, "x");
    ASSERT_EQ(symlink(file.c_str(), (root + "link").c_str()), 0);
    ASSERT_EQ(symlink((root + "nowhere").c_str(), (root + "dangling").c_str()), 0);
    EXPECT_EQ(StampOfFile(root + "link"), StampOfFile(file));
    EXPECT_FALSE(StampOfFile(root + "dangling").has_value());
}

} // namespace
