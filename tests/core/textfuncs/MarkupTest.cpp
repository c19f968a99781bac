#include "textfuncs/Markup.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct MarkupCase {
    const char* name;
    std::string text;
    std::string result;
};

TEST(Markup, RemoveTags) {
    const MarkupCase cases[] = {
        {"tags go", "<p>Hello <b>world</b></p>", "Hello world"},
        {"stray '>' goes", "a > b", "a  b"},
        {"unclosed '<' takes the rest", "x < y\r\nz", "x "},
        {"breaks inside a tag go", "a<b\r\nc=1>d\r\ne", "ad\r\ne"},
        {"'<' inside a tag", "a<<b>c", "ac"},
        {"no markup", "plain\ttext\r\n", "plain\ttext\r\n"},
        {"utf-8 and ill-formed bytes outside tags stay", "<i \xFF>\xD0\xB6\xFF</i>",
         "\xD0\xB6\xFF"},
        {"nul kept", std::string("a\0<b>", 5), std::string("a\0", 2)},
        {"empty", "", ""},
    };
    for (const MarkupCase& c : cases)
        EXPECT_EQ(RemoveTagsText(c.text), c.result) << c.name;
}

TEST(Markup, LeaveTagsOnly) {
    const MarkupCase cases[] = {
        {"tags stay in order", "<p>Hello <b>world</b></p>", "<p><b></b></p>"},
        {"line breaks stay", "<a>x\r\ny<b>", "<a>\r\n<b>"},
        {"stray '>' goes", "a > b", ""},
        {"unclosed tag runs to the end", "x <y\r\nz", "<y\r\nz"},
        {"break inside a tag", "<a\r\nb>c", "<a\r\nb>"},
        {"utf-8 inside a tag stays", "<\xD0\xB6\xFF>\xD0\xB6", "<\xD0\xB6\xFF>"},
        {"no markup", "plain", ""},
        {"empty", "", ""},
    };
    for (const MarkupCase& c : cases)
        EXPECT_EQ(LeaveTagsOnlyText(c.text), c.result) << c.name;
}

TEST(Markup, AddCopyrights) {
    const struct {
        const char* name;
        int codePage;
        std::string text;
        std::string result;
    } cases[] = {
        {"crazy years", 1252, "Crazy Years",
         "\xA9\xAE@zy \xA5"
         "e@\xAE$"},
        {"every letter of the table", 1252, "AaCcRrSsYy", "@@\xA9\xA9\xAE\xAE$$\xA5y"},
        // The same bytes whatever the code page shows there (in Windows-1251 165 is 'Ґ').
        {"1251 bytes", 1251, "Yes\r\n\xD1",
         "\xA5"
         "e$\r\n\xD1"},
        {"untouched", 1252, "Hey, blue 42\r\n\t\xC1", "Hey, blue 42\r\n\t\xC1"},
        {"utf-8 signs", Encoding::Utf8CodePage, "Crazy Years",
         "\xC2\xA9\xC2\xAE@zy \xC2\xA5"
         "e@\xC2\xAE$"},
        {"utf-8 others stay", Encoding::Utf8CodePage, "\xD0\xB6\xFF\xC3\x87s\xC3",
         "\xD0\xB6\xFF\xC3\x87$\xC3"},
        {"empty", 1252, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddCopyrightsText(c.text, *Encoding::ForCodePage(c.codePage)), c.result)
            << c.name;
}

} // namespace
