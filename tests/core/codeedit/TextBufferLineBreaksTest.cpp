// Line breaks kept per line: a text taken as a file's keeps every break it had, edits change
// the breaks of the lines they touch only, and undo and conversion put them back.

#include "EngineTestSupport.h"
#include "codeedit/SynEditEngine.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

const TSynEditFileFormat Dos = TSynEditFileFormat::sffDos;
const TSynEditFileFormat Unix = TSynEditFileFormat::sffUnix;
const TSynEditFileFormat Mac = TSynEditFileFormat::sffMac;

std::string Written(const TSynEditStringList& list, TSynFinalBreak finalBreak) {
    std::string bytes;
    list.WriteFileText(
        [&](std::string_view piece) {
            bytes += piece;
            return true;
        },
        finalBreak);
    return bytes;
}

TEST(TextBufferLineBreaks, AFileTextIsWrittenBackAsItWas) {
    struct Case {
        const char* name;
        std::string bytes;
        TSynEditFileFormat format;
        bool mixed;
    };
    const Case cases[] = {
        {"LF", "a\nb\n\nc\n", Unix, false},
        {"CR LF", "a\r\nb\r\n", Dos, false},
        {"CR", "a\rb\r\rc", Mac, false},
        {"mostly LF, the first break CR LF", "a\r\nb\nc\nd", Unix, true},
        {"a tie goes to the first break", "a\rb\nc", Mac, true},
        {"LF CR is two breaks", "a\n\rb\n", Unix, true},
        {"no final break", "one\ntwo", Unix, false},
        {"NUL bytes stay in their line", "a\0b\nc\0"s, Unix, false},
        {"long lines between breaks",
         std::string(70000, 'x') + "\r" + std::string(20000, 'y') + "\n" + std::string(70000, 'z') +
             "\n",
         Unix, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSynEditStringList list;
        list.TakeText(ByteBlock::CopyOf(c.bytes), {}, TSynTextBreaks::AsInText);
        EXPECT_EQ(list.FileFormat(), c.format);
        EXPECT_EQ(list.MixedLineBreaks(), c.mixed);
        // The list drops a final break, so the last line's break says whether there was one.
        const bool finalBreak = c.bytes.back() == '\n' || c.bytes.back() == '\r';
        EXPECT_EQ(Written(list, finalBreak ? TSynFinalBreak::Yes : TSynFinalBreak::No), c.bytes);
    }
}

TEST(TextBufferLineBreaks, ATextWithoutBreaksAndATextThatIsNoFileKeepTheFormat) {
    TSynEditStringList list;
    list.SetFileFormat(Mac);
    list.TakeText(ByteBlock::CopyOf("one line"), {}, TSynTextBreaks::AsInText);
    EXPECT_EQ(list.FileFormat(), Mac);
    list.TakeText(ByteBlock::CopyOf("a\nb\r\nc"));
    EXPECT_EQ(list.FileFormat(), Mac);
    EXPECT_FALSE(list.MixedLineBreaks());
    EXPECT_EQ(Written(list, TSynFinalBreak::No), "a\rb\rc");
}

TEST(TextBufferLineBreaks, ABreakStaysWithItsLineAndGoesWithIt) {
    TSynEditStringList list;
    list.TakeText(ByteBlock::CopyOf("a\nb\rc\nd\n"), {}, TSynTextBreaks::AsInText);
    list.Put(LineIndex(1), "B");
    EXPECT_EQ(Written(list, TSynFinalBreak::Yes), "a\nB\rc\nd\n");
    list.Insert(LineIndex(1), "new");
    EXPECT_EQ(Written(list, TSynFinalBreak::Yes), "a\nnew\nB\rc\nd\n");
    list.Delete(LineIndex(2));
    EXPECT_FALSE(list.MixedLineBreaks());
    EXPECT_EQ(Written(list, TSynFinalBreak::Yes), "a\nnew\nc\nd\n");
}

TEST(TextBufferLineBreaks, MarksAndBreaksGoFromOneListToAnother) {
    TSynEditStringList source;
    source.TakeText(ByteBlock::CopyOf("a\r\nb\nc\r\nd\re"), {}, TSynTextBreaks::AsInText);
    EXPECT_EQ(source.LineBreakMarks(LineIndex(1), LineIndex(4)),
              (TSynLineBreakMarks{{LineIndex(0), Unix}, {LineIndex(2), Mac}}));
    TSynEditStringList copy;
    copy.Assign(source);
    EXPECT_EQ(Written(copy, TSynFinalBreak::No), "a\r\nb\nc\r\nd\re");
    TSynEditStringList other;
    other.TakeText(ByteBlock::CopyOf("a\nb\nc\nd\ne"));
    other.SetLineBreaks(source.LineBreaks());
    EXPECT_EQ(Written(other, TSynFinalBreak::No), "a\r\nb\nc\r\nd\re");
}

// The engine's edits on a text taken as a file's: Enter, a deletion across lines, a paste.
TEST(TextBufferLineBreaks, EditsChangeTheBreaksOfTheLinesTheyTouchOnly) {
    struct Case {
        const char* name;
        std::string file;
        BufferPosition begin, end;
        std::string inserted;
        std::string saved;
    };
    const auto At = [](int line, std::size_t column) {
        return BufferPosition{LineIndex(line), ByteColumn(column)};
    };
    const Case cases[] = {
        {"typing in an LF file", "ab\ncd\n", At(1, 1), At(1, 1), "x", "ab\ncxd\n"},
        {"a new line takes the usual break", "ab\r\ncd\r\n", At(0, 2), At(0, 2), "\n",
         "ab\r\n\r\ncd\r\n"},
        {"the break after the suffix stays", "a\nbc\rd\ne\n", At(1, 1), At(1, 1), "\n",
         "a\nb\nc\rd\ne\n"},
        {"joining lines keeps the later break", "a\nb\rc\nd\n", At(0, 1), At(1, 0), "",
         "ab\rc\nd\n"},
        {"a paste takes the usual break", "a\rb\nc\nd\n", At(2, 0), At(2, 0), "x\r\ny\rz",
         "a\rb\nx\ny\nzc\nd\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSynEditEngine engine(Utf8());
        engine.TakeText(ByteBlock::CopyOf(c.file), {}, TSynTextBreaks::AsInText);
        engine.SetSelection(c.begin, c.end);
        engine.InsertText(c.inserted);
        EXPECT_EQ(Written(engine.Lines(), TSynFinalBreak::No), c.saved);
        // Undo gives back every byte, the breaks of mixed texts too.
        engine.Undo();
        EXPECT_EQ(Written(engine.Lines(), TSynFinalBreak::No), c.file);
    }
}

TEST(TextBufferLineBreaks, ConversionIsOneUndoableEditThatKeepsTheText) {
    const std::string file = "a\nb\r\nc\rd\n";
    TSynEditEngine engine(Utf8());
    engine.TakeText(ByteBlock::CopyOf(file), {}, TSynTextBreaks::AsInText);
    const std::string text = engine.Text();
    int changes = 0;
    engine.OnTextChanged = [&] { ++changes; };
    EXPECT_TRUE(engine.ConvertLineBreaks(Dos));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(engine.Text(), text);
    EXPECT_EQ(Written(engine.Lines(), TSynFinalBreak::No), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_FALSE(engine.ConvertLineBreaks(Dos));
    EXPECT_TRUE(engine.Undo());
    EXPECT_EQ(Written(engine.Lines(), TSynFinalBreak::No), file);
    EXPECT_TRUE(engine.Redo());
    EXPECT_EQ(Written(engine.Lines(), TSynFinalBreak::No), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(TextBufferLineBreaks, UndoingAWholeTextReplaceBringsTheBreaksBack) {
    const std::string file = "b\na\rc\n";
    TSynEditEngine engine(Utf8());
    engine.TakeText(ByteBlock::CopyOf(file), {}, TSynTextBreaks::AsInText);
    engine.ReplaceAllText("a\r\nb\r\nc\r\n");
    EXPECT_EQ(Written(engine.Lines(), TSynFinalBreak::No), "a\nb\nc\n");
    engine.Undo();
    EXPECT_EQ(Written(engine.Lines(), TSynFinalBreak::No), file);
}

} // namespace
