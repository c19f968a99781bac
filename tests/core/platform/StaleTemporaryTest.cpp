// Temporary files a save leaves when it is killed before its rename: removed once their writer
// is gone, kept while it lives, and nothing else beside the file is ever touched.

#include "FileSystemTestFolder.h"
#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

class StaleTemporaryTest : public FileSystemTestFolder {
protected:
    // The temporaries beside root + "a.txt".
    std::vector<std::string> Temporaries() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(root)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(".a.txt.tabrix-"))
                found.push_back(name);
        }
        return found;
    }

    // A process saving root + "a.txt" that stops after the first piece of the new content, once
    // the temporary file is written to; its id.
    pid_t WriterStoppedMidSave() const {
        int ready[2];
        EXPECT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(ready[0]);
            SaveFileAtomically(root + "a.txt", [&](const auto& write) {
                write(std::string(1 << 16, 'n'));
                const char done = 1;
                [[maybe_unused]] const ssize_t sent = ::write(ready[1], &done, 1);
                pause();
            });
            _exit(0);
        }
        close(ready[1]);
        char done = 0;
        EXPECT_EQ(read(ready[0], &done, 1), 1);
        close(ready[0]);
        return child;
    }

    static void Kill(pid_t child) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
};

TEST_F(StaleTemporaryTest, ALeftoverOfAKilledSaveGoesWhenTheFileIsSavedOrOpenedAgain) {
    const std::string path = root + "a.txt";
    for (const bool byOpening : {false, true}) {
        Write(path, "old");
        Kill(WriterStoppedMidSave());
        ASSERT_EQ(Temporaries().size(), 1u) << "the killed save left no temporary file";
        if (byOpening)
            RemoveStaleTemporaries(path);
        else
            ASSERT_EQ(SaveFileAtomically(path, "new"), std::nullopt);
        EXPECT_TRUE(Temporaries().empty()) << (byOpening ? "opening" : "saving");
        EXPECT_EQ(Read(path), byOpening ? "old" : "new");
    }
}

TEST_F(StaleTemporaryTest, ASaveInProgressKeepsItsTemporary) {
    const std::string path = root + "a.txt";
    Write(path, "old");
    const pid_t writer = WriterStoppedMidSave();
    RemoveStaleTemporaries(path);
    EXPECT_EQ(Temporaries().size(), 1u) << "a live writer's temporary was deleted";
    Kill(writer);

    // The program's own save, looked at from inside its writing.
    std::size_t seenWhileWriting = 0;
    ASSERT_EQ(SaveFileAtomically(path,
                                 [&](const auto& write) {
                                     write("new ");
                                     RemoveStaleTemporaries(path);
                                     seenWhileWriting = Temporaries().size();
                                     write("content");
                                 }),
              std::nullopt);
    EXPECT_EQ(seenWhileWriting, 1u);
    EXPECT_EQ(Read(path), "new content");
    EXPECT_TRUE(Temporaries().empty());
}

TEST_F(StaleTemporaryTest, OnlyUnlockedTemporariesOfOursForThisFileAreRemoved) {
    const std::string path = root + "a.txt";
    Write(path, "text");
    const struct {
        std::string name;
        bool removed;
    } cases[] = {
        {".a.txt.tabrix-k3j9x0qz7m", true},
        {".a.txt.tabrix-locked0000", false},
        // A backup may hold the only whole copy of a file rewritten in place.
        {".a.txt.tabrix-backup-k3j9x0qz7m", false},
        {".a.txt.tabrix-k3j9x0qz7", false},
        {".a.txt.tabrix-k3j9x0qz7mm", false},
        {".a.txt.tabrix-K3J9X0QZ7M", false},
        {".b.txt.tabrix-k3j9x0qz7m", false},
        {"a.txt.tabrix-k3j9x0qz7m", false},
        {".a.txt.tabrix-folder0000", false},
    };
    for (const auto& c : cases) {
        if (c.name.ends_with("folder0000"))
            mkdir((root + c.name).c_str(), 0700);
        else
            Write(root + c.name, "left");
    }
    const std::optional<InstanceLock> writer =
        InstanceLock::TryAcquire(root + ".a.txt.tabrix-locked0000");
    ASSERT_TRUE(writer);
    RemoveStaleTemporaries(path);
    for (const auto& c : cases)
        EXPECT_EQ(!PathExists(root + c.name), c.removed) << c.name;
    EXPECT_EQ(Read(path), "text");
}

} // namespace
