// Whole text, the editing commands and block indent.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineEdit, TextRoundTripsLikeAnEditControl) {
    struct Case {
        std::string set, get;
    };
    const Case cases[] = {
        {"", ""},
        {"a\r\nb", "a\r\nb"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        TSynEditEngine engine(Utf8());
        engine.SetText(c.set);
        EXPECT_EQ(engine.Text(), c.get);
        EXPECT_FALSE(engine.CanUndo());
    }
}

TEST(EngineEdit, InsertTextBreaksLinesAtEveryKindOfBreak) {
    TSynEditEngine engine(Utf8());
    Load(engine, "<|>");
    engine.InsertText("1\r\n2\n3\r4");
    EXPECT_EQ(Marked(engine), "<1\n2\n3\n4|>");
}

TEST(EngineEdit, Commands) {
    struct Case {
        TSynEditorCommand command;
        std::string before, after;
    };
    const Case cases[] = {
        {ecDeleteChar, "ab|\ncd", "ab|cd"},
        {ecDeleteChar, "ab\ncd|", "ab\ncd|"},
        {ecDeleteChar,
         "a|\xE2\x82\xAC"
         "b",
         "a|b"},
        {ecDeleteLastChar, "ab\n|cd", "ab|cd"},
        {ecDeleteLastChar, "a\xE2\x82\xAC|b", "a|b"},
        {ecDeleteLastChar, "a\xE2\x82|b", "a\xE2|b"},
        {ecDeleteWord, "|foo bar", "|bar"},
        {ecDeleteWord, "foo|\nbar", "foo|bar"},
        {ecDeleteLastWord, "foo bar  |", "foo |"},
        {ecDeleteLastWord, "foo\n|bar", "foo|bar"},
        {ecDeleteLine, "a\nb|c\nd", "a\n|d"},
        {ecDeleteLine, "a\nb|c", "|a"},
        {ecDeleteLine, "ab|c", "|"},
        {ecDeleteEOL, "a|bc\nd", "a|\nd"},
        {ecInsertLine, "ab|c", "ab|\nc"},
        {ecInsertLine, "a^b|c", "a|\nc"},
        {ecLineBreak, "a^b|c", "a\n|c"},
        {ecTab, "a^b|c", "a\t|c"},
        {ecTabChar, "a^b\nc|d", "a\t|d"},
    };
    for (const Case& c : cases) {
        TSynEditEngine engine(Utf8());
        Load(engine, c.before);
        engine.ExecuteCommand(c.command);
        EXPECT_EQ(Marked(engine), c.after) << EditorCommandName(c.command) << " " << c.before;
    }
}

TEST(EngineEdit, OverwriteReplacesTypedCharactersButNotTheLineBreak) {
    TSynEditEngine engine(Utf8());
    engine.SetInsertMode(TSynInsertMode::Overwrite);
    Load(engine, "a|\xC3\xA9"
                 "cd\nx");
    engine.TypeText("XY");
    EXPECT_EQ(Marked(engine), "aXY|d\nx");
    engine.TypeText("123");
    EXPECT_EQ(Marked(engine), "aXY123|\nx");
    engine.Undo();
    EXPECT_EQ(Marked(engine), "a|\xC3\xA9"
                              "cd\nx");
}

TEST(EngineEdit, BlockIndentAndUnindentTheSelectedLines) {
    struct Case {
        TSynEditorCommand command;
        std::string before, after;
    };
    const Case cases[] = {
        // The line where a selection ends at column 0 is not taken; empty lines get no indent.
        {ecBlockIndent, "^ab\n\ncd\n|ef", "^  ab\n\n  cd\n|ef"},
        {ecBlockIndent, "a^b\ncd|", "  a^b\n  cd|"},
        {ecBlockIndent, "a|b", "  a|b"},
        {ecTab, "a^b\nc|d", "  a^b\n  c|d"},
        // A leading tab, or up to two spaces, goes; a line without either stays.
        {ecBlockUnindent, "^\tab\n   cd\nef\n |g", "^ab\n cd\nef\n|g"},
        {ecShiftTab, "  a|b", "a|b"},
        {ecShiftTab, "a|b", "a|b"},
    };
    for (const Case& c : cases) {
        TSynEditEngine engine(Utf8());
        Load(engine, c.before);
        engine.ExecuteCommand(c.command);
        EXPECT_EQ(Marked(engine), c.after) << EditorCommandName(c.command) << " " << c.before;
        // One undo entry restores text and selection.
        if (engine.CanUndo()) {
            engine.Undo();
            EXPECT_EQ(Marked(engine), c.before);
            EXPECT_FALSE(engine.CanUndo());
        }
    }
}

TEST(EngineEdit, BlockIndentWidthIsConfigurable) {
    TSynEditEngine engine(Utf8());
    engine.SetBlockIndent(4);
    Load(engine, "a|");
    engine.IndentLines();
    EXPECT_EQ(Marked(engine), "    a|");
    engine.UnindentLines();
    EXPECT_EQ(Marked(engine), "a|");
}

TEST(EngineEdit, ReadOnlyRefusesEveryEdit) {
    TSynEditEngine engine(Utf8());
    Load(engine, "a^b|c");
    engine.SetReadOnly(true);
    for (TSynEditorCommand command : {ecDeleteChar, ecDeleteLastChar, ecDeleteLine, ecLineBreak,
                                      ecTab, ecBlockIndent, ecCut, ecChar, ecPaste})
        EXPECT_FALSE(engine.ExecuteCommand(command, "x")) << EditorCommandName(command);
    EXPECT_FALSE(engine.ReplaceAllText("x"));
    EXPECT_EQ(Marked(engine), "a^b|c");
    EXPECT_TRUE(engine.ExecuteCommand(ecRight));
}

TEST(EngineEdit, DirectListChangesMoveTheCaretAndClearUndo) {
    TSynEditEngine engine(Utf8());
    Load(engine, "a\nb\nc|d");
    engine.TypeText("x");
    engine.Lines().Insert(LineIndex(0), "new");
    EXPECT_EQ(Marked(engine), "new\na\nb\ncx|d");
    EXPECT_FALSE(engine.CanUndo());
    engine.Lines().Put(LineIndex(3), "z");
    EXPECT_EQ(Marked(engine), "new\na\nb\nz|");
    engine.Lines().Clear();
    EXPECT_EQ(Marked(engine), "|");
}

} // namespace

namespace {

// A replacement of the selection over several lines reports one record from its first line to
// the last it touched, lines it leaves as they were inside it too; Undo reports it back.
TEST(EngineEdit, ReplaceRangeReportsTheLinesItSpans) {
    struct Case {
        std::string before, text, after;
        TSynLinesChange record;
    };
    const Case cases[] = {
        {"^a\nb\nc\nd|", "A\nb\nc\nD", "A\nb\nc\nD|", {LineIndex(0), 4, 4}},
        {"^a\nb\nc|", "a\nb\nc", "a\nb\nc|", {LineIndex(0), 3, 3}},
        {"x\na^\nb\nc\nd|", "\nb", "x\na\nb|", {LineIndex(1), 4, 2}},
        {"a^\n|b", "\nb\nx\n", "a\nb\nx\n|b", {LineIndex(0), 2, 4}},
    };
    for (const Case& c : cases) {
        TSynEditEngine engine(Utf8());
        Load(engine, c.before);
        std::vector<TSynLinesChange> records;
        engine.OnLinesChanged = [&](const TSynLinesChange& change) { records.push_back(change); };
        const BufferRange range = engine.SelectionRange();
        EXPECT_TRUE(engine.ReplaceRange(range.begin, range.end, c.text));
        EXPECT_EQ(Marked(engine), c.after);
        engine.Undo();
        EXPECT_EQ(Marked(engine), c.before);
        const TSynLinesChange undone{c.record.index, c.record.inserted, c.record.removed};
        EXPECT_EQ(records, (std::vector<TSynLinesChange>{c.record, undone})) << c.before;
    }
}

TEST(EngineEdit, ChangeRecordsSeeAValidCaret) {
    TSynEditEngine engine(Utf8());
    int records = 0;
    engine.OnLinesChanged = [&](const TSynLinesChange&) {
        ++records;
        EXPECT_EQ(engine.Clamp(engine.Caret()), engine.Caret());
        EXPECT_EQ(engine.Clamp(engine.Anchor()), engine.Anchor());
    };
    Load(engine, "a\nb\nc\nd|");
    engine.SetText("x");
    engine.ReplaceAllText("1\r\n2\r\n3\r\n4");
    engine.SetCaret(MakePosition(3, 1));
    engine.Undo();
    engine.Redo();
    engine.ExecuteCommand(ecSelectAll);
    engine.ExecuteCommand(ecDeleteChar);
    engine.Undo();
    EXPECT_EQ(records, 7);
}

} // namespace
