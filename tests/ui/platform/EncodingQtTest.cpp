#include "platform/qt/EncodingQt.h"

#include "support/ByteStrings.h"

#include <QList>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const Encoding& Page(int codePage) {
    return *Encoding::ForCodePage(codePage);
}

TEST(EncodingQt, EveryByteStringRoundTripsThroughQStringInEveryEncoding) {
    for (const int codePage : Encoding::SupportedCodePages()) {
        const Encoding& encoding = Page(codePage);
        for (const std::string& bytes : HardByteStrings()) {
            const QString text = ToQString(bytes, encoding);
            EXPECT_EQ(FromQString(text, encoding), bytes)
                << encoding.Name() << " " << testing::PrintToString(bytes);
            // One character per character of the encoding (pairs count once).
            EXPECT_EQ(std::size_t(text.toUcs4().size()), encoding.CharCount(bytes))
                << encoding.Name() << " " << testing::PrintToString(bytes);
        }
    }
}

TEST(EncodingQt, CharactersBecomeTheirUnicodeAndRawBytesLoneSurrogates) {
    struct Case {
        int codePage;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {65001, "A\xC3\xA9\xE2\x82\xAC", u"A\u00E9\u20AC"},
        {65001, "\xF0\x9F\x98\x80", u"\U0001F600"},
        {65001, "\xE2\x82z", u"\xDCE2\xDC82z"},
        {65001, "\xFF", u"\xDCFF"},
        {1251, "\xCF\xF0\xE8", u"\u041F\u0440\u0438"},
        {1252, "\x80\x9F", u"\u20AC\u0178"},
        {1253, "\xC1\xD2", u"\u0391\xDCD2"}, // 0xD2 is undefined in Windows-1253
        {28591, "\xFF", u"\u00FF"},
    };
    for (const Case& c : cases) {
        const QString text = ToQString(c.bytes, Page(c.codePage));
        EXPECT_EQ(text, QString::fromStdU16String(c.text)) << c.codePage;
    }
}

TEST(EncodingQt, TextTheEncodingCannotHoldBecomesQuestionMarks) {
    struct Case {
        int codePage;
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {1251, u"\u0416\u00E9x", "\xC6?x"},
        {1252, u"\u4E00\U0001F600", "??"}, // a surrogate pair is one character
        {28591, u"\u20AC", "?"},
        {65001, u"\xD800x", "?x"}, // a lone high surrogate
        {65001, u"a\xDBFF", "a?"}, // cut off at the end
        {65001, u"\xDCE9\xDC80", "\xE9\x80"},
        {65001, u"\u00E9\U0010FFFF", "\xC3\xA9\xF4\x8F\xBF\xBF"},
        {1253, u"\xDCD2", "\xD2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FromQString(QString::fromStdU16String(c.text), Page(c.codePage)), c.bytes)
            << c.codePage;
    }
}

} // namespace
