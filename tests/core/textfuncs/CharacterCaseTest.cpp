#include "textfuncs/CharacterCase.h"

#include "TestEncodings.h"
#include "platform/CaseMapping.h"
#include "platform/EncodingDetection.h"
#include "platform/Random.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using CaseFunction = std::function<std::string(std::string_view, const Encoding&)>;

struct CaseCase {
    const char* name;
    CaseFunction function;
    const Encoding* encoding;
    std::string text;
    std::string result;
};

std::string NormalCase(std::string_view text, const Encoding& encoding) {
    return SentenceCaseText(text, SentenceRule::NormalCase, encoding);
}
std::string UpperCaseFirst(std::string_view text, const Encoding& encoding) {
    return SentenceCaseText(text, SentenceRule::UpperCaseFirst, encoding);
}
std::string LowerAz(std::string_view text, const Encoding&) {
    return LowerCaseAzText(text);
}
std::string UpperAz(std::string_view text, const Encoding&) {
    return UpperCaseAzText(text);
}
std::string InvertAz(std::string_view text, const Encoding&) {
    return InvertCaseAzText(text);
}

void ExpectAll(const std::vector<CaseCase>& cases) {
    for (const CaseCase& c : cases)
        EXPECT_EQ(c.function(c.text, *c.encoding), c.result) << c.name;
}

// "ПРИВЕТ" and "привет" in Windows-1251.
const std::string PrivetUpper1251 = "\xCF\xD0\xC8\xC2\xC5\xD2";
const std::string PrivetLower1251 = "\xEF\xF0\xE8\xE2\xE5\xF2";

TEST(CharacterCase, LocaleAndLatinLowerAndUpper) {
    ExpectAll({
        {"lower 1251", LowerCaseText, &Windows1251(), PrivetUpper1251 + " World",
         PrivetLower1251 + " world"},
        {"lower a..z 1251", LowerAz, &Windows1251(), PrivetUpper1251 + " World",
         PrivetUpper1251 + " world"},
        {"upper 1251", UpperCaseText, &Windows1251(), PrivetLower1251 + " \xB8",
         PrivetUpper1251 + " \xA8"},
        {"upper a..z 1251", UpperAz, &Windows1251(), PrivetLower1251 + " ab",
         PrivetLower1251 + " AB"},
        // ÿ has its upper case at 0x9F; ß and µ have none in the code page.
        {"upper 1252", UpperCaseText, &Windows1252(), "\xE4\xFF\xDF\xB5z", "\xC4\x9F\xDF\xB5Z"},
        {"lower 1252", LowerCaseText, &Windows1252(), "\xC4\x9F\xC9Z", "\xE4\xFF\xE9z"},
        {"upper a..z 1252", UpperAz, &Windows1252(), "\xE4z{", "\xE4Z{"},
        {"upper utf-8", UpperCaseText, &Utf8(), "\xC3\xA4\xE2\x82\xAC\xD0\xB6",
         "\xC3\x84\xE2\x82\xAC\xD0\x96"},
        {"ill-formed byte stays", LowerCaseText, &Utf8(), "A\xC3Z\xFF", "a\xC3z\xFF"},
        {"lower a..z utf-8", LowerAz, &Utf8(), "\xD0\x96Q", "\xD0\x96q"},
        {"line breaks and nul stay", UpperCaseText, &Windows1252(), std::string("a\r\n\0b", 5),
         std::string("A\r\n\0B", 5)},
    });
}

// Locale case of text one character at a time, the slow way.
std::string MappedCharacterByCharacter(std::string_view text, const Encoding& encoding,
                                       CharCode (*map)(CharCode, const Encoding&)) {
    std::string result;
    for (std::size_t pos = 0; pos < text.size(); pos += encoding.CharLength(text, pos)) {
        const CharCode code = encoding.CodeAt(text, pos);
        if (IsRawByteCode(code))
            result += text[pos];
        else
            encoding.AppendEncoded(result, map(code, encoding));
    }
    return result;
}

// Plain ASCII goes a faster way than other characters; runs of every length up to a few words,
// at every offset, with other characters in between (in UTF-8 also of other lengths: ı and ſ
// upper-case to one byte; and ill-formed bytes), must map exactly as each character alone does.
TEST(CharacterCase, TextMapsAsItsCharactersDo) {
    const struct {
        const Encoding* encoding;
        std::vector<std::string> others;
    } encodings[] = {
        {&Utf8(),
         {"\xC3\xA9", "\xC4\xB1", "\xC5\xBF", "\xD0\x96", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
          "\xC3", "\xFF", "\xE2\x82", "\r\n"}},
        {&Windows1252(), {"\xE9", "\xC9", "\xFF", "\x9F", "\xDF\xB5", "\x80\x81", "\r\n"}},
        {&Windows1251(), {"\xE6", "\xC6", "\xB8\xA8", "\xFF", "\r\n"}},
    };
    const std::string ascii = "Hello, World! zZ aA {@[`} 0123456789 The End.";
    for (const auto& [encoding, others] : encodings) {
        for (std::size_t length = 0; length < 20; ++length) {
            for (const std::string& other : others) {
                const std::string text =
                    ascii.substr(0, length) + other + ascii.substr(length) + other;
                EXPECT_EQ(UpperCaseText(text, *encoding),
                          MappedCharacterByCharacter(text, *encoding, UpperCaseCode))
                    << encoding->Name() << " " << length << " " << other;
                EXPECT_EQ(LowerCaseText(text, *encoding),
                          MappedCharacterByCharacter(text, *encoding, LowerCaseCode))
                    << encoding->Name() << " " << length << " " << other;
            }
        }
    }
}

TEST(CharacterCase, Inversion) {
    ExpectAll({
        {"latin", InvertCaseText, &Windows1252(), "aB1", "Ab1"},
        {"1251", InvertCaseText, &Windows1251(), "\xEF\xC0x", "\xCF\xE0X"},
        {"a..z leaves cyrillic", InvertAz, &Windows1251(), "\xEF\xC0x", "\xEF\xC0X"},
        {"a..z latin", InvertAz, &Windows1252(), "aB1\xE4", "Ab1\xE4"},
        {"1252 accents", InvertCaseText, &Windows1252(), "\xE9\xC9\xDF", "\xC9\xE9\xDF"},
        {"utf-8", InvertCaseText, &Utf8(), "\xD0\xB6\xD0\x96\xC3\xA9-",
         "\xD0\x96\xD0\xB6\xC3\x89-"},
    });
}

TEST(CharacterCase, FunCaseAlternatesByPosition) {
    ExpectAll({
        {"space counts", FunCaseText, &Windows1252(), "ab cd", "Ab cD"},
        {"hello world", FunCaseText, &Windows1252(), "hello world", "HeLlO WoRlD"},
        {"line break counts", FunCaseText, &Windows1252(), "a\r\nbc", "A\r\nbC"},
        {"1251", FunCaseText, &Windows1251(), "\xE6\xE6\xE6", "\xC6\xE6\xC6"},
        {"utf-8 counts characters", FunCaseText, &Utf8(), "\xD0\xB6\xD0\xB6\xD0\xB6",
         "\xD0\x96\xD0\xB6\xD0\x96"},
    });
}

TEST(CharacterCase, SentenceRules) {
    ExpectAll({
        {"normal", NormalCase, &Windows1252(), "hello. WORLD! how?", "Hello. World! How?"},
        {"normal space", NormalCase, &Windows1252(), "ab cd", "Ab cd"},
        {"normal line break", NormalCase, &Windows1252(), "one\r\ntwo", "One\r\ntwo"},
        {"first line break", UpperCaseFirst, &Windows1252(), "one\r\ntwo", "One\r\nTwo"},
        {"normal digits", NormalCase, &Windows1252(), "1. 2nd", "1. 2Nd"},
        {"normal digit first", NormalCase, &Windows1252(), "1st", "1St"},
        {"first hyphen and comma", UpperCaseFirst, &Windows1252(), "mary-ann smith,x",
         "Mary-ann Smith,X"},
        {"first tab", UpperCaseFirst, &Windows1252(), "a\tb", "A\tb"},
        {"first digit", UpperCaseFirst, &Windows1252(), "the 2nd", "The 2Nd"},
        {"normal apostrophe", NormalCase, &Windows1252(), "DON'T. it's", "Don't. It's"},
        {"guillemet clears", NormalCase, &Windows1252(), "\xABhi", "\xABhi"},
        {"first guillemet clears", UpperCaseFirst, &Windows1252(), "a \xABhi", "A \xABhi"},
        {"normal 1251", NormalCase, &Windows1251(), "\xCF\xD0\xC8. \xEC\xE8\xD0",
         "\xCF\xF0\xE8. \xCC\xE8\xF0"},
        {"first 1251", UpperCaseFirst, &Windows1251(), "\xEF\xF0 \xEC\xE8", "\xCF\xF0 \xCC\xE8"},
        {"normal utf-8 latin-1", NormalCase, &Utf8(), "\xC3\xA9T\xC3\x89. \xC3\xA9",
         "\xC3\x89t\xC3\xA9. \xC3\x89"},
        // Letters above U+00FF are cased too, and every non-ASCII character clears the flag.
        {"normal utf-8 cyrillic", NormalCase, &Utf8(),
         "\xD0\xB6\xD0\x96"
         "a",
         "\xD0\x96\xD0\xB6"
         "a"},
        {"ill-formed byte stays and clears", UpperCaseFirst, &Utf8(),
         " \xFF"
         "a",
         " \xFF"
         "a"},
        {"empty", NormalCase, &Windows1252(), "", ""},
    });
}

// Russian text cases the same in UTF-8 as in Windows-1251, punctuation beyond ASCII included.
TEST(CharacterCase, SentenceRulesAgreeInUtf8AndWindows1251) {
    struct SentenceCase {
        SentenceRule rule;
        std::string text; // UTF-8
        std::string result;
    };
    const SentenceCase cases[] = {
        {SentenceRule::NormalCase, "привет. как дела? хорошо!", "Привет. Как дела? Хорошо!"},
        {SentenceRule::NormalCase, "ПРИВЕТ МИР", "Привет мир"},
        {SentenceRule::NormalCase, "ёлка. ЁЖ", "Ёлка. Ёж"},
        {SentenceRule::NormalCase, "«цитата» и всё.", "«цитата» и всё."},
        {SentenceRule::NormalCase, "итак. — нет. да", "Итак. — нет. Да"},
        {SentenceRule::NormalCase, "№ 5, дом", "№ 5, дом"},
        {SentenceRule::NormalCase, "hello МИР. щи", "Hello мир. Щи"},
        {SentenceRule::UpperCaseFirst, "иван петрович,сидоров\r\nмосква",
         "Иван Петрович,Сидоров\r\nМосква"},
        {SentenceRule::UpperCaseFirst, "ёж-ЁЖИК «да»", "Ёж-ёжик «да»"},
        {SentenceRule::UpperCaseFirst, "щи да каша – пища наша", "Щи Да Каша – Пища Наша"},
    };
    for (const SentenceCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SentenceCaseText(c.text, c.rule, Utf8()), c.result);
        const EncodedText text = ConvertText(c.text, Utf8(), Windows1251());
        const EncodedText result = ConvertText(c.result, Utf8(), Windows1251());
        ASSERT_EQ(text.unencodable + result.unencodable, 0u);
        EXPECT_EQ(SentenceCaseText(text.bytes, c.rule, Windows1251()), result.bytes);
    }
}

TEST(CharacterCase, RandomCaseFollowsTheSharedGenerator) {
    // From seed 42, seed := seed * 134775813 + 1 (mod 2^32) gives 0x5165A8D3, 0xE0A11820,
    // 0x3495F8A1, 0x2828DF26, 0x050BF3BF, 0xD8E23EBC, 0xBAA429AD, 0x001A0462; a draw below 2 is
    // the top bit of each: 0 1 0 0 0 1 1 0. Space, CR and LF draw nothing.
    Random::SetSeed(42);
    EXPECT_EQ(RandomCaseText("ab cdEFG\r\nh", Windows1252()), "aB cdeFG\r\nh");
    EXPECT_EQ(Random::Seed(), 0x001A0462u);

    Random::SetSeed(42);
    EXPECT_EQ(RandomCaseText("\xC6\xC6 \xC6\xE6\xC6", Windows1251()), "\xE6\xC6 \xE6\xE6\xE6");

    Random::SetSeed(42);
    EXPECT_EQ(RandomCaseText("\xD0\x96\xD0\xB6\n\xD0\x96\xD0\x96", Utf8()),
              "\xD0\xB6\xD0\x96\n\xD0\xB6\xD0\xB6");
    EXPECT_EQ(Random::Seed(), 0x2828DF26u);
}

} // namespace
