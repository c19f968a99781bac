// A file is read-only by its mode bits, for root too, whom the system lets write anything; a
// save refuses such a file unless told to overwrite it, and then keeps its mode.

#include "FileSystemTestFolder.h"
#include "platform/FileSystem.h"

#include <grp.h>
#include <string>
#include <sys/wait.h>

namespace {

constexpr uid_t kNobody = 65534;

class ReadOnlyFileTest : public FileSystemTestFolder {
protected:
    // IsReadOnlyFile as the user `runner` sees it, asked in a process of that user.
    static bool ReadOnlyFor(uid_t runner, const std::string& path) {
        if (runner == geteuid())
            return IsReadOnlyFile(path);
        const pid_t child = fork();
        if (child == 0) {
            if (setgroups(0, nullptr) != 0 || setegid(kNobody) != 0 || seteuid(runner) != 0)
                _exit(2);
            _exit(IsReadOnlyFile(path) ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) < 2) << "could not become the user";
        return WIFEXITED(status) && WEXITSTATUS(status) == 1;
    }
};

TEST_F(ReadOnlyFileTest, TheModeBitsOfTheUsersClassDecide) {
    const uid_t me = geteuid();
    const struct {
        uid_t owner;
        mode_t mode;
        uid_t runner;
        bool readOnly;
    } cases[] = {
        {me, 0444, me, true},
        {me, 0644, me, false},
        {me, 0466, me, true}, // others may write it, its owner may not
        {me, 0200, me, false},
        {me, 0000, me, true},
        // Root, not the owner: read-only only when nobody may write it.
        {kNobody, 0444, 0, true},
        {kNobody, 0464, 0, false},
        {kNobody, 0446, 0, false},
        // Another user, in the others' class.
        {0, 0644, kNobody, true},
        {0, 0646, kNobody, false},
        {kNobody, 0644, kNobody, false},
        {kNobody, 0444, kNobody, true},
    };
    chmod(root.c_str(), 0755);
    int number = 0;
    for (const auto& c : cases) {
        if ((c.owner != me || c.runner != me) && me != 0)
            continue;
        const std::string path = root + "file" + std::to_string(++number);
        Write(path, "text");
        ASSERT_EQ(chown(path.c_str(), c.owner, c.owner), 0);
        chmod(path.c_str(), c.mode);
        EXPECT_EQ(ReadOnlyFor(c.runner, path), c.readOnly)
            << "owner " << c.owner << ", mode " << std::oct << c.mode << ", user " << std::dec
            << c.runner;
    }
    EXPECT_FALSE(IsReadOnlyFile(root + "missing"));
}

TEST_F(ReadOnlyFileTest, ASaveOverwritesAReadOnlyFileOnlyWhenTold) {
    const std::string path = root + "locked.txt";
    Write(path, "old");
    chmod(path.c_str(), 0444);
    const std::optional<FileError> refused = SaveFileAtomically(path, "new");
    ASSERT_NE(refused, std::nullopt);
    EXPECT_EQ(refused->kind, FileErrorKind::PermissionDenied);
    EXPECT_EQ(Read(path), "old");

    ASSERT_EQ(SaveFileAtomically(path, "new", ReadOnlyFile::Overwrite), std::nullopt);
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(PermissionsOf(path), 0444u);
}

} // namespace
