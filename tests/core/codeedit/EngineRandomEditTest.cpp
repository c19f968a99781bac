// Random command sequences: undoing everything gives back the first text, redoing as many
// entries the last, and the caret is always on a character boundary inside the text.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const TSynEditorCommand Commands[] = {
    ecLeft,         ecRight,
    ecUp,           ecDown,
    ecWordLeft,     ecSelWordRight,
    ecSelDown,      ecSelLeft,
    ecLineEnd,      ecSelEditorTop,
    ecDeleteChar,   ecDeleteLastChar,
    ecDeleteWord,   ecDeleteLastWord,
    ecDeleteLine,   ecDeleteEOL,
    ecInsertLine,   ecLineBreak,
    ecTab,          ecShiftTab,
    ecBlockIndent,  ecChar,
    ecChar,         ecChar,
    ecPaste,        ecCut,
    ecToggleMode,   ecColumnSelect,
    ecLineSelect,   ecNormalSelect,
    ecMatchBracket, ecUndo,
    ecRedo,
};
const std::string Typed[] = {"a", " ", "\xC3\xA9", "(", ")", "\t", "\xE2\x82"};
const std::string Pasted[] = {"x\r\ny", "\n\n", "{[<>]}", "", "\xF0\x9F\x98\x80 z\r"};

TEST(EngineRandomEdit, UndoAllAndRedoAllRestoreTheEnds) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](auto& array) -> const auto& {
            return array[random() % std::size(array)];
        };
        TSynEditEngine engine(Utf8());
        const std::string start = "int f(a) {\r\n\treturn [a];\r\n}\r\n\r\n  caf\xC3\xA9";
        engine.SetText(start);
        for (int step = 0; step < 200; ++step) {
            TSynEditorCommand command = pick(Commands);
            std::string text = command == ecPaste ? pick(Pasted) : pick(Typed);
            engine.ExecuteCommand(command, text);
            ASSERT_EQ(engine.Clamp(engine.Caret()), engine.Caret()) << seed << "/" << step;
            ASSERT_EQ(engine.Clamp(engine.Anchor()), engine.Anchor()) << seed << "/" << step;
        }
        const std::string end = engine.Text();
        int undone = 0;
        while (engine.Undo())
            ++undone;
        EXPECT_EQ(engine.Text(), start) << "seed " << seed;
        for (int i = 0; i < undone; ++i)
            ASSERT_TRUE(engine.Redo());
        EXPECT_EQ(engine.Text(), end) << "seed " << seed;
    }
}

} // namespace
