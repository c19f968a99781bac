#include "platform/Encoding.h"

#include "support/ByteStrings.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

const Encoding& Page(int codePage) {
    return *Encoding::ForCodePage(codePage);
}

std::vector<CharCode> Codes(std::string_view text, const Encoding& encoding) {
    std::vector<CharCode> codes;
    for (std::size_t pos = 0; pos < text.size(); pos += encoding.CharLength(text, pos))
        codes.push_back(encoding.CodeAt(text, pos));
    return codes;
}

TEST(Encoding, EveryByteStringRoundTripsThroughCodesInEveryEncoding) {
    for (const int codePage : Encoding::SupportedCodePages()) {
        const Encoding& encoding = Page(codePage);
        for (const std::string& text : HardByteStrings()) {
            std::string back;
            for (const CharCode code : Codes(text, encoding))
                encoding.AppendEncoded(back, code);
            EXPECT_EQ(back, text) << encoding.Name();
            EXPECT_EQ(encoding.CharCount(text), Codes(text, encoding).size()) << encoding.Name();
        }
    }
}

TEST(Encoding, SteppingBackFindsTheSameCharactersAsSteppingForward) {
    for (const int codePage : Encoding::SupportedCodePages()) {
        const Encoding& encoding = Page(codePage);
        for (const std::string& text : HardByteStrings()) {
            std::vector<std::size_t> forward;
            for (std::size_t pos = 0; pos < text.size(); pos += encoding.CharLength(text, pos))
                forward.push_back(pos);
            std::vector<std::size_t> backward;
            for (std::size_t pos = text.size(); pos > 0;) {
                pos = encoding.PreviousCharStart(text, pos);
                backward.insert(backward.begin(), pos);
            }
            EXPECT_EQ(backward, forward) << encoding.Name();
        }
    }
}

TEST(Encoding, Utf8CharactersAreWellFormedSequencesAndOtherBytesStandAlone) {
    const Encoding& utf8 = Page(Encoding::Utf8CodePage);
    struct Case {
        std::string text;
        std::vector<CharCode> codes;
    };
    const Case cases[] = {
        {"A\xC3\xA9", {U'A', 0xE9}},
        {"\xE2\x82\xAC", {0x20AC}},
        {"\xF0\x9F\x98\x80", {0x1F600}},
        {"\xF4\x8F\xBF\xBF", {0x10FFFF}},
        {"\xE2\x82", {RawByteCode(0xE2), RawByteCode(0x82)}},
        {"\xE2\x82z", {RawByteCode(0xE2), RawByteCode(0x82), U'z'}},
        {"\xC0\x80", {RawByteCode(0xC0), RawByteCode(0x80)}},
        {"\xE0\x9F\xBF", {RawByteCode(0xE0), RawByteCode(0x9F), RawByteCode(0xBF)}},
        {"\xED\xA0\x80", {RawByteCode(0xED), RawByteCode(0xA0), RawByteCode(0x80)}},
        {"\xED\x9F\xBF", {0xD7FF}},
        {"\xF4\x90\x80\x80",
         {RawByteCode(0xF4), RawByteCode(0x90), RawByteCode(0x80), RawByteCode(0x80)}},
        {"\xF5\xFF", {RawByteCode(0xF5), RawByteCode(0xFF)}},
        {"\x80\xC3\xA9\xA9", {RawByteCode(0x80), 0xE9, RawByteCode(0xA9)}},
        {std::string("\0", 1), {0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Codes(c.text, utf8), c.codes) << testing::PrintToString(c.text);
}

TEST(Encoding, CodePagesComeFromTheirTablesAndUndefinedBytesAreRaw) {
    struct Case {
        int codePage;
        std::uint8_t byte;
        CharCode code;
    };
    const Case cases[] = {
        {1250, 0x8A, 0x0160}, // Š
        {1251, 0xC0, 0x0410}, // А
        {1251, 0xFF, 0x044F}, // я
        {1251, 0xA8, 0x0401}, // Ё
        {1251, 0x88, 0x20AC}, // €
        {1252, 0x80, 0x20AC}, // €
        {1252, 0x9F, 0x0178}, // Ÿ
        {1252, 0x41, U'A'},
        {1253, 0xC1, 0x0391}, // Α
        {1253, 0xD2, RawByteCode(0xD2)},
        {1254, 0xD0, 0x011E}, // Ğ
        {1255, 0xE0, 0x05D0}, // א
        {1255, 0xFF, RawByteCode(0xFF)},
        {1256, 0xC7, 0x0627}, // ا
        {1257, 0xC0, 0x0104}, // Ą
        {1257, 0xA1, RawByteCode(0xA1)},
        {1258, 0xD2, 0x0309}, // combining hook above
        {28591, 0x80, 0x0080},
        {28591, 0xFF, 0x00FF},
    };
    for (const Case& c : cases) {
        const Encoding& encoding = Page(c.codePage);
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(encoding.CodeAt(byte, 0), c.code) << c.codePage << " byte " << int(c.byte);
        EXPECT_EQ(encoding.Encode(c.code), byte) << c.codePage << " byte " << int(c.byte);
    }
}

TEST(Encoding, CharactersTheEncodingCannotHoldBecomeQuestionMarks) {
    struct Case {
        int codePage;
        CharCode code;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {1251, 0x0416, "\xC6"},       // Ж
        {1251, 0x00E9, std::nullopt}, // é is not Cyrillic
        {1252, 0x4E00, std::nullopt},
        {28591, 0x20AC, std::nullopt},     // no euro sign in ISO-8859-1
        {1253, RawByteCode(0xD2), "\xD2"}, // a raw byte gives itself back
        {65001, 0x00E9, "\xC3\xA9"},
        {65001, 0x1F600, "\xF0\x9F\x98\x80"},
        {65001, RawByteCode(0xE9), "\xE9"},
        {65001, 0xD800, std::nullopt}, // a surrogate is no character
        {65001, 0x110000, std::nullopt},
    };
    for (const Case& c : cases) {
        const Encoding& encoding = Page(c.codePage);
        EXPECT_EQ(encoding.Encode(c.code), c.bytes) << c.codePage << " code " << unsigned(c.code);
        std::string appended;
        encoding.AppendEncoded(appended, c.code);
        EXPECT_EQ(appended, c.bytes.value_or("?")) << c.codePage << " code " << unsigned(c.code);
    }
}

TEST(Encoding, NamesFindTheirCodePages) {
    struct Case {
        const char* name;
        int codePage; // 0: none
    };
    const Case cases[] = {
        {"1251", 1251},
        {"CP1252", 1252},
        {"windows-1250", 1250},
        {"Windows_1258", 1258},
        {"utf-8", 65001},
        {"UTF8", 65001},
        {"65001", 65001},
        {"ISO-8859-1", 28591},
        {"iso8859-1", 28591},
        {"28591", 28591},
        {"latin1", 28591},
        {"1249", 0},
        {"437", 0},
        {"koi8-r", 0},
        {"", 0},
        {"cp", 0},
        {"12510", 0},
        {"99999999999999999999", 0},
    };
    for (const Case& c : cases) {
        const Encoding* encoding = Encoding::ForName(c.name);
        EXPECT_EQ(encoding ? encoding->CodePage() : 0, c.codePage) << c.name;
    }
    EXPECT_EQ(Page(1251).Name(), "windows-1251");
    EXPECT_EQ(Page(28591).Name(), "iso-8859-1");
    EXPECT_EQ(Page(65001).Name(), "utf-8");
}

TEST(Encoding, LocaleNamesGiveTheirCodePages) {
    struct Case {
        const char* locale;
        int codePage;
    };
    const Case cases[] = {
        {"ru_RU.UTF-8", 65001},
        {"en_US.utf8", 65001},
        {"C.UTF-8", 65001},
        {"ru_RU.CP1251", 1251},
        {"be_BY.cp1251", 1251},
        {"de_DE.ISO-8859-1", 28591},
        {"de_DE@euro", 1252},
        {"ru_RU.KOI8-R", 1251},
        {"ru_RU", 1251},
        {"uk_UA", 1251},
        {"sr_RS", 1251},
        {"sr_RS@latin", 1250},
        {"pl_PL.ISO-8859-2", 1250},
        {"cs_CZ", 1250},
        {"el_GR", 1253},
        {"tr_TR.ISO-8859-9", 1254},
        {"he_IL", 1255},
        {"ar_EG", 1256},
        {"fa_IR", 1256},
        {"lt_LT", 1257},
        {"vi_VN", 1258},
        {"en_US", 1252},
        {"ja_JP.EUC-JP", 1252},
        {"C", 1252},
        {"POSIX", 1252},
        {"", 1252},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodingForLocaleName(c.locale).CodePage(), c.codePage) << c.locale;
}

// Sets the locale variables for one test and puts the old values back.
class LocaleEnvironment : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : variables) {
            const char* value = std::getenv(name);
            saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < std::size(variables); ++i)
            Set(variables[i], saved[i] ? saved[i]->c_str() : nullptr);
    }
    static void Set(const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

    static constexpr const char* variables[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::vector<std::optional<std::string>> saved;
};

TEST_F(LocaleEnvironment, LocaleEncodingReadsLcAllThenLcCtypeThenLang) {
    struct Case {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        int codePage;
    };
    const Case cases[] = {
        {"ru_RU.UTF-8", "de_DE", "pl_PL", 65001},
        {nullptr, "ru_RU.CP1251", "C", 1251},
        {"", "el_GR", nullptr, 1253},
        {nullptr, nullptr, "cs_CZ.UTF-8", 65001},
        {nullptr, nullptr, nullptr, 1252},
        {"C", "ru_RU.UTF-8", nullptr, 1252},
        {nullptr, "", "ru_RU.CP1251", 1251},
    };
    for (const Case& c : cases) {
        Set("LC_ALL", c.lcAll);
        Set("LC_CTYPE", c.lcCtype);
        Set("LANG", c.lang);
        EXPECT_EQ(LocaleEncoding().CodePage(), c.codePage)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcCtype ? c.lcCtype : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

TEST(Encoding, ProgramEncodingIsTheOneLastSet) {
    const Encoding& before = ProgramEncoding();
    SetProgramEncoding(Page(1251));
    EXPECT_EQ(ProgramEncoding().CodePage(), 1251);
    SetProgramEncoding(Page(65001));
    EXPECT_EQ(ProgramEncoding().CodePage(), 65001);
    SetProgramEncoding(before);
}

} // namespace
