#include "platform/ProgramFolder.h"

#include "platform/FileSystem.h"
#include "support/TemporaryFolderTest.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ProgramFolder, IsTheRunningExecutablesFolderUnlessTheDataFolderIsGiven) {
    const std::string executable = ExecutablePath();
    ASSERT_FALSE(executable.empty());
    EXPECT_EQ(ProgramFolder() + std::string(FileNameOf(executable)), executable);
    unsetenv("TABRIX_DATA_DIR");
    EXPECT_EQ(ProgramDataFolder(), ProgramFolder());
    setenv("TABRIX_DATA_DIR", "/srv/tabrix data", 1);
    EXPECT_EQ(ProgramDataFolder(), "/srv/tabrix data/");
    unsetenv("TABRIX_DATA_DIR");
}

TEST(ProgramFolder, CommandLinksOfAnInstallationOnly) {
    struct Case {
        const char* programFolder;
        const char* linkFolder;
    };
    const Case cases[] = {
        {"/home/ann/.local/lib/tabrix-pro/", "/home/ann/.local/bin/"},
        {"/opt/my tools/lib/tabrix-pro/", "/opt/my tools/bin/"},
        {"/lib/tabrix-pro/", "/bin/"},
        {"/home/ann/src/tabrix/build/bin/", ""},
        {"/home/ann/lib/tabrix-pro-old/", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandLinkFolder(c.programFolder), c.linkFolder) << c.programFolder;
}

class DataFolder : public TemporaryFolderTest {};

TEST_F(DataFolder, APackagesCommandFolderFindsItsSharedFilesEverythingElseItsOwn) {
    for (const char* folder :
         {"usr/bin", "usr/share/tabrix-pro", "opt/bin", "opt/share", "build/bin", "lib/tabrix-pro",
          "xbin", "x/share/tabrix-pro", "file/share"})
        std::filesystem::create_directories(root + folder);
    Write(root + "file/share/tabrix-pro", "not a folder");
    struct Case {
        std::string programFolder;
        std::string dataFolder;
    };
    const Case cases[] = {
        {root + "usr/bin/", root + "usr/share/tabrix-pro/"},
        {root + "opt/bin/", root + "opt/bin/"},
        {root + "build/bin/", root + "build/bin/"},
        {root + "lib/tabrix-pro/", root + "lib/tabrix-pro/"},
        {root + "xbin/", root + "xbin/"},
        {root + "file/bin/", root + "file/bin/"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataFolderOf(c.programFolder), c.dataFolder) << c.programFolder;
}

TEST(ProgramFolder, PlainFileNamesStayOneEntryOfTheirFolder) {
    struct Case {
        std::string name;
        bool plain;
    };
    const Case cases[] = {
        {"Night", true},
        {"Paper & Ink.style", true},
        {"..style", true},
        {".hidden", true},
        {"", false},
        {".", false},
        {"..", false},
        {"../escaped", false},
        {"sub/name", false},
        {"name/", false},
        {std::string("a\0b", 3), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
}

} // namespace
