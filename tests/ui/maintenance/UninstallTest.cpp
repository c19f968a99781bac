// /uninstall answered Yes: what it removes of a program folder, the shortcuts and the registry,
// and what it must leave alone.

#include "MaintenanceFixture.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Keeps the folders the uninstall asks the desktop to open.
class FolderRecorder : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& url) { opened.push_back(url.toLocalFile().toStdString()); }

public:
    std::vector<std::string> opened;
};

// Root deletes files whatever the permissions say; without these capabilities in effect it obeys
// them like any user, so a read-only folder makes a deletion fail. The permitted set keeps them
// for Restore.
class FilePermissionsEnforced {
public:
    FilePermissionsEnforced() { ok = Set(false); }
    ~FilePermissionsEnforced() { Set(true); }
    bool ok = false;

private:
    static bool Set(bool effective) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) != 0)
            return false;
        for (const unsigned capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
            const unsigned bit = 1u << (capability % 32);
            auto& set = data[capability / 32];
            set.effective =
                effective ? (set.effective | (set.permitted & bit)) : (set.effective & ~bit);
        }
        return syscall(SYS_capset, &header, data) == 0;
    }
};

class Uninstall : public MaintenanceTest {
protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        QDesktopServices::setUrlHandler("file", &recorder, "Open");
        program = root + "opt/tabrix/";
        executable = program + "tabrix-pro";
        fs::create_directories(program);
        Write(executable, "program");
        programs = GetShellFolder("Programs");
        desktop = GetShellFolder("Desktop");
        fs::create_directories(programs);
        fs::create_directories(desktop);
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler("file");
        MaintenanceTest::TearDown();
    }

    bool UninstallAnsweringYes() {
        dialogs.Queue(DialogAnswer::Yes);
        return Run({"/uninstall"}, executable);
    }

    FolderRecorder recorder;
    std::string program;
    std::string executable;
    std::string programs;
    std::string desktop;
};

TEST_F(Uninstall, ListedFilesGoFirstThenEmptyFoldersFromTheBottomUp) {
    for (const char* folder : {"styles/dark", "keep", "empty"})
        fs::create_directories(program + folder);
    for (const char* file : {"tabrix-cli", "styles/Night.style", "styles/dark/Ink.style",
                             "keep/user notes.txt", "TABRIX-PRO"})
        Write(program + file, "x");
    // Folders listed before their files; the executable in another case; a listed file that is
    // not there; a folder that still holds an unlisted file.
    Write(program + "install.txt", "styles/\r\nstyles/dark/\r\nkeep/\r\nempty/\r\n"
                                   "styles/Night.style\r\nstyles/dark/Ink.style\r\n"
                                   "TABRIX-PRO\r\ntabrix-cli\r\nmissing.txt\r\ninstall.txt\r\n");
    registry->CreateKey(RegistryHive::CurrentUser, "Software\\Vantrel\\Tabrix Pro\\Options");

    EXPECT_TRUE(UninstallAnsweringYes());
    EXPECT_EQ(Shown(), (std::vector<std::string>{kQuestion, kResetDone, kUninstallDone}));
    for (const char* gone : {"tabrix-pro", "tabrix-cli", "styles", "empty", "install.txt"})
        EXPECT_FALSE(Exists(program + gone)) << gone;
    EXPECT_EQ(Read(program + "keep/user notes.txt"), "x");
    // The executable's own name is never taken from the list.
    EXPECT_TRUE(Exists(program + "TABRIX-PRO"));
    EXPECT_FALSE(registry->KeyExists(RegistryHive::LocalMachine, kUninstallKey));
    EXPECT_FALSE(
        registry->KeyExists(RegistryHive::CurrentUser, "Software\\Vantrel\\Tabrix Pro\\Options"));
    // Nothing is left for a next system start: the deletions were carried out.
    EXPECT_TRUE(registry->ValueNames(RegistryHive::LocalMachine, kRunOnceKey).empty());
}

TEST_F(Uninstall, AHostileListDeletesNothingOutsideTheProgramFolder) {
    fs::create_directories(root + "home/documents");
    for (const char* file :
         {"opt/outside.txt", "home/documents/letter.txt", "home/documents/abs.txt"})
        Write(root + file, "mine");
    fs::create_directory_symlink(root + "home/documents", program + "escape");
    fs::create_symlink(root + "home/documents/letter.txt", program + "letter-link");
    Write(program + "install.txt",
          "../outside.txt\n" + root +
              "home/documents/abs.txt\nescape/letter.txt\n"
              "escape/\nsub/../../outside.txt\nletter-link\ninstall.txt\n");

    EXPECT_TRUE(UninstallAnsweringYes());
    EXPECT_EQ(Shown(), (std::vector<std::string>{kQuestion, kResetDone, kUninstallDone}));
    for (const char* file :
         {"opt/outside.txt", "home/documents/letter.txt", "home/documents/abs.txt"})
        EXPECT_EQ(Read(root + file), "mine") << file;
    // A listed link is removed as a link; the unlisted one stays, and so does the folder.
    EXPECT_FALSE(Exists(program + "letter-link"));
    EXPECT_TRUE(Exists(program + "escape"));
    EXPECT_FALSE(Exists(executable));
}

TEST_F(Uninstall, WithoutTheListTheUserIsSentToTheFolderAndTheEntryStays) {
    Write(program + "tabrix-cli", "x");
    Write(desktop + "Tabrix Pro.desktop", "[Desktop Entry]\n");
    Write(programs + "Tabrix Pro.desktop", "[Desktop Entry]\n");

    EXPECT_TRUE(UninstallAnsweringYes());
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           kQuestion, kResetDone,
                           "Can't find install.txt\r\n\r\nYou need to delete the files manually"}));
    EXPECT_EQ(recorder.opened, std::vector<std::string>{program});
    EXPECT_TRUE(Exists(executable));
    EXPECT_TRUE(Exists(program + "tabrix-cli"));
    EXPECT_TRUE(registry->KeyExists(RegistryHive::LocalMachine, kUninstallKey));
    // The shortcuts went before the list was looked for.
    EXPECT_FALSE(Exists(desktop + "Tabrix Pro.desktop"));
    EXPECT_FALSE(Exists(programs + "Tabrix Pro.desktop"));
}

TEST_F(Uninstall, TheProgramsGroupGoesWithARetryOrIgnoreForWhatResists) {
    Write(program + "install.txt", "install.txt\n");
    const std::string group = programs + "Tabrix Pro/";
    fs::create_directories(group + "Locked");
    Write(group + "Locked/Help.desktop", "");
    fs::permissions(group + "Locked", fs::perms::owner_read | fs::perms::owner_exec);
    FilePermissionsEnforced enforced;
    ASSERT_TRUE(enforced.ok);

    dialogs.Queue(DialogAnswer::Yes);
    dialogs.Queue(DialogAnswer::Retry);
    dialogs.Queue(DialogAnswer::Ignore);
    EXPECT_TRUE(Run({"/uninstall"}, executable));
    const std::string resisting = "Cannot delete " + group + "Locked/Help.desktop";
    EXPECT_EQ(Shown(), (std::vector<std::string>{kQuestion, kResetDone, resisting, resisting,
                                                 kUninstallDone}));
    const auto& warning = dialogs.History()[2];
    EXPECT_EQ(warning.messageKind, MessageKind::Warning);
    EXPECT_EQ(warning.buttons, MessageButtons::RetryIgnore);
    EXPECT_TRUE(Exists(group + "Locked/Help.desktop"));
    EXPECT_FALSE(Exists(program));
}

} // namespace

#include "UninstallTest.moc"
