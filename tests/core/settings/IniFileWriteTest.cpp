#include "SettingsTestFolder.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

std::string Apply(std::string_view before, const std::vector<Write>& writes) {
    IniFile file("unused.ini", before);
    for (const Write& write : writes) {
        EXPECT_TRUE(file.WriteString(write.section, write.key, write.value));
    }
    return file.Content();
}

TEST(IniFileWrite, KeyByKeyResultByteForByte) {
    struct Case {
        const char* name;
        const char* before;
        std::vector<Write> writes;
        const char* after;
    };
    const Case cases[] = {
        {"new file",
         "",
         {{"Form", "Top", "5"}, {"Form", "Left", "6"}, {"Font", "Name", "A"}},
         "[Form]\r\nTop=5\r\nLeft=6\r\n[Font]\r\nName=A\r\n"},
        {"replaced in place",
         "[Form]\r\nTop=1\r\nLeft=2\r\n",
         {{"Form", "Top", "99"}},
         "[Form]\r\nTop=99\r\nLeft=2\r\n"},
        {"original key spelling kept",
         "[FORM]\r\n  tOP = 1\r\n",
         {{"form", "Top", "2"}},
         "[FORM]\r\ntOP=2\r\n"},
        {"appended after the section's last line, before its blank lines",
         "[Form]\r\nTop=1\r\n\r\n[Font]\r\nName=A\r\n",
         {{"Form", "Left", "3"}},
         "[Form]\r\nTop=1\r\nLeft=3\r\n\r\n[Font]\r\nName=A\r\n"},
        {"appended to an empty section",
         "[Form]\r\n[Font]\r\n",
         {{"Form", "Top", "1"}},
         "[Form]\r\nTop=1\r\n[Font]\r\n"},
        {"new section at the end",
         "[Form]\r\nTop=1\r\n",
         {{"Background", "Color", "clRed"}},
         "[Form]\r\nTop=1\r\n[Background]\r\nColor=clRed\r\n"},
        {"last line without a break gets one",
         "[Form]\r\nTop=1",
         {{"Form", "Left", "2"}},
         "[Form]\r\nTop=1\r\nLeft=2\r\n"},
        {"no key is ever deleted",
         "[Recent]\r\nFile0=a\r\nFile1=b\r\nFile2=c\r\n",
         {{"Recent", "File0", "x"}},
         "[Recent]\r\nFile0=x\r\nFile1=b\r\nFile2=c\r\n"},
        {"comments, garbage and keys outside sections untouched",
         "lost=1\r\n; note\r\n[Form]\r\n garbage line \r\nTop=1\r\n",
         {{"Form", "Top", "2"}, {"Form", "Left", "3"}},
         "lost=1\r\n; note\r\n[Form]\r\n garbage line \r\nTop=2\r\nLeft=3\r\n"},
        {"first of repeated keys replaced",
         "[Form]\r\nTop=1\r\nTop=2\r\n",
         {{"Form", "Top", "3"}},
         "[Form]\r\nTop=3\r\nTop=2\r\n"},
        {"new key goes to the first section of a repeated name",
         "[Form]\r\nTop=1\r\n[Form]\r\nWidth=2\r\n",
         {{"Form", "Left", "3"}, {"Form", "Width", "4"}},
         "[Form]\r\nTop=1\r\nLeft=3\r\n[Form]\r\nWidth=4\r\n"},
        {"LF-only file stays LF-only",
         "[Form]\nTop=1\n",
         {{"Form", "Left", "2"}, {"X", "y", "z"}},
         "[Form]\nTop=1\nLeft=2\n[X]\ny=z\n"},
        {"each untouched line keeps its own break",
         "[Form]\nTop=1\r\nLeft=2\r",
         {{"Form", "Top", "5"}},
         "[Form]\nTop=5\r\nLeft=2\r"},
        {"same key written twice", "", {{"S", "k", "1"}, {"s", "K", "2"}}, "[S]\r\nk=2\r\n"},
        {"ampersand and blanks written as is",
         "",
         {{"Recent", "File0", "/a & b/c&d.txt"}},
         "[Recent]\r\nFile0=/a & b/c&d.txt\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Apply(c.before, c.writes), c.after) << c.name;
    }
}

TEST(IniFileWrite, WrittenValuesReadBack) {
    IniFile file("unused.ini", "[Form]\r\nTop=1\r\n");
    file.WriteInteger("Form", "Top", -5000);
    file.WriteInteger("Form", "Width", 99999999);
    file.WriteBool("Settings", "Wordwrap", false);
    file.WriteBool("Settings", "FullScreen", true);
    EXPECT_EQ(file.ReadInteger("Form", "Top", 0), -5000);
    EXPECT_EQ(file.ReadInteger("Form", "Width", 0), 99999999);
    EXPECT_FALSE(file.ReadBool("Settings", "Wordwrap", true));
    EXPECT_TRUE(file.ReadBool("Settings", "FullScreen", false));
    EXPECT_EQ(
        file.Content(),
        "[Form]\r\nTop=-5000\r\nWidth=99999999\r\n[Settings]\r\nWordwrap=0\r\nFullScreen=1\r\n");
}

TEST(IniFileWrite, NamesAndValuesThatCouldNotBeReadBackAreRefused) {
    const Write refused[] = {
        {"Form", "", "1"},          {"Form", "a=b", "1"},   {"Form", " Top", "1"},
        {"Form", "Top ", "1"},      {"Form", "[x", "1"},    {"Form", ";x", "1"},
        {"Form", "a\nb", "1"},      {"", "Top", "1"},       {"a]b", "Top", "1"},
        {" Form", "Top", "1"},      {"Fo\rrm", "Top", "1"}, {"Recent", "File0", "/tmp/a\nb"},
        {"Recent", "File0", "a\r"},
    };
    for (const Write& write : refused) {
        IniFile file("unused.ini", "[Form]\r\nTop=1\r\n");
        EXPECT_FALSE(file.WriteString(write.section, write.key, write.value))
            << write.section << "/" << write.key << "/" << write.value;
        EXPECT_EQ(file.Content(), "[Form]\r\nTop=1\r\n");
        EXPECT_FALSE(file.Modified());
    }
}

class IniFileFlush : public SettingsTestFolder {};

TEST_F(IniFileFlush, WritesOnceIntoANewFolder) {
    const std::string path = root + "a/b/tabrix_pro.ini";
    IniFile file(path);
    file.WriteString("Form", "StyleName", "Paper");
    std::string failed;
    ASSERT_TRUE(file.Flush(failed));
    EXPECT_EQ(Read(path), "[Form]\r\nStyleName=Paper\r\n");
    EXPECT_FALSE(file.Modified());
}

TEST_F(IniFileFlush, KeepsEveryUntouchedByteOfAnExistingFile) {
    const std::string path = root + "tabrix_pro.ini";
    Write(path, "; mine\n[Form]\nTop=1\n\n[Font]\nName=X\n");
    IniFile file(path);
    file.WriteInteger("Form", "Top", 2);
    file.WriteBool("Form", "AlwaysOnTop", true);
    std::string failed;
    ASSERT_TRUE(file.Flush(failed));
    EXPECT_EQ(Read(path), "; mine\n[Form]\nTop=2\nAlwaysOnTop=1\n\n[Font]\nName=X\n");
}

TEST_F(IniFileFlush, NothingWrittenLeavesTheDiskAlone) {
    IniFile file(root + "never.ini");
    std::string failed;
    EXPECT_TRUE(file.Flush(failed));
    EXPECT_FALSE(std::filesystem::exists(root + "never.ini"));
}

TEST_F(IniFileFlush, FolderThatCannotBeCreatedFails) {
    Write(root + "plain", "a file, not a folder");
    const std::string path = root + "plain/Tabrix_Pro/tabrix_pro.ini";
    IniFile file(path);
    file.WriteInteger("Form", "Top", 1);
    std::string failed;
    EXPECT_FALSE(file.Flush(failed));
    EXPECT_EQ(failed, path);
    EXPECT_EQ(Read(root + "plain"), "a file, not a folder");
}

TEST_F(IniFileFlush, UnwritableFolderFailsAndKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into every folder";
    }
    const std::string folder = root + "locked/";
    std::filesystem::create_directory(folder);
    Write(folder + "tabrix_pro.ini", "[Form]\r\nTop=1\r\n");
    chmod(folder.c_str(), 0500);
    chmod((folder + "tabrix_pro.ini").c_str(), 0400);
    IniFile file(folder + "tabrix_pro.ini");
    file.WriteInteger("Form", "Top", 2);
    std::string failed;
    EXPECT_FALSE(file.Flush(failed));
    EXPECT_EQ(failed, folder + "tabrix_pro.ini");
    EXPECT_EQ(Read(folder + "tabrix_pro.ini"), "[Form]\r\nTop=1\r\n");
    chmod(folder.c_str(), 0700);
}

TEST_F(IniFileFlush, UnreadableFileIsNeverReplaced) {
    // Whatever stands at the path and could not be read keeps its content.
    const std::string path = root + "tabrix_pro.ini";
    std::filesystem::create_directory(path);
    Write(path + "/inside", "kept");
    IniFile file(path);
    file.WriteInteger("Form", "Top", 2);
    std::string failed;
    EXPECT_FALSE(file.Flush(failed));
    EXPECT_EQ(failed, path);
    EXPECT_EQ(Read(path + "/inside"), "kept");
}

} // namespace
