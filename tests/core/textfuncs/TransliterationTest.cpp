#include "textfuncs/Transliteration.h"

#include "TestEncodings.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The cases are written in UTF-8 and run in Windows-1251 as well.
std::string In1251(std::string_view utf8) {
    std::string bytes;
    for (std::size_t pos = 0; pos < utf8.size(); pos += Utf8().CharLength(utf8, pos))
        Windows1251().AppendEncoded(bytes, Utf8().CodeAt(utf8, pos));
    return bytes;
}

struct Case {
    std::string text;
    std::string result;
};

using Transliterate = std::string (*)(std::string_view, const Encoding&);

void ExpectInBothEncodings(Transliterate function, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(function(c.text, Utf8()), c.result) << "utf-8: " << c.text;
        EXPECT_EQ(function(In1251(c.text), Windows1251()), In1251(c.result)) << "1251: " << c.text;
    }
}

TEST(Transliteration, CyrillicToLatin) {
    ExpectInBothEncodings(
        CyrillicToLatin,
        {
            {"Москва", "Moskva"},
            {"Щука", "SHCHuka"},
            {"объём", "ob`yom"},
            {"семья", "sem'ya"},
            {"Эхо", "JEho"},
            {"счастье", "schast'e"},
            {"сх", "sh"},
            {"ыа", "ya"},
            {"ЁЖ ЪЬ", "YOZH `'"},
            {"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "abvgdeyozhzijklmnoprstufhtschshshch`y'jeyuya"},
            {"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", "ABVGDEYOZHZIJKLMNOPRSTUFHTSCHSHSHCH`Y'JEYUYA"},
            // Ukrainian letters, Latin, digits and punctuation pass.
            {"їЄ Hello, 1-2 «x»\r\n\t", "їЄ Hello, 1-2 «x»\r\n\t"},
            {"", ""},
        });
}

TEST(Transliteration, LatinToCyrillic) {
    ExpectInBothEncodings(LatinToCyrillic,
                          {
                              {"Moskva", "Москва"},
                              {"SHCHuka", "Щука"},
                              {"Shchuka", "Щука"},
                              {"sHcHuka", "щука"},
                              {"ob`yom", "объём"},
                              {"sem'ya", "семья"},
                              {"JEho", "Эхо"},
                              {"schast'e", "счастье"},
                              {"sh ya", "ш я"},
                              {"Sh SH sH", "Ш Ш ш"},
                              {"Xerox", "КСерокс"},
                              {"quiz", "куиз"},
                              {"week", "уеек"},
                              {"Yozh Tsar' Chaj Yubka Yama", "Ёж Царь Чай Юбка Яма"},
                              // Across words, and a shorter tail is no longer key.
                              {"yes hch shc", "ыес хч шц"},
                              {"'x' `y`", "ьксь ъыъ"},
                              {"abcdefghijklmnopqrstuvwxyz", "абцдефгхийклмнопкрстувуксыз"},
                              {"Москва 123!\r\n", "Москва 123!\r\n"},
                              {"", ""},
                          });
}

TEST(Transliteration, IllFormedUtf8BytesPassAndBreakNoMatch) {
    EXPECT_EQ(CyrillicToLatin("ж\xFF\xD0", Utf8()), "zh\xFF\xD0");
    EXPECT_EQ(LatinToCyrillic("s\xFFh\xC3", Utf8()), "с\xFFх\xC3");
    EXPECT_EQ(LatinToCyrillic("shch\xFF", Utf8()), "щ\xFF");
}

// Windows-1252 holds no Cyrillic letter: its bytes 224 to 255 are Latin letters, and Latin text
// has nothing to become.
TEST(Transliteration, ACodePageWithoutCyrillicKeepsTheText) {
    const std::string accented = "Caf\xE9 \xE0\xFF\xC0";
    EXPECT_EQ(CyrillicToLatin(accented, Windows1252()), accented);
    EXPECT_EQ(LatinToCyrillic("Moskva x", Windows1252()), "Moskva x");
}

} // namespace
