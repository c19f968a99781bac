#include "recovery/RecoveryFolder.h"

#include "recovery/RecoveryWriter.h"
#include "support/TemporaryFolderTest.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class RecoveryFolderTest : public TemporaryFolderTest {
protected:
    std::string Root() const { return root + "recovery/"; }

    RecoveryFolder MakeFolder() {
        FileResult<RecoveryFolder> made = RecoveryFolder::Create(Root());
        EXPECT_FALSE(made.error) << (made.error ? made.error->message : "");
        return std::move(made.value);
    }

    // What an instance that was killed leaves: its folder and files, and nobody holding the lock.
    std::string LeaveAbandoned(const std::string& name,
                               const std::vector<std::pair<std::string, std::string>>& files) {
        const std::string folder = Root() + name + "/";
        fs::create_directories(folder);
        Write(folder + "lock", "");
        for (const auto& [file, bytes] : files)
            Write(folder + file, bytes);
        return folder;
    }

    static std::string Copy(const std::string& fileName, const std::string& text) {
        return FormatRecoveryFile({fileName, 0, 0, 0, "utf-8", ""}, text);
    }

    static std::vector<std::string> FileNames(const AbandonedCopies& abandoned) {
        std::vector<std::string> names;
        for (const AbandonedCopy& copy : abandoned.Copies())
            names.push_back(copy.document ? copy.document->header.fileName
                                          : "refused: " + copy.error);
        return names;
    }
};

TEST_F(RecoveryFolderTest, AnInstanceFolderIsPrivateLockedAndGoesWhenRemoved) {
    RecoveryFolder folder = MakeFolder();
    ASSERT_TRUE(folder.Active());
    struct stat info {};
    ASSERT_EQ(stat(folder.Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(fs::path(folder.FileFor(12)).filename(), "document-12.recovery");

    // A live instance's copies are not offered to anyone.
    Write(folder.FileFor(1), Copy("/live.txt", "text"));
    EXPECT_TRUE(AbandonedCopies::Claim(Root()).Copies().empty());

    folder.RemoveAll();
    EXPECT_FALSE(fs::exists(folder.Path()));
    EXPECT_FALSE(folder.Active());
}

TEST_F(RecoveryFolderTest, TwoInstancesGetTwoFolders) {
    RecoveryFolder first = MakeFolder();
    RecoveryFolder second = MakeFolder();
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_TRUE(first.Active() && second.Active());
}

TEST_F(RecoveryFolderTest, AnotherProcesssCopiesAreClaimedOnlyOnceItIsKilled) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryFolder folder = MakeFolder();
        Write(folder.FileFor(1), Copy("/other.txt", "typed"));
        const char done = 1;
        if (write(ready[1], &done, 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    char done = 0;
    ASSERT_EQ(read(ready[0], &done, 1), 1);
    EXPECT_TRUE(AbandonedCopies::Claim(Root()).Copies().empty()) << "taken from a live process";
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);

    AbandonedCopies claimed = AbandonedCopies::Claim(Root());
    EXPECT_EQ(FileNames(claimed), std::vector<std::string>{"/other.txt"});
}

TEST_F(RecoveryFolderTest, AbandonedCopiesAreClaimedOnceInDocumentOrder) {
    LeaveAbandoned("instance-a", {{"document-10.recovery", Copy("/ten.txt", "10")},
                                  {"document-9.recovery", Copy("/nine.txt", "9")},
                                  {"document-x.recovery", Copy("/ignored.txt", "x")},
                                  {"notes.txt", "not a copy"}});
    LeaveAbandoned("instance-b", {{"document-1.recovery", Copy("/one.txt", "1")}});
    LeaveAbandoned(".draft", {{"document-1.recovery", Copy("/draft.txt", "d")}});

    AbandonedCopies claimed = AbandonedCopies::Claim(Root());
    EXPECT_EQ(FileNames(claimed), (std::vector<std::string>{"/nine.txt", "/ten.txt", "/one.txt"}));
    // Whoever looks while they are claimed finds nothing to take.
    EXPECT_TRUE(AbandonedCopies::Claim(Root()).Copies().empty());

    claimed.Discard();
    EXPECT_FALSE(fs::exists(Root() + "instance-a"));
    EXPECT_FALSE(fs::exists(Root() + "instance-b"));
    EXPECT_TRUE(fs::exists(Root() + ".draft"));
}

TEST_F(RecoveryFolderTest, ARefusedCopyIsSetAsideNotLost) {
    const std::string whole = Copy("/cut.txt", "0123456789");
    const std::string damaged = whole + "abc";
    LeaveAbandoned("instance-c", {{"document-1.recovery", damaged},
                                  {"document-2.recovery", Copy("/fine.txt", "ok")}});

    AbandonedCopies claimed = AbandonedCopies::Claim(Root());
    ASSERT_EQ(claimed.Copies().size(), 2u);
    const AbandonedCopy& refused = claimed.Copies()[0];
    EXPECT_FALSE(refused.document);
    EXPECT_NE(refused.error.find("13 bytes long instead of 10"), std::string::npos)
        << refused.error;
    const FileResult<std::string> kept = claimed.SetAside(refused);
    ASSERT_FALSE(kept.error);
    claimed.Discard();

    EXPECT_EQ(Read(kept.value), damaged);
    EXPECT_EQ(fs::path(kept.value).parent_path(), fs::path(Root() + "refused"));
    EXPECT_FALSE(fs::exists(Root() + "instance-c"));
    EXPECT_TRUE(AbandonedCopies::Claim(Root()).Copies().empty()) << "offered again";
}

TEST_F(RecoveryFolderTest, TheWriterLeavesTheLastRequestForEachFile) {
    RecoveryFolder folder = MakeFolder();
    {
        RecoveryWriter writer;
        for (int i = 0; i < 50; ++i)
            writer.Write(folder.FileFor(1), {"/a.txt", 0, i, 0, "utf-8", ""}, std::to_string(i));
        writer.Write(folder.FileFor(2), {"/b.txt", 0, 0, 0, "utf-8", ""}, std::string("b"));
        writer.Write(folder.FileFor(3), {"/c.txt", 0, 0, 0, "utf-8", ""}, std::string("c"));
        writer.Remove(folder.FileFor(3));
        writer.Flush();

        const RecoveryParse first = ParseRecoveryFile(Read(folder.FileFor(1)));
        ASSERT_TRUE(first.document) << first.error;
        EXPECT_EQ(first.document->text, "49");
        EXPECT_EQ(first.document->header.caretLine, 49);
        EXPECT_TRUE(fs::exists(folder.FileFor(2)));
        EXPECT_FALSE(fs::exists(folder.FileFor(3)));
        EXPECT_EQ(writer.LastError(), "");

        // Asked just before it goes, a writer still writes.
        writer.Write(folder.FileFor(4), {"/d.txt", 0, 0, 0, "utf-8", ""}, std::string("d"));
    }
    EXPECT_TRUE(fs::exists(folder.FileFor(4)));
}

TEST_F(RecoveryFolderTest, CopiesAreReadableByTheirOwnerAlone) {
    RecoveryFolder folder = MakeFolder();
    const mode_t previous = umask(022);
    {
        RecoveryWriter writer;
        writer.Write(folder.FileFor(1), {"/a.txt", 0, 0, 0, "utf-8", ""}, std::string("first"));
        writer.Flush();
        writer.Write(folder.FileFor(1), {"/a.txt", 0, 0, 0, "utf-8", ""}, std::string("second"));
    }
    umask(previous);
    struct stat info {};
    ASSERT_EQ(stat(folder.FileFor(1).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(RecoveryFolderTest, AWriteThatFailsIsReported) {
    RecoveryWriter writer;
    writer.Write(root + "no-such-folder/document-1.recovery", {}, std::string("x"));
    writer.Flush();
    EXPECT_NE(writer.LastError().find("no-such-folder"), std::string::npos) << writer.LastError();
}

} // namespace

// A recovery folder someone else prepared (a link planted in its place, a folder of another
// user) is neither used nor changed: the copies go to a fresh folder of the user's own.
TEST_F(RecoveryFolderTest, ARecoveryFolderThatIsALinkOrSomeoneElsesIsLeftAlone) {
    const char* savedTemp = std::getenv("TMPDIR");
    const std::string previousTemp = savedTemp ? savedTemp : "";
    setenv("TMPDIR", root.c_str(), 1);
    unsetenv("XDG_RUNTIME_DIR");
    const std::string fallback = root + "tabrix-pro-" + std::to_string(geteuid()) + "/recovery/";
    const std::string target = root + "theirs";
    struct Case {
        const char* name;
        bool plantLink;
        bool foreignOwner;
        mode_t mode;
        std::string complaint;
    };
    const Case cases[] = {
        {"a link to an open folder", true, false, 0777, "It is a symbolic link"},
        {"a link to another user's folder", true, true, 0777, "It is a symbolic link"},
        {"another user's folder", false, true, 0777, "It belongs to another user"},
        {"our own folder open to others", false, false, 0755, ""},
        {"none yet", false, false, 0, ""},
    };
    for (const Case& c : cases) {
        if (c.foreignOwner && geteuid() != 0)
            continue;
        fs::remove_all(fs::path(Root()).parent_path());
        fs::remove_all(target);
        if (c.mode != 0) {
            const std::string folder = c.plantLink ? target : Root();
            mkdir(folder.c_str(), 0700);
            chmod(folder.c_str(), c.mode);
            if (c.foreignOwner) {
                ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
            }
            if (c.plantLink)
                fs::create_directory_symlink(target, fs::path(Root()).parent_path());
        }
        const RecoveryRootChoice choice = ChooseRecoveryRoot(Root());
        const bool refused = !c.complaint.empty();
        EXPECT_EQ(choice.path, refused ? fallback : Root()) << c.name;
        EXPECT_NE(choice.complaint.find(c.complaint), std::string::npos) << c.name;
        EXPECT_EQ(choice.complaint.empty(), !refused) << c.name;
        FileResult<RecoveryFolder> made = RecoveryFolder::Create(choice.path);
        ASSERT_FALSE(made.error) << c.name;
        Write(made.value.FileFor(1), Copy("/a.txt", "text"));
        struct stat status {};
        ASSERT_EQ(lstat(choice.path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0700u) << c.name;
        EXPECT_EQ(status.st_uid, geteuid()) << c.name;
        if (refused) {
            const std::string left = c.plantLink ? target : Root();
            ASSERT_EQ(stat(left.c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 07777, c.mode) << c.name;
            EXPECT_TRUE(fs::is_empty(left)) << c.name;
        }
        made.value.RemoveAll();
    }
    setenv("TMPDIR", previousTemp.c_str(), 1);
    if (!savedTemp)
        unsetenv("TMPDIR");
}
