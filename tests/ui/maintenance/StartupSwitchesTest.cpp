// The start routine: which arguments run maintenance, what /reset leaves in the registry, and the
// uninstall entry every start makes sure of.

#include "MaintenanceFixture.h"

namespace {

class StartupSwitches : public MaintenanceTest {
protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        executable = root + "program/tabrix-pro";
        fs::create_directories(root + "program");
        Write(executable, "program");
        Write(root + "program/install.txt", "tabrix-pro\ninstall.txt\n");
    }
    std::string executable;
};

TEST_F(StartupSwitches, OnlyTheFirstArgumentInAnyCaseEndsTheProgram) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<DialogAnswer> answer;
        bool ends;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {{}, {}, false, {}},
        {{"notes.txt"}, {}, false, {}},
        {{"notes.txt", "/reset"}, {}, false, {}},
        {{"reset"}, {}, false, {}},
        {{"/reset"}, {}, true, {kResetDone}},
        {{"/RESET", "notes.txt"}, {}, true, {kResetDone}},
        {{"/ReSeT"}, {}, true, {kResetDone}},
        {{"/UnInstall"}, DialogAnswer::No, true, {kQuestion}},
        {{"/uninstall", "/reset"}, DialogAnswer::No, true, {kQuestion}},
    };
    for (const Case& c : cases) {
        const std::string label = c.arguments.empty() ? "(none)" : c.arguments.front();
        dialogs.ClearHistory();
        if (c.answer)
            dialogs.Queue(*c.answer);
        EXPECT_EQ(Run(c.arguments, executable), c.ends) << label;
        EXPECT_EQ(Shown(), c.shown) << label;
        EXPECT_EQ(Value(RegistryHive::LocalMachine, kUninstallKey, "UninstallString"),
                  executable + " /uninstall")
            << label;
    }
}

TEST_F(StartupSwitches, AnsweringNoRemovesNothing) {
    registry->CreateKey(RegistryHive::CurrentUser, "Software\\Vantrel\\Tabrix Pro\\Recent");
    fs::create_directories(GetShellFolder("Programs"));
    const std::string shortcut = GetShellFolder("Programs") + "Tabrix Pro.desktop";
    Write(shortcut, "[Desktop Entry]\n");
    dialogs.Queue(DialogAnswer::No);
    EXPECT_TRUE(Run({"/uninstall"}, executable));
    EXPECT_TRUE(Exists(executable));
    EXPECT_TRUE(Exists(root + "program/install.txt"));
    EXPECT_TRUE(Exists(shortcut));
    EXPECT_TRUE(
        registry->KeyExists(RegistryHive::CurrentUser, "Software\\Vantrel\\Tabrix Pro\\Recent"));
    EXPECT_TRUE(registry->KeyExists(RegistryHive::LocalMachine, kUninstallKey));
}

TEST_F(StartupSwitches, PendingDeletionsAreClearedOnlyWhenTheEntryIsNew) {
    const std::vector<std::string> pending{"Delete Tabrix Pro", "Delete Tabrix Pro file 0",
                                           "Delete Tabrix Pro file 1"};
    const std::string afterGap = "Delete Tabrix Pro file 3";
    struct Case {
        bool entryExists;
        bool pendingCleared;
    };
    for (const Case c : {Case{true, false}, Case{false, true}}) {
        registry = std::make_unique<Registry>(root + (c.entryExists ? "with/" : "without/"));
        registry->CreateKey(RegistryHive::LocalMachine, kRunOnceKey);
        for (const std::string& name : pending)
            registry->WriteValue(RegistryHive::LocalMachine, kRunOnceKey, name,
                                 RegistryValue::String("command.com /c del x"));
        registry->WriteValue(RegistryHive::LocalMachine, kRunOnceKey, afterGap,
                             RegistryValue::String("command.com /c del y"));
        registry->WriteValue(RegistryHive::LocalMachine, kRunOnceKey, "Other Program",
                             RegistryValue::String("other"));
        if (c.entryExists) {
            registry->CreateKey(RegistryHive::LocalMachine, kUninstallKey);
            registry->WriteValue(RegistryHive::LocalMachine, kUninstallKey, "DisplayName",
                                 RegistryValue::String("Older"));
        }
        EXPECT_FALSE(Run({}, executable));
        for (const std::string& name : pending)
            EXPECT_EQ(Value(RegistryHive::LocalMachine, kRunOnceKey, name).has_value(),
                      !c.pendingCleared)
                << name;
        EXPECT_TRUE(Value(RegistryHive::LocalMachine, kRunOnceKey, afterGap));
        EXPECT_TRUE(Value(RegistryHive::LocalMachine, kRunOnceKey, "Other Program"));
        EXPECT_EQ(Value(RegistryHive::LocalMachine, kUninstallKey, "DisplayName"),
                  c.entryExists ? "Older" : "Tabrix Pro");
    }
}

TEST_F(StartupSwitches, ResetRemovesThePlacementAndThreeKeysOnly) {
    const std::string program = "Software\\Vantrel\\Tabrix Pro";
    const std::string main = program + "\\Main";
    registry->CreateKey(RegistryHive::CurrentUser, main);
    for (const char* name : {"Top", "Left", "Width", "Maximized", "Height"})
        registry->WriteValue(RegistryHive::CurrentUser, main, name, RegistryValue::Integer(5));
    for (const char* key : {"Toolbars\\Standard", "Recent", "Options\\Deep\\Deeper", "Keep"})
        registry->CreateKey(RegistryHive::CurrentUser, program + "\\" + key);
    registry->WriteValue(RegistryHive::CurrentUser, program + "\\Recent", "File1",
                         RegistryValue::String("a.txt"));

    EXPECT_TRUE(Run({"/reset"}, executable));
    EXPECT_EQ(Shown(), std::vector<std::string>{kResetDone});
    EXPECT_EQ(registry->ValueNames(RegistryHive::CurrentUser, main),
              std::vector<std::string>{"Height"});
    EXPECT_EQ(registry->SubKeyNames(RegistryHive::CurrentUser, program),
              (std::vector<std::string>{"Keep", "Main"}));
}

TEST_F(StartupSwitches, ResetWithoutKeysMakesThemEmptyAndStillSaysSo) {
    EXPECT_TRUE(Run({"/reset"}, executable));
    EXPECT_EQ(Shown(), std::vector<std::string>{kResetDone});
    const std::string program = "Software\\Vantrel\\Tabrix Pro";
    EXPECT_EQ(registry->SubKeyNames(RegistryHive::CurrentUser, program),
              std::vector<std::string>{"Main"});
    EXPECT_TRUE(registry->ValueNames(RegistryHive::CurrentUser, program + "\\Main").empty());
}

} // namespace
