// Selection: the plain editor's offsets, and the text of the three selection modes.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineSelection, OffsetsCountCrLfAsTwoBytes) {
    TSynEditEngine engine(Utf8());
    engine.SetText("ab\r\ncd\r\nef");
    engine.SetSelStart(TextOffset(5));
    engine.SetSelLength(TextOffset(4));
    EXPECT_EQ(Marked(engine), "ab\nc^d\ne|f");
    EXPECT_EQ(engine.SelectedText(), "d\r\ne");
    EXPECT_EQ(engine.SelStart(), TextOffset(5));
    EXPECT_EQ(engine.SelLength(), TextOffset(4));

    // Read back the same, whichever end the caret is at.
    engine.SetSelection(MakePosition(2, 1), MakePosition(1, 1));
    EXPECT_EQ(engine.SelStart(), TextOffset(5));
    EXPECT_EQ(engine.SelLength(), TextOffset(4));
}

TEST(EngineSelection, EveryOffsetOutsideABreakRoundTrips) {
    TSynEditEngine engine(Utf8());
    const std::string text = "ab\r\n\r\nc\xC3\xA9\r\n";
    engine.SetText(text);
    for (std::size_t offset = 0; offset <= text.size(); ++offset) {
        bool insideBreak = offset > 0 && text[offset - 1] == '\r';
        bool insideChar = offset > 0 && text[offset - 1] == '\xC3';
        if (insideBreak || insideChar)
            continue;
        EXPECT_EQ(engine.OffsetOf(engine.PositionOf(TextOffset(offset))), TextOffset(offset))
            << offset;
    }
    // Inside a CR LF: the end of the line before it. Past the end: the end of the text.
    EXPECT_EQ(engine.PositionOf(TextOffset(3)), MakePosition(0, 2));
    EXPECT_EQ(engine.PositionOf(TextOffset(99)), MakePosition(3, 0));
    // Inside a character: its start.
    EXPECT_EQ(engine.PositionOf(TextOffset(8)), MakePosition(2, 1));
}

TEST(EngineSelection, SelLengthIsClampedToTheText) {
    TSynEditEngine engine(Utf8());
    engine.SetText("ab\r\ncd");
    engine.SetSelStart(TextOffset(1));
    engine.SetSelLength(TextOffset(100));
    EXPECT_EQ(engine.SelectedText(), "b\r\ncd");
    EXPECT_EQ(engine.SelLength(), TextOffset(5));
}

TEST(EngineSelection, ColumnModeTakesTheBlockByDisplayColumns) {
    TSynEditEngine engine(Utf8());
    engine.SetTabWidth(4);
    // Block from display column 1 to 5 over three lines; the tab starts inside the block.
    engine.SetText("abcdefg\r\na\tbcd\r\nx\r\n0123456");
    engine.SetSelectionMode(TSynSelectionMode::smColumn);
    engine.SetSelection(MakePosition(0, 1), MakePosition(3, 5));
    EXPECT_EQ(engine.SelectedText(), "bcde\r\n\tb\r\n\r\n1234");
    EXPECT_EQ(engine.SelStart(), TextOffset(1));

    engine.DeleteSelection();
    EXPECT_EQ(engine.Text(), "afg\r\nacd\r\nx\r\n056");
    EXPECT_EQ(engine.Caret(), MakePosition(3, 1));
    EXPECT_FALSE(engine.SelectionAvailable());
    engine.Undo();
    EXPECT_EQ(engine.Text(), "abcdefg\r\na\tbcd\r\nx\r\n0123456");
    EXPECT_EQ(engine.SelectedText(), "bcde\r\n\tb\r\n\r\n1234");
}

TEST(EngineSelection, LineModeTakesWholeLines) {
    TSynEditEngine engine(Utf8());
    engine.SetSelectionMode(TSynSelectionMode::smLine);
    Load(engine, "one\ntw^o\nth|ree\nfour");
    EXPECT_EQ(engine.SelectedText(), "two\r\nthree\r\n");
    engine.DeleteSelection();
    EXPECT_EQ(Marked(engine), "one\n|four");

    Load(engine, "one\ntw^o\nth|ree");
    EXPECT_EQ(engine.SelectedText(), "two\r\nthree");
}

TEST(EngineSelection, TypingReplacesTheSelection) {
    TSynEditEngine engine(Utf8());
    Load(engine, "a^b\ncd|e");
    engine.TypeText("X");
    EXPECT_EQ(Marked(engine), "aX|e");
}

TEST(EngineSelection, SelectAllCoversTheTextInNormalMode) {
    TSynEditEngine engine(Utf8());
    engine.SetSelectionMode(TSynSelectionMode::smColumn);
    Load(engine, "ab\nc|d\n");
    engine.SelectAll();
    EXPECT_EQ(engine.SelectionMode(), TSynSelectionMode::smNormal);
    EXPECT_EQ(engine.SelectedText(), "ab\r\ncd\r\n");
    EXPECT_EQ(engine.SelLength(), TextOffset(8));
}

} // namespace
