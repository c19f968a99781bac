// What each key of the code editor's table does: one row per binding, run through the lookup
// as the widget does, checking text, caret, selection and view.

#include "EngineTestSupport.h"
#include "codeedit/SynEditKeyBindings.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

struct KeyCase {
    TShortCut shortCut;
    std::string before;
    std::string after;
    std::function<void(TSynEditEngine&)> setUp = nullptr;
    std::function<void(const TSynEditEngine&)> check = nullptr;
    int topBefore = 0;
    int topAfter = 0;
};

constexpr TShortCut Shift = scShift, Ctrl = scCtrl, CtrlShift = scCtrl | scShift;
// What ecPaste and ecChar are given, as the widget would from the clipboard.
const std::string Clipboard = "XY";

std::vector<KeyCase> Cases() {
    std::vector<KeyCase> cases = {
        {ShortCut(vkUp), "ab\ncd|", "ab|\ncd"},
        {ShortCut(vkUp, Shift), "ab\ncd|", "ab|\ncd^"},
        {ShortCut(vkUp, Ctrl), "a\nb\nc|\nd\ne", "a\nb|\nc\nd\ne", nullptr, nullptr, 1, 0},
        {ShortCut(vkDown), "a|b\ncd", "ab\nc|d"},
        {ShortCut(vkDown, Shift), "a|b\ncd", "a^b\nc|d"},
        {ShortCut(vkDown, Ctrl), "a|\nb\nc\nd\ne", "a\nb|\nc\nd\ne", nullptr, nullptr, 0, 1},
        {ShortCut(vkLeft), "ab|", "a|b"},
        {ShortCut(vkLeft, Shift), "ab|", "a|b^"},
        {ShortCut(vkLeft, Ctrl), "one two|", "one |two"},
        {ShortCut(vkLeft, CtrlShift), "one two|", "one |two^"},
        {ShortCut(vkRight), "|ab", "a|b"},
        {ShortCut(vkRight, Shift), "|ab", "^a|b"},
        {ShortCut(vkRight, Ctrl), "|one two", "one |two"},
        {ShortCut(vkRight, CtrlShift), "|one two", "^one |two"},
        {ShortCut(vkNext), "a|\nb\nc\nd\ne", "a\nb\nc|\nd\ne", nullptr, nullptr, 0, 2},
        {ShortCut(vkNext, Shift), "a|\nb\nc\nd\ne", "a^\nb\nc|\nd\ne", nullptr, nullptr, 0, 2},
        {ShortCut(vkNext, Ctrl), "a|\nb\nc", "a\nb|\nc"},
        {ShortCut(vkNext, CtrlShift), "a|\nb\nc", "a^\nb|\nc"},
        {ShortCut(vkPrior), "a\nb\nc\nd|\ne", "a\nb|\nc\nd\ne", nullptr, nullptr, 2, 0},
        {ShortCut(vkPrior, Shift), "a\nb\nc\nd|\ne", "a\nb|\nc\nd^\ne", nullptr, nullptr, 2, 0},
        {ShortCut(vkPrior, Ctrl), "a\nb\nc|", "a\nb|\nc", nullptr, nullptr, 1, 1},
        {ShortCut(vkPrior, CtrlShift), "a\nb\nc|", "a\nb|\nc^", nullptr, nullptr, 1, 1},
        {ShortCut(vkHome), "ab|c", "|abc"},
        {ShortCut(vkHome, Shift), "ab|c", "|ab^c"},
        {ShortCut(vkHome, Ctrl), "a\nb|", "|a\nb"},
        {ShortCut(vkHome, CtrlShift), "a\nb|", "|a\nb^"},
        {ShortCut(vkEnd), "a|bc", "abc|"},
        {ShortCut(vkEnd, Shift), "a|bc", "a^bc|"},
        {ShortCut(vkEnd, Ctrl), "|a\nbc", "a\nbc|"},
        {ShortCut(vkEnd, CtrlShift), "|a\nbc", "^a\nbc|"},
        {ShortCut(vkInsert), "a|b", "a|b", nullptr,
         [](const TSynEditEngine& e) { EXPECT_EQ(e.InsertMode(), TSynInsertMode::Overwrite); }},
        {ShortCut(vkInsert, Shift), "a|b", "aXY|b"},
        {ShortCut(vkInsert, Ctrl), "^ab|", "^ab|", nullptr,
         [](const TSynEditEngine& e) { EXPECT_EQ(e.SelectedText(), "ab"); }},
        {ShortCut(vkDelete), "a|bc", "a|c"},
        {ShortCut(vkDelete, Shift), "^ab|c", "|c"},
        {ShortCut(vkBack), "ab|c", "a|c"},
        {ShortCut(vkBack, Shift), "a\n|b", "a|b"},
        {ShortCut(vkBack, Ctrl), "one two|", "one |"},
        {ShortCut(vkReturn), "ab|c", "ab\n|c"},
        {ShortCut(vkReturn, Shift), "^ab|c", "\n|c"},
        {ShortCut(vkTab), "a|b", "a\t|b"},
        {ShortCut(vkTab, Shift), "  a|b", "a|b"},
        {ShortCut(vkF1, Ctrl), "a|b", "a|b"},
        {ShortCut(VkLetter('A'), Ctrl), "a|\nb", "^a\nb|"},
        {ShortCut(VkLetter('B'), CtrlShift), "(a\nb|)", "|(a\nb)"},
        {ShortCut(VkLetter('C'), Ctrl), "a^bc|", "a^bc|", nullptr,
         [](const TSynEditEngine& e) { EXPECT_EQ(e.SelectedText(), "bc"); }},
        {ShortCut(VkLetter('C'), CtrlShift), "a^bc\nde|f", "a^bc\nde|f", nullptr,
         [](const TSynEditEngine& e) {
             EXPECT_EQ(e.SelectionMode(), TSynSelectionMode::smColumn);
             EXPECT_EQ(e.SelectedText(), "b\r\ne");
         }},
        {ShortCut(VkLetter('I'), CtrlShift), "a|b", "  a|b"},
        {ShortCut(VkLetter('L'), CtrlShift), "a^b|c\nd", "a^b|c\nd", nullptr,
         [](const TSynEditEngine& e) { EXPECT_EQ(e.SelectedText(), "abc\r\n"); }},
        {ShortCut(VkLetter('M'), Ctrl), "ab|c", "ab\n|c"},
        {ShortCut(VkLetter('N'), Ctrl), "ab|c", "ab|\nc"},
        {ShortCut(VkLetter('N'), CtrlShift), "a^bc|", "a^bc|",
         [](TSynEditEngine& e) { e.SetSelectionMode(TSynSelectionMode::smLine); },
         [](const TSynEditEngine& e) {
             EXPECT_EQ(e.SelectionMode(), TSynSelectionMode::smNormal);
             EXPECT_EQ(e.SelectedText(), "bc");
         }},
        {ShortCut(VkLetter('T'), Ctrl), "|one two", "|two"},
        {ShortCut(VkLetter('U'), CtrlShift), "  a|b", "a|b"},
        {ShortCut(VkLetter('V'), Ctrl), "a|b", "aXY|b"},
        {ShortCut(VkLetter('X'), Ctrl), "^ab|c", "|c"},
        {ShortCut(VkLetter('Y'), Ctrl), "a\nb|c\nd", "a\n|d"},
        {ShortCut(VkLetter('Y'), CtrlShift), "a|bc\nd", "a|\nd"},
        {ShortCut(VkLetter('Z'), Ctrl), "a|b", "a|b", [](TSynEditEngine& e) { e.TypeText("x"); }},
        {ShortCut(VkLetter('Z'), CtrlShift), "a|b", "ax|b",
         [](TSynEditEngine& e) {
             e.TypeText("x");
             e.Undo();
         }},
        {ShortCut(vkBack, scAlt), "a|b", "a|b", [](TSynEditEngine& e) { e.TypeText("x"); }},
        {ShortCut(vkBack, scAlt | scShift), "a|b", "ax|b",
         [](TSynEditEngine& e) {
             e.TypeText("x");
             e.Undo();
         }},
    };
    for (int digit = 0; digit <= 9; ++digit) {
        cases.push_back({ShortCut(VkDigit(digit), Ctrl), "|ab\ncd", "ab\nc|d",
                         [digit](TSynEditEngine& e) { e.SetBookmark(digit, MakePosition(1, 1)); }});
        cases.push_back({ShortCut(VkDigit(digit), CtrlShift), "ab\nc|d", "ab\nc|d", nullptr,
                         [digit](const TSynEditEngine& e) {
                             auto mark = e.GetBookmark(digit);
                             ASSERT_TRUE(mark);
                             EXPECT_EQ(mark->position, MakePosition(1, 1));
                             EXPECT_EQ(e.BookmarksOnLine(LineIndex(1)), std::vector<int>{digit});
                         }});
    }
    return cases;
}

TEST(KeyBindingsEffect, EveryBindingOfTheCodeEditorTable) {
    const TSynEditKeyStrokes& table = DefaultCodeEditorKeyStrokes();
    std::set<TShortCut> covered;
    for (const KeyCase& c : Cases()) {
        std::optional<TSynEditorCommand> command = table.FindCommand(c.shortCut);
        ASSERT_TRUE(command) << std::hex << c.shortCut;
        SCOPED_TRACE(EditorCommandName(*command));
        covered.insert(c.shortCut);

        TSynEditEngine engine(Utf8());
        engine.SetPageRows(2);
        Load(engine, c.before);
        engine.SetTopLine(LineIndex(c.topBefore));
        if (c.setUp)
            c.setUp(engine);
        engine.ExecuteCommand(*command, Clipboard);
        EXPECT_EQ(Marked(engine), c.after);
        EXPECT_EQ(engine.TopLine(), LineIndex(c.topAfter));
        if (c.check)
            c.check(engine);
    }
    EXPECT_EQ(covered.size(), static_cast<std::size_t>(table.Count()));
}

TEST(KeyBindingsEffect, PlainEditorTabInsertsATabEvenOverSeveralLines) {
    TSynEditEngine engine(Utf8());
    Load(engine, "a^b\ncd|");
    engine.ExecuteCommand(*PlainEditorKeyStrokes().FindCommand(ShortCut(vkTab)));
    EXPECT_EQ(Marked(engine), "a\t|");

    Load(engine, "a^b\ncd|");
    engine.ExecuteCommand(*DefaultCodeEditorKeyStrokes().FindCommand(ShortCut(vkTab)));
    EXPECT_EQ(Marked(engine), "  a^b\n  cd|");
}

TEST(KeyBindingsEffect, CopyAndContextHelpLeaveTheWorkToTheWidget) {
    TSynEditEngine engine(Utf8());
    Load(engine, "^ab|");
    EXPECT_FALSE(engine.ExecuteCommand(ecCopy));
    EXPECT_FALSE(engine.ExecuteCommand(ecContextHelp));
    EXPECT_EQ(Marked(engine), "^ab|");
}

} // namespace
