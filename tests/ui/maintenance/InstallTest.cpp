// `make install` into a temporary prefix: the layout, the installed-files list, the desktop
// entries, a moved installation that still finds its styles and starts, and /uninstall of it.

#include "MaintenanceFixture.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <set>
#include <thread>
#include <unistd.h>

namespace {

class Install : public MaintenanceTest {
protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        prefix = root + "prefix";
        fs::create_directories(GetShellFolder("Desktop"));
        ASSERT_EQ(MaintenanceTest::Install(prefix), 0) << InstallLog();
    }
    std::string ProgramFolder() const { return prefix + "/lib/tabrix-pro/"; }

    static std::vector<std::string> ShippedStyles() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(TABRIX_TEST_DATA "/../../data/styles"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs a command line; its exit status and standard output.
    std::pair<int, std::string> Command(const std::string& command) const {
        const std::string out = root + "command.out";
        const int status = std::system((command + " >'" + out + "' 2>&1").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(out)};
    }

    std::string prefix;
};

TEST_F(Install, EverythingLandsInTheProgramFolderAndTheListNamesIt) {
    const std::string program = ProgramFolder();
    std::vector<std::string> expected{"install.txt", "tabrix-cli", "tabrix-pro",
                                      "tabrix-pro.desktop", "tabrix-pro.svg"};
    for (const std::string& style : ShippedStyles())
        expected.push_back(style);
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> present;
    for (const auto& entry : fs::recursive_directory_iterator(program))
        present.push_back(fs::relative(entry.path(), program).string() +
                          (entry.is_directory() ? "/" : ""));
    std::sort(present.begin(), present.end());
    EXPECT_EQ(present, expected);

    std::string listed;
    for (const std::string& name : expected)
        listed += name + "\n";
    EXPECT_EQ(Read(program + "install.txt"), listed);

    for (const char* command : {"tabrix-pro", "tabrix-cli"}) {
        const std::string link = prefix + "/bin/" + command;
        ASSERT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_EQ(fs::read_symlink(link), fs::path("../lib/tabrix-pro") / command);
        EXPECT_TRUE(fs::equivalent(link, program + command));
    }
}

TEST_F(Install, TheDesktopEntriesAreValidAndStartTheInstalledProgram) {
    const std::string entries[] = {ProgramFolder() + "tabrix-pro.desktop",
                                   GetShellFolder("Programs") + "Tabrix Pro.desktop",
                                   GetShellFolder("Desktop") + "Tabrix Pro.desktop"};
    for (const std::string& entry : entries) {
        const auto [status, output] = Command("desktop-file-validate '" + entry + "'");
        EXPECT_EQ(status, 0) << entry << "\n" << output;
        const std::string text = Read(entry);
        EXPECT_NE(text.find("Exec=\"" + ProgramFolder() + "tabrix-pro\" %F\n"), std::string::npos)
            << text;
        EXPECT_NE(text.find("Icon=" + ProgramFolder() + "tabrix-pro.svg\n"), std::string::npos);
        EXPECT_NE(text.find("text/x-c++src;"), std::string::npos);
    }
}

TEST_F(Install, AMovedInstallationFindsItsStylesAndStartsFromItsNewPlace) {
    const std::string moved = root + "moved prefix";
    fs::rename(prefix, moved);
    const std::string program = moved + "/lib/tabrix-pro/";

    const auto [status, output] = Command("'" + moved + "/bin/tabrix-cli' styles");
    EXPECT_EQ(status, 0) << output;
    std::string expected;
    for (const std::string& style : ShippedStyles())
        expected += program + style + "\n";
    EXPECT_EQ(output, expected);

    // A start registers the uninstall entry with the executable's new place before the window
    // opens; the window then makes the settings folder.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const std::string command = moved + "/bin/tabrix-pro";
        execl(command.c_str(), command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Registry userRegistry;
    std::optional<RegistryValue> uninstall;
    const std::string settingsFolder = GetShellFolder("AppData") + "Tabrix_Pro";
    for (int waited = 0; waited < 300 && !(uninstall && fs::is_directory(settingsFolder));
         ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        uninstall =
            userRegistry.ReadValue(RegistryHive::LocalMachine, kUninstallKey, "UninstallString");
    }
    kill(child, SIGKILL);
    int ignored = 0;
    waitpid(child, &ignored, 0);
    ASSERT_TRUE(uninstall);
    EXPECT_EQ(uninstall->text, program + "tabrix-pro /uninstall");
    EXPECT_TRUE(fs::is_directory(settingsFolder));
}

TEST_F(Install, UninstallRemovesTheInstallationAndItsShortcutsOnly) {
    const std::string programs = GetShellFolder("Programs");
    const std::string desktop = GetShellFolder("Desktop");
    // Things of the user and of other programs beside ours.
    Write(prefix + "/bin/other-tool", "#!/bin/sh\n");
    // A command of our name that leads elsewhere is not ours to remove.
    fs::remove(prefix + "/bin/tabrix-cli");
    fs::create_symlink("../lib/other/tabrix-cli", prefix + "/bin/tabrix-cli");
    Write(programs + "other.desktop", "[Desktop Entry]\n");
    Write(desktop + "notes.txt", "mine");

    dialogs.Queue(DialogAnswer::Yes);
    EXPECT_TRUE(Run({"/uninstall"}, ProgramFolder() + "tabrix-pro"));
    EXPECT_EQ(Shown(), (std::vector<std::string>{kQuestion, kResetDone, kUninstallDone}));
    for (const std::string& gone :
         {ProgramFolder(), prefix + "/bin/tabrix-pro", programs + "Tabrix Pro.desktop",
          desktop + "Tabrix Pro.desktop"})
        EXPECT_FALSE(Exists(gone)) << gone;
    for (const std::string& kept : {prefix + "/bin/other-tool", prefix + "/bin/tabrix-cli",
                                    programs + "other.desktop", desktop + "notes.txt"})
        EXPECT_TRUE(Exists(kept)) << kept;
}

TEST_F(Install, APrefixADesktopEntryCannotCarryIsRefused) {
    const int status = MaintenanceTest::Install(root + "odd$prefix");
    EXPECT_NE(status, 0);
    EXPECT_NE(InstallLog().find("Choose another PREFIX"), std::string::npos) << InstallLog();
}

} // namespace
