#include "settings/WindowSettings.h"

#include "SettingsTestFolder.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

void PrintTo(const WindowBounds& bounds, std::ostream* out) {
    *out << "{left " << bounds.left << ", top " << bounds.top << ", width " << bounds.width
         << ", height " << bounds.height << "}";
}

namespace {

class WindowSettingsFiles : public SettingsTestFolder {
protected:
    // An existing file for each recent path, so that reading keeps it.
    std::string RecentFile(const std::string& name) {
        Write(root + name, "text");
        return root + name;
    }

    // Every value differs from the defaults, so a key that is not written or not read shows.
    WindowSettings Unusual() {
        WindowSettings settings;
        settings.styleName = "Paper & Ink";
        settings.recentFiles = {RecentFile("a & b.txt"), RecentFile("c.txt")};
        settings.bounds = {-4, 17, 1033, 777};
        settings.alwaysOnTop = true;
        settings.wordWrap = false;
        settings.hScrollBarVisible = true;
        settings.vScrollBarVisible = false;
        settings.statusBarVisible = false;
        settings.mainMenuVisible = false;
        settings.toolBarVisible = false;
        settings.hideCaption = true;
        settings.fullScreen = true;
        settings.showLineNumbers = false;
        settings.showToolbarCaptions = false;
        settings.activeTab = 3;
        settings.lineEnding = "CR";
        settings.font = {"DejaVu Sans Mono", 13, true, true, true, true, RGB(1, 2, 3)};
        settings.background = clInfoBk;
        return settings;
    }
};

TEST_F(WindowSettingsFiles, EveryKeyRoundTripsThroughAFile) {
    const WindowSettings saved = Unusual();
    IniFile written(root + "tabrix_pro.ini");
    WriteWindowSettings(written, saved, true);
    std::string failed;
    ASSERT_TRUE(written.Flush(failed));

    const IniFile read(root + "tabrix_pro.ini");
    EXPECT_EQ(ReadWindowSettings(read, true, DefaultWindowSettings()), saved);
}

TEST_F(WindowSettingsFiles, MainFileKeysInTheirOrder) {
    WindowSettings settings = DefaultWindowSettings();
    settings.recentFiles = {"/home/u/a&b.txt"};
    settings.bounds = {10, 20, 800, 600};
    settings.font.color = clRed;
    IniFile file(root + "tabrix_pro.ini");
    WriteWindowSettings(file, settings, true);
    EXPECT_EQ(file.Content(), "[Form]\r\n"
                              "StyleName=Untitled\r\n"
                              "Top=20\r\n"
                              "Left=10\r\n"
                              "Width=800\r\n"
                              "Height=600\r\n"
                              "AlwaysOnTop=0\r\n"
                              "[Recent]\r\n"
                              "File0=/home/u/a&b.txt\r\n"
                              "[Toolbar]\r\n"
                              "IsSmall=0\r\n"
                              "[Settings]\r\n"
                              "Wordwrap=1\r\n"
                              "HScrollBarVisible=0\r\n"
                              "VScrollBarVisible=1\r\n"
                              "StatusBarVisible=1\r\n"
                              "MainMenuVisible=1\r\n"
                              "ToolBarVisible=1\r\n"
                              "HideCaption=0\r\n"
                              "FullScreen=0\r\n"
                              "ShowLineNumbers=1\r\n"
                              "ShowToolbarCaptions=1\r\n"
                              "CIndex=0\r\n"
                              "[Font]\r\n"
                              "Name=Courier New\r\n"
                              "Size=10\r\n"
                              "IsBold=0\r\n"
                              "IsItalic=0\r\n"
                              "IsUnderline=0\r\n"
                              "IsStrikeout=0\r\n"
                              "Color=clRed\r\n"
                              "[Background]\r\n"
                              "Color=clWindow\r\n");
}

TEST_F(WindowSettingsFiles, StyleFileHasNoStyleNameAndNoRecentFiles) {
    WindowSettings settings = Unusual();
    settings.activeTab = 0;
    IniFile file(root + "Paper.style");
    WriteWindowSettings(file, settings, false);
    EXPECT_FALSE(file.KeyExists("Form", "StyleName"));
    EXPECT_FALSE(file.SectionExists("Recent"));
    EXPECT_FALSE(file.KeyExists("Settings", "LineEnding")) << "no look of the window";
    EXPECT_EQ(file.ReadString("Settings", "CIndex", ""), "0");

    // Reading it back as a style keeps the current style name and recent list.
    WindowSettings current = DefaultWindowSettings();
    current.styleName = "Night";
    current.recentFiles = {"/x"};
    const WindowSettings loaded = ReadWindowSettings(file, false, current);
    EXPECT_EQ(loaded.styleName, "Night");
    EXPECT_EQ(loaded.recentFiles, std::vector<std::string>{"/x"});
    EXPECT_EQ(loaded.lineEnding, "");
    EXPECT_EQ(loaded.font, settings.font);
    EXPECT_EQ(loaded.bounds, settings.bounds);
}

TEST_F(WindowSettingsFiles, MissingStyleGivesBooleanDefaultsAndKeepsTheLook) {
    WindowSettings current = Unusual();
    const WindowSettings loaded = ReadWindowSettings(IniFile(root + "Gone.style"), false, current);
    WindowSettings expected = DefaultWindowSettings();
    expected.styleName = current.styleName;
    expected.recentFiles = current.recentFiles;
    expected.lineEnding = current.lineEnding;
    expected.bounds = current.bounds;
    expected.alwaysOnTop = current.alwaysOnTop;
    expected.font = current.font;
    expected.font.bold = expected.font.italic = false;
    expected.font.underline = expected.font.strikeout = false;
    expected.background = current.background;
    EXPECT_EQ(loaded, expected);
}

TEST_F(WindowSettingsFiles, RecentListClosesUpOverMissingFilesAndKeepsOldPositions) {
    const std::string a = RecentFile("a.txt");
    const std::string b = RecentFile("b.txt");
    const std::string c = RecentFile("c.txt");
    const std::string d = RecentFile("d.txt");
    const std::string e = RecentFile("e.txt");
    IniFile file(root + "tabrix_pro.ini",
                 "[Recent]\r\nFile0=" + root + "gone.txt\r\nFile1=\r\nFile2=" + a + "\r\nFile3=" +
                     b + "\r\nFile4=" + c + "\r\nFile5=" + d + "\r\nFile15=" + e + "\r\n");
    EXPECT_EQ(ReadWindowSettings(file, true, DefaultWindowSettings()).recentFiles,
              (std::vector<std::string>{a, b, c, d}));

    // Three entries saved over six keys: positions 3 to 5 stay and come back at the next start.
    WindowSettings settings = DefaultWindowSettings();
    settings.recentFiles = {e, d, c};
    WriteWindowSettings(file, settings, true);
    EXPECT_EQ(file.ReadString("Recent", "File3", ""), b);
    EXPECT_EQ(file.ReadString("Recent", "File5", ""), d);
    EXPECT_EQ(ReadWindowSettings(file, true, DefaultWindowSettings()).recentFiles,
              (std::vector<std::string>{e, d, c, b, c, d}));
}

TEST_F(WindowSettingsFiles, RecentPathThatCannotBeWrittenIsSkipped) {
    WindowSettings settings = DefaultWindowSettings();
    settings.recentFiles = {"/a", "/b\nc", "/d"};
    IniFile file(root + "tabrix_pro.ini", "[Recent]\r\nFile1=/old\r\n");
    WriteWindowSettings(file, settings, true);
    EXPECT_EQ(file.ReadString("Recent", "File0", ""), "/a");
    EXPECT_EQ(file.ReadString("Recent", "File1", ""), "/old");
    EXPECT_EQ(file.ReadString("Recent", "File2", ""), "/d");
}

TEST_F(WindowSettingsFiles, BadValuesFallBackToDefaultsOrCurrent) {
    WindowSettings current = DefaultWindowSettings();
    current.bounds = {1, 2, 3, 4};
    current.font.color = clNavy;
    const IniFile file(
        root + "tabrix_pro.ini",
        "[Form]\r\nTop=high\r\nLeft=\r\nWidth=99999999\r\nHeight=-5000\r\n"
        "AlwaysOnTop=yes\r\n[Settings]\r\nWordwrap=off\r\nCIndex=$A\r\n"
        "[Font]\r\nSize=big\r\nColor=clPurplish\r\n[Background]\r\nColor=$00030201\r\n");
    const WindowSettings loaded = ReadWindowSettings(file, true, current);
    EXPECT_EQ(loaded.bounds, (WindowBounds{1, 2, 99999999, -5000}));
    EXPECT_FALSE(loaded.alwaysOnTop);
    EXPECT_TRUE(loaded.wordWrap);
    EXPECT_EQ(loaded.activeTab, 10);
    EXPECT_EQ(loaded.font.size, 10);
    EXPECT_EQ(loaded.font.color, clNavy);
    EXPECT_EQ(loaded.background, RGB(1, 2, 3));
}

TEST(WindowSettings, FontSizesOutsideWhatAFontDialogOffersKeepTheCurrentSize) {
    struct Case {
        const char* value;
        int expected;
    };
    const Case cases[] = {{"1", 1},   {"72", 72},   {"1638", 1638},  {"0", 10},
                          {"-3", 10}, {"1639", 10}, {"99999999", 10}};
    for (const Case& c : cases) {
        const IniFile file("unused.ini", std::string("[Font]\r\nSize=") + c.value + "\r\n");
        EXPECT_EQ(ReadWindowSettings(file, false, DefaultWindowSettings()).font.size, c.expected)
            << c.value;
    }
}

TEST(WindowSettings, FirstStartDefaults) {
    const WindowSettings settings = DefaultWindowSettings();
    EXPECT_EQ(settings.styleName, "Untitled");
    EXPECT_EQ(settings.font,
              (FontSettings{"Courier New", 10, false, false, false, false, clWindowText}));
    EXPECT_EQ(settings.background, clWindow);
    EXPECT_TRUE(settings.wordWrap && settings.vScrollBarVisible && settings.statusBarVisible &&
                settings.mainMenuVisible && settings.toolBarVisible && settings.showLineNumbers &&
                settings.showToolbarCaptions);
    EXPECT_FALSE(settings.hScrollBarVisible || settings.hideCaption || settings.fullScreen ||
                 settings.alwaysOnTop || settings.isSmall);
    EXPECT_EQ(DefaultBounds({0, 0, 1920, 1040}), (WindowBounds{-4, -4, 1928, 1048}));
}

TEST(WindowSettings, ClampKeepsTheWindowOnTheWorkArea) {
    struct Case {
        const char* name;
        WindowBounds bounds;
        WindowBounds expected;
    };
    const WindowBounds workArea{0, 0, 1920, 1040};
    const Case cases[] = {
        {"fits", {100, 50, 800, 600}, {100, 50, 800, 600}},
        {"reset bounds stay", {-4, -4, 1928, 1048}, {-4, -4, 1928, 1048}},
        {"width 9 over", {0, 0, 1929, 600}, {0, 0, 1928, 600}},
        {"height 9 over", {0, 0, 800, 1049}, {0, 0, 800, 1048}},
        {"absurd size", {0, 0, 99999999, 99999999}, {0, 0, 1928, 1048}},
        {"left beyond the width", {1921, 10, 800, 600}, {0, 10, 800, 600}},
        {"left at the width", {1920, 10, 800, 600}, {1920, 10, 800, 600}},
        {"top beyond the height", {10, 1041, 800, 600}, {10, 0, 800, 600}},
        {"top far above", {10, -5000, 800, 600}, {10, 0, 800, 600}},
        {"top 8 above", {10, -8, 800, 600}, {10, -8, 800, 600}},
        {"wholly left", {-900, 10, 800, 600}, {0, 10, 800, 600}},
        {"partly left", {-700, 10, 800, 600}, {-700, 10, 800, 600}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClampToWorkArea(c.bounds, workArea), c.expected) << c.name;
    }
    // A work area that does not start at 0 (a panel on the left or at the top).
    EXPECT_EQ(ClampToWorkArea({-900, -300, 800, 600}, {48, 32, 1872, 1008}),
              (WindowBounds{48, 32, 800, 600}));
}

} // namespace
