#include "settings/SettingsFolders.h"

#include "SettingsTestFolder.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

class SettingsFolders : public SettingsTestFolder {
protected:
    void SetUp() override {
        SettingsTestFolder::SetUp();
        const char* config = std::getenv("XDG_CONFIG_HOME");
        savedConfig = config ? std::optional<std::string>(config) : std::nullopt;
        setenv("XDG_CONFIG_HOME", (root + "config").c_str(), 1);
    }
    void TearDown() override {
        if (savedConfig) {
            setenv("XDG_CONFIG_HOME", savedConfig->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
        unsetenv("TABRIX_DATA_DIR");
        SettingsTestFolder::TearDown();
    }

    std::optional<std::string> savedConfig;
};

TEST_F(SettingsFolders, SettingsFolderLivesInTheUsersConfigFolderAndIsCreated) {
    EXPECT_EQ(SettingsFolder(), root + "config/Tabrix_Pro/");
    EXPECT_FALSE(EnsureSettingsFolder());
    EXPECT_TRUE(std::filesystem::is_directory(root + "config/Tabrix_Pro"));
    EXPECT_EQ(SettingsWritePath("tabrix_pro.ini"), root + "config/Tabrix_Pro/tabrix_pro.ini");
}

TEST_F(SettingsFolders, SettingsFolderThatCannotBeMadeIsReported) {
    Write(root + "config", "a file where the folder should be");
    const auto error = EnsureSettingsFolder();
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find(root + "config/Tabrix_Pro/"), std::string::npos);
}

TEST_F(SettingsFolders, FileNames) {
    EXPECT_EQ(SettingsFileName(kMainSettingsName, true), "tabrix_pro.ini");
    EXPECT_EQ(SettingsFileName("Paper & Ink", false), "Paper & Ink.style");
}

TEST_F(SettingsFolders, ProgramFolderIsReadOnlyWhileTheSettingsFolderHasNone) {
    const std::string settings = root + "settings/";
    const std::string program = root + "program/";
    std::filesystem::create_directories(settings);
    std::filesystem::create_directories(program);
    Write(program + "tabrix_pro.ini", "[Form]\r\n");
    EXPECT_EQ(ChooseReadPath("tabrix_pro.ini", settings, program), program + "tabrix_pro.ini");
    EXPECT_EQ(ChooseReadPath("Night.style", settings, program), program + "Night.style");
    Write(settings + "tabrix_pro.ini", "[Form]\r\n");
    EXPECT_EQ(ChooseReadPath("tabrix_pro.ini", settings, program), settings + "tabrix_pro.ini");
    // A folder of that name in the settings folder is no file.
    std::filesystem::create_directory(settings + "Night.style");
    EXPECT_EQ(ChooseReadPath("Night.style", settings, program), program + "Night.style");
}

TEST_F(SettingsFolders, ReadPathUsesTheSettingsAndDataFolders) {
    setenv("TABRIX_DATA_DIR", (root + "data").c_str(), 1);
    EXPECT_EQ(ProgramDataFolder(), root + "data/");
    EXPECT_EQ(SettingsReadPath("Paper.style"), root + "data/Paper.style");
    std::filesystem::create_directories(root + "config/Tabrix_Pro");
    Write(root + "config/Tabrix_Pro/Paper.style", "");
    EXPECT_EQ(SettingsReadPath("Paper.style"), root + "config/Tabrix_Pro/Paper.style");
}

TEST_F(SettingsFolders, RunningExecutableIsFound) {
    const std::string self = ExecutablePath();
    EXPECT_NE(self.find("test_core_settings"), std::string::npos) << self;
    EXPECT_TRUE(std::filesystem::is_regular_file(self));
}

TEST_F(SettingsFolders, ListsMatchingRegularFilesOnly) {
    const std::string folder = root + "styles/";
    std::filesystem::create_directories(folder + "Sub.style");
    for (const char* name : {"Paper.style", "Night.STYLE", "Notes.txt", "style", ".style",
                             "Large Print.Style", "a.style.bak", "Mixed & Ink.style"}) {
        Write(folder + name, "");
    }
    std::filesystem::create_symlink(folder + "missing", folder + "Dangling.style");
    std::vector<std::string> names = ListFilesByExtension(folder, {"style"});
    std::sort(names.begin(), names.end());
    const std::vector<std::string> expected{".style", "Large Print.Style", "Mixed & Ink.style",
                                            "Night.STYLE", "Paper.style"};
    EXPECT_EQ(names, expected);
    std::vector<std::string> several = ListFilesByExtension(folder, {"txt", "bak"});
    std::sort(several.begin(), several.end());
    EXPECT_EQ(several, (std::vector<std::string>{"Notes.txt", "a.style.bak"}));
    EXPECT_TRUE(ListFilesByExtension(root + "absent/", {"style"}).empty());
}

} // namespace
