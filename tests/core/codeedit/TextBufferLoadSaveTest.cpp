// Loading and saving the line list: the break rules, format detection and file errors.

#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/SynEditTextFile.h"
#include "support/TemporaryFolderTest.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace std::string_literals;

std::vector<std::string> LinesOf(const TSynEditStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.emplace_back(list.Get(LineIndex(i)));
    return lines;
}

std::string Saved(const TSynEditStringList& list) {
    std::ostringstream out;
    SaveToStream(list, out);
    return out.str();
}

struct LoadCase {
    const char* name;
    std::string file;
    std::vector<std::string> lines;
    TSynEditFileFormat format;
    std::string saved;
};

void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.name;
}

const TSynEditFileFormat Dos = TSynEditFileFormat::sffDos;
const TSynEditFileFormat Unix = TSynEditFileFormat::sffUnix;
const TSynEditFileFormat Mac = TSynEditFileFormat::sffMac;

const LoadCase loadCases[] = {
    {"CrLfWithoutFinalBreak", "a\r\nb", {"a", "b"}, Dos, "a\r\nb\r\n"},
    {"LfOnly", "a\nb\n", {"a", "b"}, Unix, "a\nb\n"},
    {"CrOnly", "a\rb\r", {"a", "b"}, Mac, "a\rb\r"},
    {"MixedCrLfAndLf", "a\r\nb\nc", {"a", "b", "c"}, Dos, "a\r\nb\r\nc\r\n"},
    {"NoBreakAtAll", "abc", {"abc"}, Dos, "abc\r\n"},
    {"NulSplitsAndIsDropped", "a\0b"s, {"a", "b"}, Dos, "a\r\nb\r\n"},
    {"NulBeforeLfGivesEmptyLine", "a\0\nb"s, {"a", "", "b"}, Unix, "a\n\nb\n"},
    {"NulAtEndAddsNoLine", "a\0"s, {"a"}, Dos, "a\r\n"},
    {"TwoCrLfGiveEmptyLine", "a\r\n\r\nb", {"a", "", "b"}, Dos, "a\r\n\r\nb\r\n"},
    {"EmptyBuffer", "", {}, Dos, ""},
    {"TrailingBreakAddsNoEmptyLine", "a\r\n", {"a"}, Dos, "a\r\n"},
    {"OnlyABreak", "\n", {""}, Unix, "\n"},
    {"CrCr", "a\r\rb", {"a", "", "b"}, Mac, "a\r\rb\r"},
    {"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}, Dos, "a\r\n\r\nb\r\n"},
    {"CrCrLf", "a\r\r\nb", {"a", "", "b"}, Dos, "a\r\n\r\nb\r\n"},
    {"LongLineAcrossWordSteps",
     "0123456789abcdefghij\nx",
     {"0123456789abcdefghij", "x"},
     Unix,
     "0123456789abcdefghij\nx\n"},
    {"HighBytesAreText",
     "\xff\xfe\x80\n\xc3\xa9",
     {"\xff\xfe\x80", "\xc3\xa9"},
     Unix,
     "\xff\xfe\x80\n\xc3\xa9\n"},
};

class TextBufferLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(TextBufferLoad, SplitsDetectsFormatAndSavesWithIt) {
    const LoadCase& c = GetParam();
    TSynEditStringList list;
    std::istringstream in(c.file);
    LoadFromStream(list, in);
    EXPECT_EQ(LinesOf(list), c.lines);
    EXPECT_EQ(list.FileFormat(), c.format);
    EXPECT_EQ(Saved(list), c.saved);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBufferLoad, testing::ValuesIn(loadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextBufferLoad, ReadsStreamFromItsStart) {
    std::istringstream in("first\nsecond\n");
    std::string skipped;
    std::getline(in, skipped);
    TSynEditStringList list;
    LoadFromStream(list, in);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"first", "second"}));
}

TEST(TextBufferLoad, ReplacesEarlierLinesAndTheirData) {
    TSynEditStringList list;
    list.Add("old");
    list.SetRange(LineIndex(0), 7);
    list.LoadFromBuffer("new");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(LineIndex(0)), "new");
    EXPECT_EQ(list.Ranges(LineIndex(0)), 0u);
}

struct TextCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.name;
}

const TextCase textCases[] = {
    {"CrLf", "a\r\nb", {"a", "b"}},
    {"LfAndCrBreakToo", "a\nb\rc", {"a", "b", "c"}},
    {"FinalBreakAddsNoLine", "a\r\n", {"a"}},
    {"EmptyTextNoLines", "", {}},
    {"NulIsKeptInTheLine", "a\0b\r\nc"s, {"a\0b"s, "c"}},
    {"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
    {"NulKeptInLongLine",
     std::string(20, 'a') + '\0' + std::string(20, 'b') + "\r\nc",
     {std::string(20, 'a') + '\0' + std::string(20, 'b'), "c"}},
};

class TextBufferSetText : public testing::TestWithParam<TextCase> {};

TEST_P(TextBufferSetText, SplitsLinesAndTextAddsCrLfAfterEach) {
    const TextCase& c = GetParam();
    TSynEditStringList list;
    list.SetFileFormat(Unix);
    list.SetText(c.text);
    EXPECT_EQ(LinesOf(list), c.lines);
    std::string expected;
    for (const std::string& line : c.lines)
        expected += line + "\r\n";
    EXPECT_EQ(list.Text(), expected);
    EXPECT_EQ(list.FileFormat(), Unix) << "SetText keeps the format";
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBufferSetText, testing::ValuesIn(textCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextBufferSetText, AcceptsAViewOfItsOwnLines) {
    TSynEditStringList list;
    list.SetText("one\r\ntwo");
    list.SetText(list.Get(LineIndex(1)));
    EXPECT_EQ(LinesOf(list), std::vector<std::string>{"two"});
}

// The break rule one byte at a time, to check the fast scanner on buffers of every shape.
std::vector<std::string> SplitSlowly(const std::string& file) {
    std::vector<std::string> lines;
    std::size_t p = 0;
    while (p < file.size()) {
        std::size_t end = p;
        while (end < file.size() && file[end] != '\0' && file[end] != '\r' && file[end] != '\n')
            ++end;
        lines.push_back(file.substr(p, end - p));
        p = end;
        if (p < file.size() && file[p] == '\0') {
            ++p;
            continue;
        }
        if (p < file.size() && file[p] == '\r')
            ++p;
        if (p < file.size() && file[p] == '\n')
            ++p;
    }
    return lines;
}

TEST(TextBufferLoad, RandomBuffersSplitAsByteByByte) {
    const char alphabet[] = {'a', 'b', '\0', '\r', '\n', '\xff'};
    std::uint32_t seed = 7;
    auto next = [&](std::uint32_t below) {
        seed = seed * 134775813u + 1;
        return static_cast<std::uint32_t>((std::uint64_t(seed) * below) >> 32);
    };
    for (int round = 0; round < 500; ++round) {
        std::string file;
        // Long plain runs put the breaks at every place in and across 16-byte blocks.
        for (std::uint32_t i = 0, n = next(80); i < n; ++i)
            file += next(4) == 0 ? std::string(next(40), 'x') : std::string(1, alphabet[next(6)]);
        TSynEditStringList list;
        list.LoadFromBuffer(file);
        ASSERT_EQ(LinesOf(list), SplitSlowly(file)) << testing::PrintToString(file);
    }
}

class TextBufferFiles : public TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        folder = root;
    }

    std::string Write(const std::string& name, const std::string& content) {
        const std::string path = root + name;
        TemporaryFolderTest::Write(path, content);
        return path;
    }

    std::filesystem::path folder;
};

TEST_F(TextBufferFiles, LoadAndSaveRoundTripTheFormat) {
    TSynEditStringList list;
    LoadFromFile(list, Write("unix.txt", "x\ny"));
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"x", "y"}));
    std::string saved = (folder / "saved.txt").string();
    SaveToFile(list, saved);
    EXPECT_EQ(Read(saved), "x\ny\n");
}

TEST_F(TextBufferFiles, LoadsFilesThatReportNoSize) {
    if (!std::filesystem::exists("/proc/self/status"))
        GTEST_SKIP() << "no /proc";
    TSynEditStringList list;
    LoadFromFile(list, "/proc/self/status");
    ASSERT_GT(list.Count(), 3);
    EXPECT_EQ(list.Get(LineIndex(0)).substr(0, 5), "Name:");
}

TEST_F(TextBufferFiles, SaveEmptiesAnExistingFile) {
    std::string path = Write("long.txt", std::string(1000, 'z'));
    TSynEditStringList list;
    list.Add("short");
    SaveToFile(list, path);
    EXPECT_EQ(Read(path), "short\r\n");
}

TEST_F(TextBufferFiles, SaveReplacesTheFileInsteadOfRewritingIt) {
    const std::string path = Write("doc.txt", "old content\n");
    std::ifstream heldOpen(path, std::ios::binary);
    TSynEditStringList list;
    list.Add("new");
    SaveToFile(list, path);
    EXPECT_EQ(Read(path), "new\r\n");
    // A reader of the old file still sees all of it: the new text went to a file of its own.
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(heldOpen), {}), "old content\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1)
        << "a temporary file was left behind";
}

TEST_F(TextBufferFiles, FileThatCannotBeOpenedLeavesListUnchanged) {
    TSynEditStringList list;
    list.SetText("keep\r\nme");
    list.SetFileFormat(Mac);
    int changes = 0;
    list.SetOnChange([&](const TSynLinesChange&) { ++changes; });
    for (const std::string& path : {(folder / "missing.txt").string(), folder.string()}) {
        EXPECT_THROW(LoadFromFile(list, path), EFileStreamError) << path;
        EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"keep", "me"})) << path;
        EXPECT_EQ(list.FileFormat(), Mac);
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(TextBufferFiles, OpenErrorNamesTheFile) {
    TSynEditStringList list;
    std::string path = (folder / "missing.txt").string();
    try {
        LoadFromFile(list, path);
        FAIL() << "no error";
    } catch (const EFileStreamError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot open file \"" + path + "\""),
                  std::string::npos)
            << error.what();
    }
}

TEST_F(TextBufferFiles, SaveToUnwritablePathThrows) {
    TSynEditStringList list;
    list.Add("text");
    EXPECT_THROW(SaveToFile(list, (folder / "no-such-folder" / "x.txt").string()),
                 EFileStreamError);
    EXPECT_THROW(SaveToFile(list, folder.string()), EFileStreamError);
}

TEST_F(TextBufferFiles, SaveToFullDeviceThrows) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TSynEditStringList list;
    list.Add("text");
    EXPECT_THROW(SaveToFile(list, "/dev/full"), EFileStreamError);
}

TEST(TextBufferSave, FailingStreamThrows) {
    TSynEditStringList list;
    list.Add("text");
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_THROW(SaveToStream(list, out), EFileStreamError);
}

TEST(TextBufferSave, LongLinesAndManyLinesSurviveChunkedWriting) {
    std::string big(3 << 20, 'q');
    std::string text = "a\n" + big + "\n";
    for (int i = 0; i < 100000; ++i)
        text += std::to_string(i) + "\n";
    TSynEditStringList list;
    list.LoadFromBuffer(text);
    EXPECT_EQ(Saved(list), text);
}

} // namespace
