// A process killed at random moments while it saves a large file: the file is always the old
// content or the new one, whole, never a mix or a cut.

#include "platform/FileSystem.h"
#include "support/TemporaryFolderTest.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

class SaveKillTest : public TemporaryFolderTest {};

TEST_F(SaveKillTest, AKillDuringASaveLeavesTheOldOrTheNewFileWhole) {
    // Different at every byte and in length, so a mix or a cut shows.
    const std::string first(12 << 20, 'a');
    const std::string second((12 << 20) + 4096, 'b');
    const std::string path = root + "big.txt";
    ASSERT_EQ(SaveFileAtomically(path, first), std::nullopt);

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delay(0, 250);
    int mixes = 0;
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves without end, each time the other content.
            for (bool useSecond = true;; useSecond = !useSecond)
                SaveFileAtomically(path, useSecond ? second : first);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        const std::string now = Read(path);
        if (now != first && now != second)
            ++mixes;
    }
    EXPECT_EQ(mixes, 0);
}

} // namespace
