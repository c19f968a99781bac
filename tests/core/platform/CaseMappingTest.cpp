#include "platform/CaseMapping.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const Encoding& Page(int codePage) {
    return *Encoding::ForCodePage(codePage);
}

TEST(CaseMapping, OneCharacterPerEncoding) {
    struct Case {
        int codePage;
        CharCode code;
        CharCode upper;
        CharCode lower;
    };
    const Case cases[] = {
        {1251, 0x0430, 0x0410, 0x0430}, // а ↔ А
        {1251, 0x0410, 0x0410, 0x0430},
        {1251, 0x0451, 0x0401, 0x0451}, // ё ↔ Ё
        {1251, U'q', U'Q', U'q'},
        {1251, U'1', U'1', U'1'},
        {1252, 0x00DF, 0x00DF, 0x00DF}, // ß has no one-character upper case
        {1252, 0x00FF, 0x0178, 0x00FF}, // ÿ ↔ Ÿ (0x9F)
        {1252, 0x0178, 0x0178, 0x00FF},
        {1252, 0x00B5, 0x00B5, 0x00B5},  // µ: Greek Mu is not in the code page
        {1252, 0x0161, 0x0160, 0x0161},  // š ↔ Š
        {28591, 0x00FF, 0x00FF, 0x00FF}, // Ÿ is not in ISO-8859-1
        {28591, 0x00E9, 0x00C9, 0x00E9},
        {1253, 0x03B1, 0x0391, 0x03B1}, // α ↔ Α
        {1254, 0x0131, U'I', 0x0131},   // ı upper is I
        {1253, RawByteCode(0xD2), RawByteCode(0xD2), RawByteCode(0xD2)},
        {65001, 0x00DF, 0x00DF, 0x00DF},
        {65001, 0x00FF, 0x0178, 0x00FF},
        {65001, 0x0431, 0x0411, 0x0431},
        {65001, 0x10428, 0x10400, 0x10428}, // Deseret, outside the BMP
        {65001, RawByteCode(0xE9), RawByteCode(0xE9), RawByteCode(0xE9)},
    };
    for (const Case& c : cases) {
        const Encoding& encoding = Page(c.codePage);
        EXPECT_EQ(UpperCaseCode(c.code, encoding), c.upper)
            << c.codePage << " " << unsigned(c.code);
        EXPECT_EQ(LowerCaseCode(c.code, encoding), c.lower)
            << c.codePage << " " << unsigned(c.code);
    }
}

TEST(CaseMapping, ByteTablesAgreeWithTheCharacterMapping) {
    for (const int codePage : Encoding::SupportedCodePages()) {
        const Encoding& encoding = Page(codePage);
        if (encoding.IsUtf8())
            continue;
        const SingleByteCaseTables& tables = CaseTablesFor(encoding);
        for (int byte = 0; byte < 256; ++byte) {
            const CharCode code = encoding.ByteToCode(static_cast<std::uint8_t>(byte));
            EXPECT_EQ(encoding.ByteToCode(tables.upper[byte]), UpperCaseCode(code, encoding));
            EXPECT_EQ(encoding.ByteToCode(tables.lower[byte]), LowerCaseCode(code, encoding));
        }
    }
}

TEST(CaseMapping, WholeTextsKeepTheirCharacterCount) {
    struct Case {
        int codePage;
        std::string text;
        std::string upper;
        std::string lower;
    };
    const Case cases[] = {
        {1251, "\xCF\xD0\xC8\xC2\xC5\xD2 World", "\xCF\xD0\xC8\xC2\xC5\xD2 WORLD",
         "\xEF\xF0\xE8\xE2\xE5\xF2 world"}, // ПРИВЕТ World
        {1252,
         "stra\xDF"
         "e \xFF",
         "STRA\xDF"
         "E \x9F",
         "stra\xDF"
         "e \xFF"},
        {28591, "\xFF\xE9", "\xFF\xC9", "\xFF\xE9"},
        {1253, "\xD2\xE1", "\xD2\xC1", "\xD2\xE1"}, // undefined byte, α
        {65001, "\xD0\x9F\xD1\x80\xD0\xB8 \xC3\x9F", "\xD0\x9F\xD0\xA0\xD0\x98 \xC3\x9F",
         "\xD0\xBF\xD1\x80\xD0\xB8 \xC3\x9F"},             // При ß
        {65001, "a\xE9z\xC3", "A\xE9Z\xC3", "a\xE9z\xC3"}, // ill-formed bytes stay
        // ı (two bytes) upper-cases to I (one byte): fewer bytes, same characters
        {65001, "\xC4\xB1x", "IX", "\xC4\xB1x"},
        {1252, std::string("a\0b", 3), std::string("A\0B", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        const Encoding& encoding = Page(c.codePage);
        const std::string shown = testing::PrintToString(c.text) + " in " + encoding.Name();
        EXPECT_EQ(UpperCase(c.text, encoding), c.upper) << shown;
        EXPECT_EQ(LowerCase(c.text, encoding), c.lower) << shown;
        EXPECT_EQ(encoding.CharCount(UpperCase(c.text, encoding)), encoding.CharCount(c.text));
    }
}

} // namespace
