// Undo and redo: one test per merge rule, and the two change notifications.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

namespace {

void Type(TSynEditEngine& engine, std::string_view text) {
    for (char c : text)
        engine.ExecuteCommand(ecChar, std::string(1, c));
}

// Undoes everything, returning the marked text after each step.
std::vector<std::string> UndoSteps(TSynEditEngine& engine) {
    std::vector<std::string> steps;
    while (engine.Undo())
        steps.push_back(Marked(engine));
    return steps;
}

TEST(EngineUndo, TypedCharactersOnOneLineMergeIntoOneEntry) {
    TSynEditEngine engine(Utf8());
    Load(engine, "<|>");
    Type(engine, "abc");
    EXPECT_EQ(engine.UndoList().UndoCount(), 1u);
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"<|>"}));
}

TEST(EngineUndo, AWordAfterBlanksStartsANewEntry) {
    TSynEditEngine engine(Utf8());
    Load(engine, "|");
    Type(engine, "ab  cd\tef");
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"ab  cd\t|", "ab  |", "|"}));
}

TEST(EngineUndo, ACaretMoveEndsTheTypingRun) {
    TSynEditEngine engine(Utf8());
    Load(engine, "|");
    Type(engine, "ab");
    engine.ExecuteCommand(ecLeft);
    engine.ExecuteCommand(ecRight);
    Type(engine, "c");
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"ab|", "|"}));

    // Also when the caret is put back where it was.
    Type(engine, "ab");
    engine.SetCaret(engine.Caret());
    Type(engine, "c");
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"ab|", "|"}));
}

TEST(EngineUndo, AnyOtherCommandEndsTheTypingRun) {
    TSynEditEngine engine(Utf8());
    Load(engine, "|");
    Type(engine, "ab");
    engine.ExecuteCommand(ecNormalSelect);
    Type(engine, "c");
    EXPECT_EQ(engine.UndoList().UndoCount(), 2u);
}

TEST(EngineUndo, TypingOverASelectionStartsANewEntryThatLaterTypingJoins) {
    TSynEditEngine engine(Utf8());
    Load(engine, "x^yz|");
    Type(engine, "ab");
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"x^yz|"}));
}

TEST(EngineUndo, APasteIsOneEntryAndTypingAfterItIsAnother) {
    TSynEditEngine engine(Utf8());
    Load(engine, "a|b");
    engine.ExecuteCommand(ecPaste, "1\r\n2\r\n3");
    Type(engine, "x");
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"a1\n2\n3|b", "a|b"}));
}

TEST(EngineUndo, EachDeletionIsItsOwnEntry) {
    TSynEditEngine engine(Utf8());
    Load(engine, "abc|");
    engine.ExecuteCommand(ecDeleteLastChar);
    engine.ExecuteCommand(ecDeleteLastChar);
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"ab|", "abc|"}));
}

TEST(EngineUndo, WholeTextReplaceIsOneEntryThatRestoresTextAndSelection) {
    TSynEditEngine engine(Utf8());
    Load(engine, "one\nt^wo|\nthree");
    engine.ReplaceAllText("new\r\ntext\r\n");
    EXPECT_EQ(Marked(engine), "|new\ntext\n");
    EXPECT_TRUE(engine.Undo());
    EXPECT_EQ(Marked(engine), "one\nt^wo|\nthree");
    EXPECT_FALSE(engine.CanUndo());
    EXPECT_TRUE(engine.Redo());
    EXPECT_EQ(engine.Text(), "new\r\ntext\r\n");
}

TEST(EngineUndo, UndoRestoresCaretAndSelectionRedoTheStateAfter) {
    TSynEditEngine engine(Utf8());
    Load(engine, "a|bc^d");
    Type(engine, "X");
    engine.SetCaret(MakePosition(0, 0));
    engine.Undo();
    EXPECT_EQ(Marked(engine), "a|bc^d");
    engine.SetCaret(MakePosition(0, 4));
    engine.Redo();
    EXPECT_EQ(Marked(engine), "aX|d");
}

TEST(EngineUndo, ANewEditClearsRedo) {
    TSynEditEngine engine(Utf8());
    Load(engine, "|");
    Type(engine, "a");
    engine.Undo();
    EXPECT_TRUE(engine.CanRedo());
    Type(engine, "b");
    EXPECT_FALSE(engine.CanRedo());
    EXPECT_FALSE(engine.Redo());
    EXPECT_EQ(engine.Text(), "b");
}

TEST(EngineUndo, UndoThenRedoRestoresEveryStateAlongTheWay) {
    TSynEditEngine engine(Utf8());
    Load(engine, "ab|c\ndef");
    std::vector<std::string> states{Marked(engine)};
    engine.ExecuteCommand(ecLineBreak);
    states.push_back(Marked(engine));
    engine.ExecuteCommand(ecDeleteLine);
    states.push_back(Marked(engine));
    engine.ExecuteCommand(ecBlockIndent);
    states.push_back(Marked(engine));
    engine.ExecuteCommand(ecDeleteLastChar);
    states.push_back(Marked(engine));
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(engine.Undo());
        EXPECT_EQ(Marked(engine), states[i - 1]);
    }
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(engine.Redo());
        EXPECT_EQ(Marked(engine), states[i]);
    }
}

TEST(EngineUndo, AGroupIsOneEntry) {
    TSynEditEngine engine(Utf8());
    Load(engine, "ab|c");
    engine.BeginUndoGroup();
    Type(engine, "xy");
    engine.ExecuteCommand(ecLineBreak);
    engine.BeginUndoGroup();
    engine.ExecuteCommand(ecDeleteChar);
    engine.EndUndoGroup();
    engine.EndUndoGroup();
    EXPECT_EQ(Marked(engine), "abxy\n|");
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"ab|c"}));
}

TEST(EngineUndo, ListKeepsAtMostMaxEntries) {
    TSynEditEngine engine(Utf8());
    engine.UndoList().SetMaxEntries(2);
    Load(engine, "|");
    for (int i = 0; i < 4; ++i)
        engine.ExecuteCommand(ecLineBreak);
    EXPECT_EQ(engine.UndoList().UndoCount(), 2u);
    EXPECT_EQ(UndoSteps(engine), (std::vector<std::string>{"\n\n\n|", "\n\n|"}));
}

TEST(EngineUndo, SetTextAndDirectListChangesEmptyTheLists) {
    TSynEditEngine engine(Utf8());
    Load(engine, "|");
    Type(engine, "a");
    engine.SetText("b");
    EXPECT_FALSE(engine.CanUndo());
    Type(engine, "a");
    engine.Lines().Add("c");
    EXPECT_FALSE(engine.CanUndo());
}

struct Counts {
    int text = 0;
    int undoList = 0;
};

TEST(EngineUndo, UndoListChangesOnlyForUndoableEditsTextChangesForAll) {
    TSynEditEngine engine(Utf8());
    Counts counts;
    engine.OnTextChanged = [&] { ++counts.text; };
    engine.OnUndoListChanged = [&] { ++counts.undoList; };
    struct Step {
        std::function<void()> action;
        int text, undoList;
    };
    const Step steps[] = {
        {[&] { engine.SetText("abc"); }, 1, 0},
        {[&] { engine.Lines().Put(LineIndex(0), "xyz"); }, 1, 0},
        {[&] { engine.ExecuteCommand(ecChar, "q"); }, 1, 1},
        {[&] { engine.ExecuteCommand(ecChar, "r"); }, 1, 1},
        {[&] { engine.ExecuteCommand(ecRight); }, 0, 0},
        {[&] { engine.ExecuteCommand(ecUndo); }, 1, 1},
        {[&] { engine.ExecuteCommand(ecRedo); }, 1, 1},
        {[&] { engine.ExecuteCommand(ecDeleteChar); }, 1, 1},
        {[&] { engine.ReplaceAllText("new"); }, 1, 1},
        {[&] { engine.ExecuteCommand(ecDeleteLastChar); }, 0, 0}, // at the start: nothing
    };
    for (const Step& step : steps) {
        counts = {};
        step.action();
        EXPECT_EQ(counts.text, step.text) << &step - steps;
        EXPECT_EQ(counts.undoList, step.undoList) << &step - steps;
    }
}

} // namespace
