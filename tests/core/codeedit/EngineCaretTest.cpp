// Caret stepping by character, display columns with tabs, vertical moves and words.

#include "EngineTestSupport.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace {

std::vector<std::size_t> ColumnsStepping(TSynEditEngine& engine, TSynEditorCommand command) {
    std::vector<std::size_t> columns{engine.Caret().column.Value()};
    while (engine.ExecuteCommand(command))
        columns.push_back(engine.Caret().column.Value());
    return columns;
}

TEST(EngineCaret, Utf8SequenceIsOneStepAndIllFormedBytesAreOneEach) {
    struct Case {
        std::string text;
        std::vector<std::size_t> stops;
    };
    const Case cases[] = {
        // a, e-acute (2 bytes), euro (3), emoji (4), b
        {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"
         "b",
         {0, 1, 3, 6, 10, 11}},
        // A truncated euro sign: its two bytes are characters of their own.
        {"a\xE2\x82"
         "b",
         {0, 1, 2, 3, 4}},
        // Stray continuation byte and an overlong encoding of '/'.
        {"\x80x\xC0\xAF", {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        TSynEditEngine engine(Utf8());
        engine.SetText(c.text);
        EXPECT_EQ(ColumnsStepping(engine, ecRight), c.stops);
        std::vector<std::size_t> back(c.stops.rbegin(), c.stops.rend());
        EXPECT_EQ(ColumnsStepping(engine, ecLeft), back);
    }
}

TEST(EngineCaret, SingleByteCodePageStepsByteByByte) {
    TSynEditEngine engine(*Encoding::ForCodePage(1252));
    engine.SetText("\xC3\xA9x");
    EXPECT_EQ(ColumnsStepping(engine, ecRight), (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST(EngineCaret, PositionsInsideASequenceMoveToItsStart) {
    TSynEditEngine engine(Utf8());
    engine.SetText("a\xE2\x82\xAC"
                   "b\r\nc");
    struct Case {
        BufferPosition asked, placed;
    };
    const Case cases[] = {
        {MakePosition(0, 2), MakePosition(0, 1)}, {MakePosition(0, 3), MakePosition(0, 1)},
        {MakePosition(0, 4), MakePosition(0, 4)}, {MakePosition(0, 99), MakePosition(0, 5)},
        {MakePosition(7, 0), MakePosition(1, 0)}, {MakePosition(-3, 1), MakePosition(0, 1)},
    };
    for (const Case& c : cases) {
        engine.SetCaret(c.asked);
        EXPECT_EQ(engine.Caret(), c.placed);
    }
}

TEST(EngineCaret, ArrowsCrossLineEnds) {
    TSynEditEngine engine(Utf8());
    Load(engine, "ab|\ncd");
    engine.ExecuteCommand(ecRight);
    EXPECT_EQ(Marked(engine), "ab\n|cd");
    engine.ExecuteCommand(ecLeft);
    EXPECT_EQ(Marked(engine), "ab|\ncd");
    Load(engine, "|ab");
    EXPECT_FALSE(engine.ExecuteCommand(ecLeft));
}

TEST(EngineCaret, ArrowCollapsesASelectionToItsSide) {
    TSynEditEngine engine(Utf8());
    Load(engine, "a^bc|d");
    engine.ExecuteCommand(ecLeft);
    EXPECT_EQ(Marked(engine), "a|bcd");
    Load(engine, "a|bc^d");
    engine.ExecuteCommand(ecRight);
    EXPECT_EQ(Marked(engine), "abc|d");
}

TEST(EngineCaret, DisplayColumnsExpandTabs) {
    TSynEditEngine engine(Utf8());
    engine.SetText("\tab\tc\xC3\xA9\t");
    struct Case {
        std::size_t byteColumn;
        int display8, display4;
    };
    const Case cases[] = {{0, 0, 0},  {1, 8, 4},  {2, 9, 5},   {3, 10, 6},
                          {4, 16, 8}, {5, 17, 9}, {7, 18, 10}, {8, 24, 12}};
    for (const Case& c : cases) {
        engine.SetTabWidth(8);
        EXPECT_EQ(engine.DisplayColumnOf(MakePosition(0, c.byteColumn)), DisplayColumn(c.display8));
        engine.SetTabWidth(4);
        EXPECT_EQ(engine.DisplayColumnOf(MakePosition(0, c.byteColumn)), DisplayColumn(c.display4));
    }
    engine.SetTabWidth(8);
    EXPECT_EQ(engine.ColumnAtDisplay(LineIndex(0), DisplayColumn(5)), ByteColumn(0));
    EXPECT_EQ(engine.ColumnAtDisplay(LineIndex(0), DisplayColumn(9)), ByteColumn(2));
    EXPECT_EQ(engine.ColumnAtDisplay(LineIndex(0), DisplayColumn(99)), ByteColumn(8));
    EXPECT_EQ(engine.CharColumnOf(MakePosition(0, 7)), CharColumn(6));
    EXPECT_EQ(engine.ColumnAtChar(LineIndex(0), CharColumn(6)), ByteColumn(7));
}

TEST(EngineCaret, UpAndDownKeepTheDesiredDisplayColumn) {
    TSynEditEngine engine(Utf8());
    Load(engine, "abcdefghij|\nab\n\tx\nabcdefghijkl");
    engine.ExecuteCommand(ecDown);
    EXPECT_EQ(Marked(engine), "abcdefghij\nab|\n\tx\nabcdefghijkl");
    engine.ExecuteCommand(ecDown);
    EXPECT_EQ(Marked(engine), "abcdefghij\nab\n\tx|\nabcdefghijkl");
    engine.ExecuteCommand(ecDown);
    EXPECT_EQ(Marked(engine), "abcdefghij\nab\n\tx\nabcdefghij|kl");
    // A horizontal move sets a new desired column.
    engine.ExecuteCommand(ecLeft);
    engine.ExecuteCommand(ecLeft);
    engine.ExecuteCommand(ecUp);
    EXPECT_EQ(Marked(engine), "abcdefghij\nab\n\t|x\nabcdefghijkl");
}

TEST(EngineCaret, DisplayColumnsBeyondIntStopAtItsLargestValue) {
    // Tabs this wide reach past INT_MAX within a few characters, as a line of hundreds of MB
    // of tabs does at the usual width.
    TSynEditEngine engine(Utf8());
    Load(engine, "\t\t\tx|\n\t\t\tyz");
    engine.SetTabWidth(1'000'000'000);
    struct Case {
        std::size_t byteColumn;
        int display;
    };
    const Case cases[] = {
        {1, 1'000'000'000}, {2, 2'000'000'000}, {3, INT_MAX}, {4, INT_MAX}, {5, INT_MAX}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byteColumn);
        EXPECT_EQ(engine.DisplayColumnOf(MakePosition(1, c.byteColumn)), DisplayColumn(c.display));
    }
    EXPECT_EQ(engine.ColumnAtDisplay(LineIndex(1), DisplayColumn(2'000'000'000)), ByteColumn(2));
    EXPECT_EQ(engine.ColumnAtDisplay(LineIndex(1), DisplayColumn(INT_MAX)), ByteColumn(3));
    // Down from the end of the first line keeps to the far column: past the tabs.
    engine.ExecuteCommand(ecDown);
    EXPECT_EQ(Marked(engine), "\t\t\tx\n\t\t\t|yz");
}

// Columns along a long line, remembered from earlier questions, stay right through edits of
// the line, of the lines around it and of the tab width: an engine asked the same on the same
// text afresh agrees.
TEST(EngineCaret, ColumnsOfALongLineStayRightThroughEdits) {
    std::string longLine;
    for (int i = 0; longLine.size() < 100000; ++i)
        longLine += i % 9 == 0 ? "\t" : i % 4 == 0 ? "caf\xC3\xA9 " : "word ";
    TSynEditEngine engine(Utf8());
    engine.SetText("first\r\n" + longLine + "\r\nlast");
    std::mt19937 random(7);
    const auto below = [&](std::size_t n) { return std::size_t(random() % n); };
    const struct {
        const char* name;
        std::function<void()> edit;
    } edits[] = {
        {"type", [&] { engine.TypeText(below(2) ? "\t" : "\xE2\x82\xAC"); }},
        {"delete", [&] { engine.ExecuteCommand(ecDeleteLastChar); }},
        {"paste lines", [&] { engine.InsertText("a\tb\r\nc"); }},
        {"undo", [&] { engine.Undo(); }},
        {"edit another line",
         [&] { engine.ReplaceRange(MakePosition(0, 0), MakePosition(0, 1), "F"); }},
        {"tab width", [&] { engine.SetTabWidth(int(1 + below(8))); }},
    };
    for (int round = 0; round < 120; ++round) {
        const LineIndex line(1);
        const std::size_t length = engine.LineText(line).size();
        engine.SetCaret(engine.Clamp(BufferPosition{line, ByteColumn(below(length + 1))}));
        const auto& edit = edits[below(std::size(edits))];
        SCOPED_TRACE(std::to_string(round) + ": " + edit.name);
        edit.edit();
        TSynEditEngine fresh(Utf8());
        fresh.SetText(engine.Text());
        fresh.SetTabWidth(engine.TabWidth());
        for (int ask = 0; ask < 8; ++ask) {
            const LineIndex asked(int(below(2)) + 1);
            const BufferPosition at = engine.Clamp(
                BufferPosition{asked, ByteColumn(below(engine.LineText(asked).size() + 1))});
            const DisplayColumn display = fresh.DisplayColumnOf(at);
            ASSERT_EQ(engine.DisplayColumnOf(at), display) << at.column.Value();
            const DisplayColumn near(display.Value() + int(below(3)));
            ASSERT_EQ(engine.ColumnAtDisplay(asked, near), fresh.ColumnAtDisplay(asked, near));
            const CharColumn character = fresh.CharColumnOf(at);
            ASSERT_EQ(engine.CharColumnOf(at), character) << at.column.Value();
            ASSERT_EQ(engine.ColumnAtChar(asked, character), at.column);
        }
    }
}

// Columns far along long lines of every make agree with counting from the line start, asked
// for far first and then nearer.
TEST(EngineCaret, ColumnsFarAlongLongLinesAgreeWithCountingFromTheStart) {
    const struct {
        const char* name;
        const Encoding& encoding;
        std::vector<std::string> pieces;
    } cases[] = {
        {"tabs", Utf8(), {"ab\t", "\t", "abcdefghijklmnopq"}},
        {"utf-8", Utf8(), {"caf\xC3\xA9 ", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "words "}},
        {"ill-formed", Utf8(), {"\xC3", "\xE2\x82", "\xFF", "abcdefghi", "\xED\xA0\x80"}},
        {"code page", *Encoding::ForCodePage(1251), {"\xE0\xE1\t", "abcdefghij", "\x01"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(11);
        std::string line;
        while (line.size() < 300000)
            line += c.pieces[random() % c.pieces.size()];
        TSynEditEngine engine(c.encoding);
        engine.SetText("first\r\n" + line);
        // Every character start with its display and character column, counted from the start.
        std::vector<std::tuple<std::size_t, int, std::size_t>> counted;
        for (std::size_t pos = 0, characters = 0, display = 0; pos <= line.size(); ++characters) {
            counted.emplace_back(pos, int(display), characters);
            display = pos < line.size() && line[pos] == '\t' ? (display / 8 + 1) * 8 : display + 1;
            pos += pos < line.size() ? c.encoding.CharLength(line, pos) : 1;
        }
        for (const double place : {0.97, 0.6, 1.0, 0.3, 0.02, 0.61}) {
            const auto [byte, display, character] =
                counted[std::min(counted.size() - 1, std::size_t(double(counted.size()) * place))];
            const LineIndex at(1);
            ASSERT_EQ(engine.DisplayColumnOf({at, ByteColumn(byte)}), DisplayColumn(display));
            ASSERT_EQ(engine.CharColumnOf({at, ByteColumn(byte)}), CharColumn(character));
            ASSERT_EQ(engine.ColumnAtDisplay(at, DisplayColumn(display)), ByteColumn(byte));
            ASSERT_EQ(engine.ColumnAtChar(at, CharColumn(character)), ByteColumn(byte));
        }
    }
}

TEST(EngineCaret, WordMovesStopAtWordStarts) {
    struct Case {
        TSynEditorCommand command;
        std::string before, after;
    };
    const Case cases[] = {
        {ecWordRight, "|foo.bar  baz", "foo|.bar  baz"},
        {ecWordRight, "foo|.bar  baz", "foo.|bar  baz"},
        {ecWordRight, "foo.|bar  baz", "foo.bar  |baz"},
        {ecWordRight, "foo.bar  |baz", "foo.bar  baz|"},
        {ecWordRight, "foo|\n  bar", "foo\n|  bar"},
        {ecWordLeft, "foo.bar  baz|", "foo.bar  |baz"},
        {ecWordLeft, "foo.bar  |baz", "foo.|bar  baz"},
        {ecWordLeft, "foo.|bar", "foo|.bar"},
        {ecWordLeft, "foo\n|bar", "foo|\nbar"},
        {ecWordRight, "|na\xC3\xAFve caf\xC3\xA9", "na\xC3\xAFve |caf\xC3\xA9"},
        {ecWordLeft, "na\xC3\xAFve caf\xC3\xA9|", "na\xC3\xAFve |caf\xC3\xA9"},
    };
    for (const Case& c : cases) {
        TSynEditEngine engine(Utf8());
        Load(engine, c.before);
        engine.ExecuteCommand(c.command);
        EXPECT_EQ(Marked(engine), c.after) << c.before;
    }
}

TEST(EngineCaret, WordAtFindsTheWordAroundAPosition) {
    struct Case {
        std::string text;
        std::size_t column;
        std::size_t begin, end;
    };
    const Case cases[] = {
        {"foo bar", 1, 0, 3}, {"foo bar", 3, 0, 3}, {"foo bar", 4, 4, 7},
        {"foo bar", 7, 4, 7}, {"a   b", 2, 1, 4},   {"x += 1", 3, 2, 4},
        {"$var-x", 2, 1, 4},  {"", 0, 0, 0},        {"\xC3\xA9t\xC3\xA9 x", 1, 0, 5},
    };
    for (const Case& c : cases) {
        TSynEditEngine engine(Utf8());
        engine.SetText(c.text);
        BufferRange word = engine.WordAt(MakePosition(0, c.column));
        EXPECT_EQ(word.begin.column, ByteColumn(c.begin)) << c.text << " @" << c.column;
        EXPECT_EQ(word.end.column, ByteColumn(c.end)) << c.text << " @" << c.column;
    }
}

TEST(EngineCaret, HighlighterWordCharactersReplaceTheDefault) {
    TSynEditEngine engine(Utf8());
    engine.SetText("$var-x");
    TSynCharSet identifier, wordBreak;
    for (int c = 33; c < 256; ++c)
        identifier.set(static_cast<std::size_t>(c));
    for (unsigned char c : std::string("!\"'()*+,-./:;=?[\\]^{|}"))
        wordBreak.set(c);
    engine.SetWordChars(identifier, wordBreak);
    BufferRange word = engine.WordAt(MakePosition(0, 2));
    EXPECT_EQ(word.begin.column, ByteColumn(0));
    EXPECT_EQ(word.end.column, ByteColumn(4));
    engine.ClearWordChars();
    EXPECT_EQ(engine.WordAt(MakePosition(0, 2)).begin.column, ByteColumn(1));
}

TEST(EngineCaret, EmptyTextIsOneEmptyLine) {
    TSynEditEngine engine(Utf8());
    EXPECT_EQ(engine.LineCount(), 1);
    for (TSynEditorCommand command : {ecLeft, ecRight, ecUp, ecDown, ecWordLeft, ecWordRight,
                                      ecDeleteChar, ecDeleteLastChar, ecDeleteLine, ecMatchBracket})
        engine.ExecuteCommand(command);
    EXPECT_EQ(engine.Caret(), BufferPosition{});
    EXPECT_EQ(engine.Text(), "");
    engine.TypeText("x");
    EXPECT_EQ(engine.Text(), "x");
}

} // namespace

namespace {

TEST(EngineCaret, ChangingTheEncodingMovesTheCaretToACharacterStart) {
    TSynEditEngine engine(*Encoding::ForCodePage(1252));
    engine.SetText("\xC3\xA9x");
    engine.SetCaret(MakePosition(0, 1));
    engine.SetEncoding(Utf8());
    EXPECT_EQ(engine.Caret(), MakePosition(0, 0));
    engine.ExecuteCommand(ecRight);
    EXPECT_EQ(engine.Caret(), MakePosition(0, 2));
}

} // namespace
