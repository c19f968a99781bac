// /uninstall of a program a package manager installed: it names the package manager's command and
// removes nothing, neither files nor shortcuts nor registry entries; /reset still works.

#include "MaintenanceFixture.h"
#include "platform/ProgramFolder.h"

namespace {

class PackagedUninstall : public MaintenanceTest {
protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        executable = root + "usr/bin/tabrix-pro";
        dataFolder = root + "usr/share/tabrix-pro/";
        fs::create_directories(root + "usr/bin");
        fs::create_directories(dataFolder);
        Write(executable, "program");
        Write(dataFolder + "Night.style", "[Style]\r\n");
        // A list beside the command, as a program folder install leaves one, must not be read.
        Write(root + "usr/bin/install.txt", "tabrix-pro\ninstall.txt\n");
        fs::create_directories(GetShellFolder("Programs"));
        Write(GetShellFolder("Programs") + "Tabrix Pro.desktop", "[Desktop Entry]\n");
        registry->CreateKey(RegistryHive::CurrentUser, kRecentKey);
    }

    std::vector<std::string> Kept() const {
        return {executable, dataFolder + "Night.style", root + "usr/bin/install.txt",
                GetShellFolder("Programs") + "Tabrix Pro.desktop"};
    }

    static constexpr const char* kRecentKey = "Software\\Vantrel\\Tabrix Pro\\Recent";
    std::string executable;
    std::string dataFolder;
};

TEST_F(PackagedUninstall, NamesThePackageManagersCommandAndRemovesNothing) {
    const std::string owned =
        "Tabrix Pro was installed by the package manager, and only the package manager removes it.";
    const std::string nothing = "\r\n\r\nNothing has been removed.";
    struct Case {
        std::string marker;
        std::string shown;
    };
    const Case cases[] = {
        {"apt remove tabrix-pro\n",
         owned + " As root, run:\r\n\r\napt remove tabrix-pro" + nothing},
        {"apt remove tabrix-pro  \r\nsecond line\n",
         owned + " As root, run:\r\n\r\napt remove tabrix-pro" + nothing},
        {"", owned + nothing},
        {"\napt remove tabrix-pro\n", owned + nothing},
    };
    for (const Case& c : cases) {
        Write(dataFolder + std::string(kPackageRemovalName), c.marker);
        dialogs.ClearHistory();
        EXPECT_TRUE(Run({"/Uninstall"}, executable)) << c.marker;
        EXPECT_EQ(Shown(), std::vector<std::string>{c.shown}) << c.marker;
        for (const std::string& kept : Kept())
            EXPECT_TRUE(Exists(kept)) << kept;
        EXPECT_TRUE(registry->KeyExists(RegistryHive::CurrentUser, kRecentKey));
        EXPECT_TRUE(registry->KeyExists(RegistryHive::LocalMachine, kUninstallKey));
    }
}

TEST_F(PackagedUninstall, ResetWorksAsForAnyInstallation) {
    Write(dataFolder + std::string(kPackageRemovalName), "apt remove tabrix-pro\n");
    EXPECT_TRUE(Run({"/reset"}, executable));
    EXPECT_EQ(Shown(), std::vector<std::string>{kResetDone});
    EXPECT_FALSE(registry->KeyExists(RegistryHive::CurrentUser, kRecentKey));
    for (const std::string& kept : Kept())
        EXPECT_TRUE(Exists(kept)) << kept;
}

TEST_F(PackagedUninstall, WithoutThePackagesFileTheUninstallAsksAsEver) {
    dialogs.Queue(DialogAnswer::No);
    EXPECT_TRUE(Run({"/uninstall"}, executable));
    EXPECT_EQ(Shown(), std::vector<std::string>{kQuestion});
}

} // namespace
