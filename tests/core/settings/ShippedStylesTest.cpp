#include "settings/SettingsFolders.h"
#include "settings/WindowSettings.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const std::string kStylesFolder = TABRIX_TEST_DATA "/../../data/styles/";

// Every shipped style sets its own face, size and both colours; a misspelt key or colour would
// silently keep whatever the window had before.
TEST(ShippedStyles, EachSetsAReadableFontAndColours) {
    const std::vector<std::string> names = ListFilesByExtension(kStylesFolder, {"style"});
    ASSERT_GE(names.size(), 2u);
    WindowSettings unset = DefaultWindowSettings();
    unset.font = {"", 0, false, false, false, false, clNone};
    unset.background = clNone;
    for (const std::string& name : names) {
        const IniFile file(kStylesFolder + name);
        const WindowSettings style = ReadWindowSettings(file, false, unset);
        EXPECT_FALSE(style.font.name.empty()) << name;
        EXPECT_GE(style.font.size, 8) << name;
        EXPECT_LE(style.font.size, 24) << name;
        EXPECT_NE(style.font.color, clNone) << name;
        EXPECT_NE(style.background, clNone) << name;
        EXPECT_NE(style.font.color, style.background) << name;
        EXPECT_EQ(style.bounds, unset.bounds) << name << " must not move the window";
    }
}

} // namespace
