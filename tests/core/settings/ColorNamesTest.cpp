#include "settings/ColorNames.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

TEST(ColorNames, WrittenAsNameWhenOneFitsElseAsHex) {
    struct Case {
        TColor color;
        const char* text;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), "clRed"},    {RGB(1, 2, 3), "$00030201"},  {0, "clBlack"},
        {0x00FFFFFF, "clWhite"},      {0x00C0DCC0, "clMoneyGreen"}, {0x00F0CAA6, "clSkyBlue"},
        {0x00F0FBFF, "clCream"},      {0x00A4A0A0, "clMedGray"},    {0xFF000005, "clWindow"},
        {0xFF000008, "clWindowText"}, {0xFF000000, "clScrollBar"},  {0xFF00001E, "clMenuBar"},
        {0xFF000019, "$FF000019"}, // no system colour 25 has a name
        {0x1FFFFFFF, "clNone"},       {0x20000000, "clDefault"},    {0x00ABCDEF, "$00ABCDEF"},
        {0xFFFFFFFF, "$FFFFFFFF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorToString(c.color), c.text) << std::hex << c.color;
    }
}

TEST(ColorNames, ReadFromNamesWithoutCaseAndFromNumbers) {
    struct Case {
        const char* text;
        std::optional<TColor> color;
    };
    const Case cases[] = {
        {"clRed", clRed},
        {"CLRED", clRed},
        {"clwindowtext", clWindowText},
        {"cl3DDkShadow", 0xFF000015},
        {"clGradientInactiveCaption", 0xFF00001C},
        {"$00030201", RGB(1, 2, 3)},
        {"0x00030201", RGB(1, 2, 3)},
        {"255", clRed},
        {"$FF000005", clWindow},
        {"-16777211", clWindow}, // the same bits as a signed decimal
        {" clBlue ", clBlue},
        {"clReddish", std::nullopt},
        {"red", std::nullopt},
        {"", std::nullopt},
        {"$GG", std::nullopt},
        {"#FF0000", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringToColor(c.text), c.color) << '"' << c.text << '"';
    }
}

TEST(ColorNames, EveryNameIsDistinctAndRoundTrips) {
    std::set<std::string> names;
    std::set<TColor> values;
    for (const NamedColor& named : NamedColors()) {
        names.insert(std::string(named.name));
        values.insert(named.value);
        EXPECT_EQ(ColorToString(named.value), named.name);
        EXPECT_EQ(StringToColor(named.name), named.value);
    }
    EXPECT_EQ(names.size(), 52u);
    EXPECT_EQ(values.size(), 52u);
}

TEST(ColorNames, ColourKeyThatIsNeitherNameNorNumberReadsAsTheDefault) {
    const IniFile file("unused.ini",
                       "[Font]\r\nColor=clPurpleish\r\n[Background]\r\nColor=clinfobk\r\n"
                       "[Other]\r\nColor=\r\n");
    EXPECT_EQ(ReadColor(file, "Font", "Color", clGreen), clGreen);
    EXPECT_EQ(ReadColor(file, "Background", "Color", clGreen), clInfoBk);
    EXPECT_EQ(ReadColor(file, "Other", "Color", clGreen), clGreen);
    EXPECT_EQ(ReadColor(file, "Absent", "Color", clGreen), clGreen);
}

TEST(ColorNames, ColourKeyWrittenAsText) {
    IniFile file("unused.ini", "");
    WriteColor(file, "Font", "Color", clRed);
    WriteColor(file, "Background", "Color", RGB(1, 2, 3));
    EXPECT_EQ(file.Content(), "[Font]\r\nColor=clRed\r\n[Background]\r\nColor=$00030201\r\n");
}

} // namespace
