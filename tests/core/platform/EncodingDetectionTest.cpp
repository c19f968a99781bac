#include "platform/EncodingDetection.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const Encoding& Page(int codePage) {
    return *Encoding::ForCodePage(codePage);
}

// Russian and French prose in their code pages, long enough for the charset detector.
const std::string russian1251 =
    "\xCA\xEE\xE3\xE4\xE0-\xF2\xEE \xE4\xE0\xE2\xED\xEE, \xE2 \xEE\xE4\xED\xEE\xEC "
    "\xED\xE5\xE1\xEE\xEB\xFC\xF8\xEE\xEC \xE3\xEE\xF0\xEE\xE4\xE5 \xE6\xE8\xEB "
    "\xF1\xF2\xE0\xF0\xFB\xE9 \xF7\xE0\xF1\xEE\xE2\xF9\xE8\xEA. \xCA\xE0\xE6\xE4\xEE\xE5 "
    "\xF3\xF2\xF0\xEE \xEE\xED \xEE\xF2\xEA\xF0\xFB\xE2\xE0\xEB \xF1\xE2\xEE\xFE "
    "\xEC\xE0\xF1\xF2\xE5\xF0\xF1\xEA\xF3\xFE \xE8 \xF1\xE0\xE4\xE8\xEB\xF1\xFF \xE7\xE0 "
    "\xF0\xE0\xE1\xEE\xF2\xF3.\r\n";
const std::string french1252 = "Le gar\xE7on a mang\xE9 une p\xEA"
                               "che \xE0 c\xF4t\xE9 de la fen\xEAtre. Tr\xE8s bien, "
                               "r\xE9pondit-il.\r\n";
const std::string russianUtf8 = "Привет, мир.\r\n";

struct DetectionCase {
    const char* name;
    std::string bytes;
    int programCodePage;
    int languageCodePage;
    std::string expected; // DocumentEncoding::Name()
};

TEST(EncodingDetection, PicksTheEncodingTheBytesShow) {
    const DetectionCase cases[] = {
        {"utf-8 mark",
         "\xEF\xBB\xBF"
         "abc",
         1252, 1252, "utf-8-bom"},
        {"utf-8 mark, ill-formed rest", "\xEF\xBB\xBF\xFF", 65001, 1252, "utf-8-bom"},
        {"utf-16 le", std::string("\xFF\xFE\x41\x00\x1F\x04", 6), 1252, 1252, "utf-16le"},
        {"utf-16 be", std::string("\xFE\xFF\x00\x41\x04\x1F", 6), 65001, 1251, "utf-16be"},
        {"utf-16 pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), 1252, 1252, "utf-16le"},
        // An odd length or a lone surrogate is no UTF-16: the rules below the marks decide.
        {"odd utf-16", std::string("\xFF\xFE\x41", 3), 1251, 1252, "windows-1251"},
        {"lone surrogate", std::string("\xFF\xFE\x00\xDC", 4), 1250, 1252, "windows-1250"},
        {"utf-8 on a code page desktop", russianUtf8, 1252, 1252, "utf-8"},
        {"utf-8 on a utf-8 desktop", russianUtf8, 65001, 1252, "utf-8"},
        {"ascii takes the program's", "plain text\r\n", 1251, 1252, "windows-1251"},
        {"ascii on a utf-8 desktop", "plain text\r\n", 65001, 1251, "utf-8"},
        {"empty", "", 65001, 1252, "utf-8"},
        {"code page desktop keeps its page", russian1251, 1252, 1251, "windows-1252"},
        {"detector names windows-1251", russian1251, 65001, 1252, "windows-1251"},
        {"detector names iso-8859-1", french1252, 65001, 1251, "iso-8859-1"},
        // Too little text for the detector: the user's language decides.
        {"short text, russian user", "\xA9 2024", 65001, 1251, "windows-1251"},
        {"short text, english user", "\xA9 2024", 65001, 1252, "windows-1252"},
        {"ill-formed utf-8", "caf\xE9", 1250, 1252, "windows-1250"},
    };
    for (const DetectionCase& c : cases) {
        EXPECT_EQ(DetectEncoding(c.bytes, Page(c.programCodePage), Page(c.languageCodePage)).Name(),
                  c.expected)
            << c.name;
    }
}

// Long ASCII runs are stepped over many bytes at a time: a character or a bad byte is found
// wherever it falls among them, also after one that is well-formed.
TEST(EncodingDetection, FindsWhatLiesAnywhereInLongAsciiText) {
    const std::string ascii(200, 'a');
    struct Placement {
        const char* name;
        std::string before; // at the start, or nothing
        std::string placed; // at every position after it
        std::string expected;
    };
    const Placement cases[] = {
        {"two-byte character", "", "\xC3\xA9", "utf-8"},
        {"three-byte character", "", "\xE2\x82\xAC", "utf-8"},
        {"lone byte", "", "\xE9", "windows-1250"},
        {"cut sequence", "", "\xE2\x82", "windows-1250"},
        {"lone byte after a character", "\xC3\xA9", "\xE9", "windows-1250"},
    };
    for (const Placement& c : cases) {
        for (std::size_t at = c.before.size(); at + c.placed.size() <= ascii.size(); ++at) {
            std::string bytes = ascii;
            bytes.replace(0, c.before.size(), c.before);
            bytes.replace(at, c.placed.size(), c.placed);
            EXPECT_EQ(DetectEncoding(bytes, Page(1250), Page(1252)).Name(), c.expected)
                << c.name << " at " << at;
        }
    }
}

TEST(EncodingDetection, FilesComeBackByteForByte) {
    struct RoundTrip {
        const char* name;
        std::string bytes;
        DocumentEncoding encoding;
        std::string edited; // the text the editor holds
    };
    const RoundTrip cases[] = {
        {"utf-8 mark", "\xEF\xBB\xBFП", {&Page(65001), ByteOrderMark::Utf8}, "П"},
        {"utf-16 le",
         std::string("\xFF\xFE\x1F\x04\x0D\x00\x0A\x00\x3D\xD8\x00\xDE", 12),
         {&Page(65001), ByteOrderMark::Utf16LittleEndian},
         "П\r\n\xF0\x9F\x98\x80"},
        {"utf-16 be",
         std::string("\xFE\xFF\x04\x1F\x00\x00", 6),
         {&Page(65001), ByteOrderMark::Utf16BigEndian},
         std::string("П\0", 3)},
        {"code page", russian1251, DocumentEncoding::Plain(Page(1251)), russian1251},
        {"ill-formed utf-8", "a\xFF\xC3", DocumentEncoding::Plain(Page(65001)), "a\xFF\xC3"},
    };
    for (const RoundTrip& c : cases) {
        const std::string text = DecodeFileBytes(c.bytes, c.encoding);
        EXPECT_EQ(text, c.edited) << c.name;
        const EncodedText file = EncodeFileBytes(text, c.encoding);
        EXPECT_EQ(file.bytes, c.bytes) << c.name;
        EXPECT_EQ(file.unencodable, 0u) << c.name;
    }
}

TEST(EncodingDetection, Utf16CannotHoldIllFormedBytes) {
    const EncodedText file =
        EncodeFileBytes("a\xFF", {&Page(65001), ByteOrderMark::Utf16LittleEndian});
    EXPECT_EQ(file.bytes, std::string("\xFF\xFE\x61\x00\x3F\x00", 6));
    EXPECT_EQ(file.unencodable, 1u);
}

TEST(EncodingDetection, ChoiceOfTheUserTakesTheBytesAsTheyAre) {
    const std::string utf16 = std::string("\xFF\xFE\x41\x00", 4);
    EXPECT_EQ(EncodingOfChoice(utf16, Page(65001)).Name(), "utf-16le");
    EXPECT_EQ(EncodingOfChoice(utf16, Page(1252)).Name(), "windows-1252");
    EXPECT_EQ(EncodingOfChoice("\xEF\xBB\xBFx", Page(65001)).Name(), "utf-8-bom");
    EXPECT_EQ(EncodingOfChoice(russian1251, Page(65001)).Name(), "utf-8");
}

TEST(EncodingDetection, ConvertingCountsWhatTheTargetCannotHold) {
    struct ConversionCase {
        std::string text;
        int from, to;
        std::string bytes;
        std::size_t unencodable;
    };
    const ConversionCase cases[] = {
        {"Привет", 65001, 1251, "\xCF\xF0\xE8\xE2\xE5\xF2", 0},
        {"\xCF\xF0\xE8", 1251, 65001, "При", 0},
        {"Пé", 65001, 1252, "?\xE9", 1},
        {"€ and ж", 65001, 28591, "? and ?", 2},
        // An ill-formed byte is no character and travels as it is.
        {"a\xFF", 65001, 1251, "a\xFF", 0},
    };
    for (const ConversionCase& c : cases) {
        const EncodedText converted = ConvertText(c.text, Page(c.from), Page(c.to));
        EXPECT_EQ(converted.bytes, c.bytes) << c.text;
        EXPECT_EQ(converted.unencodable, c.unencodable) << c.text;
    }
}

TEST(EncodingDetection, NamesReadBackAndCaptionsShow) {
    for (const int codePage : Encoding::SupportedCodePages()) {
        const DocumentEncoding encoding = DocumentEncoding::Plain(Page(codePage));
        EXPECT_EQ(DocumentEncoding::FromName(encoding.Name()), encoding) << codePage;
    }
    for (const ByteOrderMark mark :
         {ByteOrderMark::Utf8, ByteOrderMark::Utf16LittleEndian, ByteOrderMark::Utf16BigEndian}) {
        const DocumentEncoding encoding{&Page(65001), mark};
        EXPECT_EQ(DocumentEncoding::FromName(encoding.Name()), encoding) << encoding.Name();
    }
    EXPECT_EQ(DocumentEncoding::FromName("koi8-r"), std::nullopt);
    EXPECT_EQ(DocumentEncoding::Plain(Page(1251)).Caption(), "Windows-1251");
    EXPECT_EQ(DocumentEncoding::Plain(Page(28591)).Caption(), "ISO-8859-1");
    EXPECT_EQ(DocumentEncoding::Plain(Page(65001)).Caption(), "UTF-8");
    EXPECT_EQ((DocumentEncoding{&Page(65001), ByteOrderMark::Utf16BigEndian}.Caption()),
              "UTF-16 BE");
}

} // namespace
