#include "app/DocumentText.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace std::string_literals;

TEST(ToPlainEditorTextTest, EveryLineBreakBecomesCrLf) {
    const struct {
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"a\rb", "a\r\nb"},
        {"a\nb", "a\r\nb"},
        {"a\r\nb", "a\r\nb"},
        {"\r\r\n", "\r\n\r\n"},
        {"\n\r", "\r\n\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"end\r", "end\r\n"},
        {"end\n", "end\r\n"},
        {"\ra", "\r\na"},
        {"a\0b\nc\0"s, "a\0b\r\nc\0"s},
        {"\0\r\0"s, "\0\r\n\0"s},
        {"", ""},
        {"no break", "no break"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToPlainEditorText(c.bytes), c.expected);
    }
}

TEST(ToPlainEditorTextTest, IsIdempotent) {
    const std::string once = ToPlainEditorText("x\ny\r\rz\r\n\n"s);
    EXPECT_EQ(ToPlainEditorText(once), once);
}

TEST(DocumentTextTest, RecognisesRichTextExtensionsInAnyCase) {
    for (const char* extension : {".doc", ".rtf", ".docx", ".rtfx", ".RTF", ".DocX"}) {
        EXPECT_TRUE(IsRichTextExtension(extension)) << extension;
    }
    for (const char* extension : {"", ".txt", ".rt", ".docxx", "doc", ".rtf.txt"}) {
        EXPECT_FALSE(IsRichTextExtension(extension)) << extension;
    }
}

TEST(DocumentTextTest, TellsRtfFromTextAndBinaryContent) {
    EXPECT_TRUE(IsRichTextContent("{\\rtf1\\ansi hello}"));
    EXPECT_FALSE(IsRichTextContent(" {\\rtf1}"));
    EXPECT_FALSE(IsRichTextContent("{\\rt"));
    EXPECT_FALSE(IsRichTextContent(""));

    const std::string wordDocument = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0"s;
    EXPECT_TRUE(LooksBinary(wordDocument));
    EXPECT_TRUE(LooksBinary("PK\x03\x04\x14\0\x06\0"s));
    EXPECT_FALSE(LooksBinary("plain text\r\nwith lines\t\x01\x7F\xFF"));
    EXPECT_FALSE(LooksBinary(""));
    // Only the start is probed, so a huge text with a stray NUL far in still loads.
    std::string longText(100 * 1024, 'a');
    longText[90 * 1024] = '\0';
    EXPECT_FALSE(LooksBinary(longText));
    longText[60 * 1024] = '\0';
    EXPECT_TRUE(LooksBinary(longText));
}

TEST(DocumentTextTest, TextThatIsNoTextInItsEncodingLooksBinary) {
    const Encoding& utf8 = *Encoding::ForCodePage(Encoding::Utf8CodePage);
    const Encoding& western = *Encoding::ForCodePage(1252);
    const std::string cutAtTheProbe = std::string(64 * 1024 - 1, 'a') + "\xE2\x82\xAC more";
    const struct {
        const char* name;
        std::string bytes;
        const Encoding& encoding;
        bool binary;
    } cases[] = {
        {"UTF-8 text", "caf\xC3\xA9 \xE2\x82\xAC\r\n", utf8, false},
        {"ill-formed UTF-8", "caf\xC3 \xFF", utf8, true},
        {"a NUL byte", "text\0more"s, utf8, true},
        {"the same bytes in a code page", "caf\xC3 \xFF", western, false},
        {"every byte of a code page is text", "a\x81" "b\x9D", western, false},
        {"a character cut where the probe ends", cutAtTheProbe, utf8, false},
        {"an empty file", "", utf8, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksBinaryText(c.bytes, c.encoding), c.binary) << c.name;
}

TEST(DocumentTextTest, BlankTextHasOnlySpacesAndControlCharacters) {
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(" \t\r\n\x01\0 "s));
    EXPECT_FALSE(IsBlankText("  a "));
    EXPECT_FALSE(IsBlankText("\xA0"));
}

} // namespace
