#include "SettingsTestFolder.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

TEST(IniFileRead, ValuesAsTheProfileCallsFindThem) {
    struct Case {
        const char* name;
        std::string content;
        const char* section;
        const char* key;
        std::optional<std::string> expected; // nothing when the key is not found
    };
    const Case cases[] = {
        {"CR LF", "[Form]\r\nTop=5\r\nLeft=7\r\n", "Form", "Left", "7"},
        {"LF only", "[Form]\nTop=5\nLeft=7\n", "Form", "Left", "7"},
        {"CR only", "[Form]\rTop=5\rLeft=7\r", "Form", "Left", "7"},
        {"mixed breaks", "[A]\r\nx=1\n[Form]\rLeft=7", "Form", "Left", "7"},
        {"no final break", "[Form]\r\nLeft=7", "Form", "Left", "7"},
        {"section without case", "[fORM]\r\nLeft=7\r\n", "Form", "Left", "7"},
        {"key without case", "[Form]\r\nLEFT=7\r\n", "Form", "left", "7"},
        {"blanks around names and value", "  [ Form ]  \r\n\t Left \t=  7 x \t\r\n", "Form", "Left",
         "7 x"},
        {"empty value", "[Form]\r\nLeft=\r\n", "Form", "Left", ""},
        {"value holding '='", "[Font]\r\nName=a=b\r\n", "Font", "Name", "a=b"},
        {"first of repeated keys", "[Form]\r\nLeft=1\r\nLeft=2\r\n", "Form", "Left", "1"},
        {"first section of a repeated name", "[Form]\r\nLeft=1\r\n[Form]\r\nLeft=2\r\n", "Form",
         "Left", "1"},
        {"key only in the repeated section", "[Form]\r\nTop=1\r\n[X]\r\n[form]\r\nLeft=2\r\n",
         "Form", "Left", "2"},
        {"key in another section", "[Other]\r\nLeft=7\r\n", "Form", "Left", std::nullopt},
        {"keys before any section", "Left=7\r\n[Form]\r\nTop=1\r\n", "Form", "Left", std::nullopt},
        {"line without '='", "[Form]\r\nLeft\r\n", "Form", "Left", std::nullopt},
        {"comment line", "[Form]\r\n;Left=7\r\n", "Form", ";Left", std::nullopt},
        {"header without ']'", "[Form\r\nLeft=7\r\n", "Form", "Left", "7"},
        {"text after ']'", "[Form] trailing\r\nLeft=7\r\n", "Form", "Left", "7"},
        {"truncated mid-line", "[Form]\r\nTop=12\r\nLe", "Form", "Top", "12"},
        {"NUL bytes elsewhere", "[Form]\r\n\0\0\xff=\x01\r\nLeft=7\r\n"s, "Form", "Left", "7"},
        {"NUL byte in a value", "[Form]\r\nLeft=a\0b\r\n"s, "Form", "Left", "a\0b"s},
        {"empty file", "", "Form", "Left", std::nullopt},
    };
    for (const Case& c : cases) {
        const IniFile file("unused.ini", c.content);
        EXPECT_EQ(file.ReadString(c.section, c.key, "<default>"), c.expected.value_or("<default>"))
            << c.name;
    }
}

TEST(IniFileRead, LongValuesAreCutAt2047Characters) {
    const std::string value(10 * 1024 * 1024, 'v');
    const IniFile file("unused.ini", "[Font]\r\nName=" + value + "\r\nSize=12\r\n[Form]\r\nTop=3");
    EXPECT_EQ(file.ReadString("Font", "Name", ""), std::string(2047, 'v'));
    EXPECT_EQ(file.ReadInteger("Font", "Size", 0), 12);
    EXPECT_EQ(file.ReadInteger("Form", "Top", 0), 3);
}

TEST(IniFileRead, MillionsOfEmptyLinesKeepTheKeysAroundThem) {
    const std::string blank(4'000'000, '\n');
    IniFile file("unused.ini", "[Form]\nTop=1\n" + blank + "[Font]\nName=x" + blank);
    EXPECT_EQ(file.ReadInteger("Form", "Top", 0), 1);
    EXPECT_EQ(file.ReadString("Font", "Name", ""), "x");
    ASSERT_TRUE(file.WriteInteger("Form", "Left", 2));
    ASSERT_TRUE(file.WriteString("Font", "Size", "9"));
    // Compared as a whole: a printed difference of millions of lines would not help anyone.
    EXPECT_TRUE(file.Content() ==
                "[Form]\nTop=1\nLeft=2\n" + blank + "[Font]\nName=x\nSize=9" + blank);
}

TEST(IniFileRead, IntegersInEveryNotation) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-5000", -5000},
        {"+7", 7},
        {" 12 ", 12},
        {"99999999", 99999999},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$1F", 31},
        {"$ff", 255},
        {"0x10", 16},
        {"0X10", 16},
        {"$FF000005", static_cast<std::int32_t>(0xFF000005u)},
        {"$FFFFFFFF", -1},
        {"-$10", -16},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"-", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"clRed", std::nullopt},
        {"1.5", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIniInteger(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(IniFileRead, IntegerAndBooleanKeysFallBackToTheirDefaults) {
    const IniFile file("unused.ini", "[S]\r\nnum=$10\r\nbad=ten\r\nempty=\r\non=1\r\noff=0\r\n"
                                     "two=2\r\nword=true\r\n");
    EXPECT_EQ(file.ReadInteger("S", "num", -1), 16);
    EXPECT_EQ(file.ReadInteger("S", "bad", -1), -1);
    EXPECT_EQ(file.ReadInteger("S", "empty", -1), -1);
    EXPECT_EQ(file.ReadInteger("S", "absent", -1), -1);
    EXPECT_TRUE(file.ReadBool("S", "on", false));
    EXPECT_FALSE(file.ReadBool("S", "off", true));
    EXPECT_TRUE(file.ReadBool("S", "two", false));
    EXPECT_TRUE(file.ReadBool("S", "word", true));
    EXPECT_FALSE(file.ReadBool("S", "word", false));
    EXPECT_TRUE(file.ReadBool("S", "absent", true));
}

class IniFileLoad : public SettingsTestFolder {};

TEST_F(IniFileLoad, MissingFileIsEmptyAndNotAnError) {
    const IniFile file(root + "absent.ini");
    EXPECT_FALSE(file.ReadError());
    EXPECT_FALSE(file.SectionExists("Form"));
    EXPECT_EQ(file.Content(), "");
}

TEST_F(IniFileLoad, BinaryFileReadsWithoutLosingItsKeys) {
    std::string bytes = "[Form]\r\nTop=9\r\n";
    for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>((i * 37) % 256);
    }
    bytes += "\r\n[Form]\r\nLeft=4\r\n";
    Write(root + "binary.ini", bytes);
    const IniFile file(root + "binary.ini");
    EXPECT_FALSE(file.ReadError());
    EXPECT_EQ(file.ReadInteger("Form", "Top", 0), 9);
    EXPECT_EQ(file.ReadInteger("Form", "Left", 0), 4);
    EXPECT_EQ(file.Content(), bytes);
}

TEST_F(IniFileLoad, FolderInPlaceOfTheFileIsAReadError) {
    std::filesystem::create_directory(root + "folder.ini");
    const IniFile file(root + "folder.ini");
    EXPECT_TRUE(file.ReadError());
}

} // namespace
