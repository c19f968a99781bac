#include "recovery/RecoveryFile.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace std::string_literals;

TSynLinesSnapshot SnapshotOf(const std::string& text) {
    TSynEditStringList lines;
    lines.LoadFromBuffer(text);
    return lines.Snapshot();
}

TEST(RecoveryFileTest, HeaderAndTextComeBackExactly) {
    const struct {
        const char* name;
        RecoveryHeader header;
        std::string text;
    } cases[] = {
        {"untitled plain", {"", 0, 0, 0, "utf-8", ""}, "hello"},
        {"code view with caret",
         {"/home/a/x.cpp", 1, 41, 7, "windows-1252", "SynCppSyn1"},
         "int a;\r\n\r\nint b;"},
        {"rich view bytes", {"/d/r.rtf", 2, 0, 3, "windows-1251", ""}, "{\\rtf1 a\\par\r\n}"},
        {"a name with every escaped character",
         {"/a\\b\nc\rd\\\\n.txt", 0, 1, 1, "utf-8", ""},
         "x"},
        {"NUL bytes and lone breaks in the text", {"", 0, 0, 0, "utf-8", ""}, "a\0b\rc\nd\r\n"s},
        {"an empty text", {"/e.txt", 0, 0, 0, "utf-8", ""}, ""},
        {"the file's line breaks",
         {"/s.sh", 1, 0, 0, "utf-8", "",
          TSynLineBreaks{TSynEditFileFormat::sffUnix,
                         {{LineIndex(1), TSynEditFileFormat::sffDos},
                          {LineIndex(40), TSynEditFileFormat::sffMac}},
                         false}},
         "a\r\nb\r\nc"},
        {"line breaks of one style", {"", 0, 0, 0, "utf-8", "", TSynLineBreaks{}}, "x"},
        {"text that looks like a header",
         {"", 0, 0, 0, "utf-8", ""},
         "\nLength=3\nTabrix Pro recovery 1\n"},
    };
    for (const auto& c : cases) {
        // Bytes handed over made and bytes made when written come back alike.
        const RecoveryText texts[] = {c.text, DeferredText([&] { return c.text; })};
        for (const RecoveryText& text : texts) {
            RecoveryParse parsed = ParseRecoveryFile(FormatRecoveryFile(c.header, text));
            ASSERT_TRUE(parsed.document) << c.name << ": " << parsed.error;
            EXPECT_EQ(parsed.document->header, c.header) << c.name;
            EXPECT_EQ(parsed.document->text, c.text) << c.name;
        }
    }
}

TEST(RecoveryFileTest, LinesAreWrittenJoinedByCrLfAsTheEditorHoldsThem) {
    const struct {
        const char* name;
        std::string loaded;
        std::string joined;
    } cases[] = {
        {"several lines", "a\r\nbb\r\nccc", "a\r\nbb\r\nccc"},
        {"LF and CR breaks become CR LF", "a\nb\rc", "a\r\nb\r\nc"},
        {"an empty line in the middle", "a\r\n\r\nb", "a\r\n\r\nb"},
        {"no lines", "", ""},
    };
    for (const auto& c : cases) {
        RecoveryParse parsed = ParseRecoveryFile(FormatRecoveryFile({}, SnapshotOf(c.loaded)));
        ASSERT_TRUE(parsed.document) << c.name << ": " << parsed.error;
        EXPECT_EQ(parsed.document->text, c.joined) << c.name;
    }
}

TEST(RecoveryFileTest, DamagedFilesAreRefusedWithTheReason) {
    const std::string good =
        FormatRecoveryFile({"/a.txt", 1, 2, 3, "utf-8", "SynCppSyn1"}, "12345"s);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string damaged = good;
        damaged.replace(damaged.find(from), from.size(), to);
        return damaged;
    };
    const struct {
        const char* name;
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"some other file", "hello world\n\nxyz", "not a recovery file"},
        {"a first line like ours that goes on otherwise", "Tabrix Pro recovered\n",
         "not a recovery file"},
        {"a later version", replaced("recovery 1\n", "recovery 3\n"), "format version"},
        {"a version that is no number", replaced("recovery 1\n", "recovery one\n"),
         "format version"},
        {"a field missing", replaced("ViewMode=1\n", ""), "ViewMode is missing"},
        {"a field twice", replaced("ViewMode=1\n", "ViewMode=1\nViewMode=1\n"),
         "ViewMode appears twice"},
        {"an unknown line", replaced("ViewMode=1\n", "ViewMode=1\nColour=red\n"),
         "line 4 is not understood"},
        {"a line without equals sign", replaced("ViewMode=1\n", "ViewMode=1\nrubbish\n"),
         "line 4 is not understood"},
        {"view mode out of range", replaced("ViewMode=1", "ViewMode=3"), "view mode"},
        {"view mode not a number", replaced("ViewMode=1", "ViewMode=x"), "view mode"},
        {"caret with one number", replaced("Caret=2,3", "Caret=2"), "caret"},
        {"negative caret", replaced("Caret=2,3", "Caret=-2,3"), "caret"},
        {"broken escape in the name", replaced("FileName=/a.txt", "FileName=/a\\q.txt"),
         "broken escape"},
        {"escape at the end of a name", replaced("FileName=/a.txt", "FileName=/a.txt\\"),
         "broken escape"},
        {"length not a number", replaced("Length=5", "Length=five"), "length is not a number"},
        {"text grown", good + "6", "6 bytes long instead of 5"},
        {"line breaks of no known style", replaced("Length=5", "LineBreaks=LR;1;\nLength=5"),
         "line breaks"},
        {"a final break neither 0 nor 1", replaced("Length=5", "LineBreaks=LF;2;\nLength=5"),
         "line breaks"},
        {"a line break mark without line", replaced("Length=5", "LineBreaks=LF;1;CR\nLength=5"),
         "line breaks"},
        {"a line break mark of no style",
         replaced("Length=5", "LineBreaks=LF;1;3:CR,4:XX\nLength=5"), "line breaks"},
    };
    for (const auto& c : cases) {
        const RecoveryParse parsed = ParseRecoveryFile(c.bytes);
        EXPECT_FALSE(parsed.document) << c.name;
        EXPECT_NE(parsed.error.find(c.reason), std::string::npos)
            << c.name << ": \"" << parsed.error << "\"";
    }
}

// A copy cut short is told as such: refused when its header is not whole, else the text that is
// there comes back with what is missing.
TEST(RecoveryFileTest, ACopyCutShortIsToldAsSuchAndGivesBackWhatIsThere) {
    const RecoveryHeader header{"/a.txt", 1, 2, 3, "utf-8", "SynCppSyn1"};
    const std::string whole = FormatRecoveryFile(header, "12345"s);
    const std::size_t textStart = whole.find("\n\n") + 2;
    const struct {
        const char* name;
        std::size_t kept;
        const char* text; // nullptr: refused
        std::string error;
    } cases[] = {
        {"nothing at all", 0, nullptr, "cut short inside its header"},
        {"inside the first line", 9, nullptr, "cut short inside its header"},
        {"inside a field", whole.find("Caret=") + 3, nullptr, "cut short inside its header"},
        {"before the empty line", textStart - 1, nullptr, "cut short inside its header"},
        {"before the text", textStart, "", "cut short after 0 of its 5 bytes"},
        {"inside the text", textStart + 3, "123", "cut short after 3 of its 5 bytes"},
        {"nothing missing", whole.size(), "12345", ""},
    };
    for (const auto& c : cases) {
        const RecoveryParse parsed = ParseRecoveryFile(whole.substr(0, c.kept));
        EXPECT_NE(parsed.error.find(c.error), std::string::npos)
            << c.name << ": \"" << parsed.error << "\"";
        EXPECT_EQ(parsed.error.empty(), c.error.empty()) << c.name;
        ASSERT_EQ(parsed.document.has_value(), c.text != nullptr) << c.name;
        if (c.text) {
            EXPECT_EQ(parsed.document->text, c.text) << c.name;
            EXPECT_EQ(parsed.document->header, header) << c.name;
        }
    }
}

} // namespace
