#include "platform/ShellFolders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace {

class ShellFoldersTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        home = std::string(std::getenv("HOME")) + "/shell-folders";
        std::filesystem::create_directories(home + "/.config");
        setenv("HOME", home.c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        std::filesystem::remove_all(home);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    std::string home;
};

TEST_F(ShellFoldersTest, DefaultsUnderHome) {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(GetShellFolder("AppData"), home + "/.config/");
    EXPECT_EQ(GetShellFolder("appdata"), home + "/.config/");
    EXPECT_EQ(GetShellFolder("Programs"), home + "/.local/share/applications/");
    EXPECT_EQ(GetShellFolder("Desktop"), home + "/Desktop/");
    EXPECT_EQ(GetShellFolder("Fonts"), "");
    EXPECT_EQ(GetShellFolder(""), "");
}

TEST_F(ShellFoldersTest, XdgVariablesWhenAbsolute) {
    setenv("XDG_CONFIG_HOME", "/x/config", 1);
    setenv("XDG_DATA_HOME", "/x/data/", 1);
    EXPECT_EQ(GetShellFolder("AppData"), "/x/config/");
    EXPECT_EQ(GetShellFolder("Programs"), "/x/data/applications/");
    setenv("XDG_CONFIG_HOME", "relative/config", 1); // ignored, as the XDG rules say
    EXPECT_EQ(GetShellFolder("AppData"), home + "/.config/");
}

TEST_F(ShellFoldersTest, DesktopFromUserDirs) {
    unsetenv("XDG_CONFIG_HOME");
    struct Case {
        const char* line;
        std::string desktop;
    };
    const Case cases[] = {
        {"XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"", home + "/Schreibtisch/"},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"", "/srv/desk/"},
        {"XDG_DESKTOP_DIR=\"relative\"", home + "/Desktop/"},
        {"XDG_MUSIC_DIR=\"$HOME/Music\"", home + "/Desktop/"},
    };
    for (const Case& c : cases) {
        std::ofstream(home + "/.config/user-dirs.dirs") << "# comment\n" << c.line << "\n";
        EXPECT_EQ(GetShellFolder("Desktop"), c.desktop) << c.line;
    }
}

} // namespace
