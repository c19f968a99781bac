#include "textfuncs/TextEncoding.h"

#include "TestEncodings.h"
#include "textfuncs/LineList.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct EncodeCase {
    const char* name;
    EncodeMapping mapping;
    const Encoding* encoding;
    std::string text;
    std::string result;
};

constexpr auto KeepingLines = EncodeMapping::MirrorKeepingLines;
constexpr auto JoiningLines = EncodeMapping::MirrorJoiningLines;
constexpr auto Up = EncodeMapping::OffsetUp;
constexpr auto Down = EncodeMapping::OffsetDown;

TEST(TextEncoding, MapsEachCode) {
    const EncodeCase cases[] = {
        {"w/o breaks: letter", KeepingLines, &Windows1252(), "A", "\xDE"},
        {"w/o breaks: space", KeepingLines, &Windows1252(), " ", "\xFF"},
        {"w/o breaks: top codes", KeepingLines, &Windows1251(), "\xFE\xFF\x8F\x90", "! \x90\x8F"},
        {"w/o breaks: controls stay", KeepingLines, &Windows1252(), "\t\r\n\x1F", "\t\r\n\x1F"},
        {"joining: letters and break", JoiningLines, &Windows1252(), "Hi\r\n", "\xD5\xB4\xFF\xFE"},
        {"joining: pair back to break", JoiningLines, &Windows1252(), "\xFF\xFE\x20\xFD",
         "\r\n\xFD\x20"},
        {"joining: tab stays", JoiningLines, &Windows1252(), "\t", "\t"},
        {"offset +1", Up, &Windows1252(), "HAL", "IBM"},
        {"offset +1 wraps", Up, &Windows1252(), "\xFF\xFE\x1F\r\n", " \xFF\x1F\r\n"},
        {"offset -1", Down, &Windows1252(), "IBM", "HAL"},
        {"offset -1 wraps", Down, &Windows1251(), " !\x1F\r\n", "\xFF \x1F\r\n"},
        {"nul kept", Up, &Windows1252(), std::string("a\0b", 3), std::string("b\0c", 3)},
        {"empty", JoiningLines, &Windows1252(), "", ""},
        // UTF-8: U+0000 to U+00FF are the codes; others and ill-formed bytes stay.
        {"utf-8 w/o breaks", KeepingLines, &Utf8(), "A\xC3\x9E\r\n",
         "\xC3\x9E"
         "A\r\n"},
        {"utf-8 joining", JoiningLines, &Utf8(), "a\r\nb", "\xC2\xBC\xC3\xBF\xC3\xBE\xC2\xBB"},
        {"utf-8 joining back", JoiningLines, &Utf8(), "\xC2\xBC\xC3\xBF\xC3\xBE\xC2\xBB", "a\r\nb"},
        {"utf-8 offset +1", Up, &Utf8(), "~\x7F\xC3\xBF", "\x7F\xC2\x80 "},
        {"utf-8 offset -1", Down, &Utf8(), " \xC2\x80", "\xC3\xBF\x7F"},
        {"utf-8 above U+00FF stays", KeepingLines, &Utf8(), "\xD0\xB6\xE2\x82\xAC",
         "\xD0\xB6\xE2\x82\xAC"},
        {"utf-8 ill-formed stays", Up, &Utf8(),
         "\xFF"
         "a\xC3",
         "\xFF"
         "b\xC3"},
        {"utf-8 ill-formed stays joining", JoiningLines, &Utf8(), "\xFF\xFE\r\n",
         "\xFF\xFE\xC3\xBF\xC3\xBE"},
    };
    for (const EncodeCase& c : cases)
        EXPECT_EQ(EncodeText(c.text, c.mapping, *c.encoding), c.result) << c.name;
}

TEST(TextEncoding, EncodeDecodeJoinsTheLinesAndComesBack) {
    const std::string text = "Hello\r\nWorld";
    const std::string encoded = EncodeText(text, JoiningLines, Windows1252());
    EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(encoded.size(), text.size());
    EXPECT_EQ(EncodeText(encoded, JoiningLines, Windows1252()), text);
}

// 'ю' and 'я' are codes 254 and 255 in Windows-1251: taken one by one they would become a lone
// LF and CR, which the editor turns into line breaks, and decoding would not give them back.
TEST(TextEncoding, EncodeDecodeKeepsTheLettersOnTheTopCodes) {
    const struct {
        const char* name;
        std::string text;
        std::string encoded;
    } cases[] = {
        {"lone 254", "\xFE", "\xFE"},
        {"lone 255", "\xFF", "\xFF"},
        {"255 254 is a break", "\xFF\xFE", "\r\n"},
        {"254 255 is none", "\xFE\xFF", "\xFE\xFF"},
        {"word with both", "\xF2\xFE\xFF \xFF\r\n", "+\xFE\xFF\xFD\xFF\xFF\xFE"},
        {"255 before a break", "\xFF\r\n", "\xFF\xFF\xFE"},
        {"255 255 254", "\xFF\xFF\xFE", "\xFF\r\n"},
    };
    for (const auto& c : cases) {
        const std::string encoded = EncodeText(c.text, JoiningLines, Windows1251());
        EXPECT_EQ(encoded, c.encoded) << c.name;
        // The editor keeps the encoded text as it is.
        EXPECT_EQ(NormalizeLineBreaks(encoded), encoded) << c.name;
        EXPECT_EQ(EncodeText(encoded, JoiningLines, Windows1251()), c.text) << c.name;
    }
}

TEST(TextEncoding, MirrorsUndoThemselvesAndOffsetsUndoEachOther) {
    std::string everyByte;
    for (int code = 0; code < 256; ++code)
        everyByte.push_back(static_cast<char>(code));
    const std::string texts[] = {everyByte, everyByte + "\r\n\xFF\xFE\xFF\r\r\n\n",
                                 "a\xFE\r\n\xFF\xFE\xFE\r\xFF"};
    for (const Encoding* encoding : {&Windows1251(), &Windows1252(), &Utf8()}) {
        for (const std::string& text : texts) {
            const std::string name = encoding->Name() + " " + std::to_string(text.size());
            for (const EncodeMapping mirror : {KeepingLines, JoiningLines}) {
                const std::string once = EncodeText(text, mirror, *encoding);
                EXPECT_NE(once, text) << name;
                EXPECT_EQ(EncodeText(once, mirror, *encoding), text) << name;
            }
            EXPECT_EQ(EncodeText(EncodeText(text, Up, *encoding), Down, *encoding), text) << name;
            EXPECT_EQ(EncodeText(EncodeText(text, Down, *encoding), Up, *encoding), text) << name;
        }
    }
}

} // namespace
