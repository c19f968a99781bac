// The two binding tables as data: size, order and exact entries, and the lookup.

#include "codeedit/SynEditKeyBindings.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(KeyBindingsTable, CodeEditorTableHas82DistinctBindings) {
    const TSynEditKeyStrokes& table = DefaultCodeEditorKeyStrokes();
    ASSERT_EQ(table.Count(), 82);
    std::set<TShortCut> shortCuts;
    for (const TSynKeyBinding& binding : table.Bindings())
        shortCuts.insert(binding.shortCut);
    EXPECT_EQ(shortCuts.size(), 82u);
}

TEST(KeyBindingsTable, CodeEditorTableIsOrderedKeyByKey) {
    const TSynEditKeyStrokes& table = DefaultCodeEditorKeyStrokes();
    struct Entry {
        int index;
        TSynKeyBinding binding;
    };
    const Entry entries[] = {
        {0, {ecUp, 0x0026}},
        {1, {ecSelUp, 0x2026}},
        {2, {ecScrollUp, 0x4026}},
        {3, {ecDown, 0x0028}},
        {9, {ecSelWordLeft, 0x6025}},
        {14, {ecPageDown, 0x0022}},
        {18, {ecPageUp, 0x0021}},
        {30, {ecToggleMode, 0x002D}},
        {35, {ecDeleteLastChar, 0x0008}},
        {36, {ecDeleteLastChar, 0x2008}},
        {42, {ecContextHelp, 0x4070}},
        {43, {ecSelectAll, 0x4041}},
        {59, {ecRedo, 0x605A}},
        {60, {ecGotoMarker0, 0x4030}},
        {61, {ecSetMarker0, 0x6030}},
        {66, {ecGotoMarker3, 0x4033}},
        {67, {ecSetMarker3, 0x6033}},
        {79, {ecSetMarker9, 0x6039}},
        {80, {ecUndo, 0x8008}},
        {81, {ecRedo, 0xA008}},
    };
    for (const Entry& entry : entries)
        EXPECT_EQ(table.At(entry.index), entry.binding) << "index " << entry.index;
}

TEST(KeyBindingsTable, LookupFindsTheBoundCommand) {
    const TSynEditKeyStrokes& table = DefaultCodeEditorKeyStrokes();
    struct Case {
        TShortCut shortCut;
        std::optional<TSynEditorCommand> command;
    };
    const Case cases[] = {
        {ShortCut(VkLetter('Z'), scCtrl | scShift), ecRedo},
        {ShortCut(vkBack, scAlt), ecUndo},
        {ShortCut(VkLetter('B'), scCtrl | scShift), ecMatchBracket},
        {ShortCut(VkDigit(3), scCtrl | scShift), ecSetMarker3},
        {ShortCut(VkDigit(3), scCtrl), ecGotoMarker3},
        {ShortCut(vkInsert, scShift), ecPaste},
        {ShortCut(vkReturn, scShift), ecLineBreak},
        {ShortCut(VkLetter('B'), scCtrl), std::nullopt},
        {ShortCut(vkDelete, scCtrl), std::nullopt},
        {ShortCut(vkUp, scCtrl | scShift), std::nullopt},
        {ShortCut(VkLetter('A')), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table.FindCommand(c.shortCut), c.command) << std::hex << c.shortCut;
}

TEST(KeyBindingsTable, CommandsMayHaveSeveralShortCuts) {
    const TSynEditKeyStrokes& table = DefaultCodeEditorKeyStrokes();
    EXPECT_EQ(table.ShortCutsOf(ecLineBreak), (std::vector<TShortCut>{0x000D, 0x200D, 0x404D}));
    EXPECT_EQ(table.ShortCutsOf(ecUndo), (std::vector<TShortCut>{0x405A, 0x8008}));
}

TEST(KeyBindingsTable, AddRefusesABoundShortCut) {
    TSynEditKeyStrokes table;
    EXPECT_TRUE(table.Add(ecUp, ShortCut(vkUp)));
    EXPECT_FALSE(table.Add(ecDown, ShortCut(vkUp)));
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.FindCommand(ShortCut(vkUp)), ecUp);
}

TEST(KeyBindingsTable, PlainEditorTableHasTheEditControlKeysOnly) {
    const TSynEditKeyStrokes& table = PlainEditorKeyStrokes();
    struct Case {
        TShortCut shortCut;
        std::optional<TSynEditorCommand> command;
    };
    const Case cases[] = {
        {ShortCut(vkTab), ecTabChar},
        {ShortCut(vkLeft, scCtrl), ecWordLeft},
        {ShortCut(vkEnd, scCtrl | scShift), ecSelEditorBottom},
        {ShortCut(vkInsert, scShift), ecPaste},
        {ShortCut(vkInsert, scCtrl), ecCopy},
        {ShortCut(vkDelete, scShift), ecCut},
        {ShortCut(VkLetter('Z'), scCtrl), ecUndo},
        {ShortCut(VkLetter('A'), scCtrl), ecSelectAll},
        {ShortCut(vkBack, scCtrl), std::nullopt},
        {ShortCut(vkTab, scShift), std::nullopt},
        {ShortCut(vkInsert), std::nullopt},
        {ShortCut(vkUp, scCtrl), std::nullopt},
        {ShortCut(VkLetter('Z'), scCtrl | scShift), std::nullopt},
        {ShortCut(VkDigit(3), scCtrl | scShift), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table.FindCommand(c.shortCut), c.command) << std::hex << c.shortCut;
}

TEST(KeyBindingsTable, CommandNamesRoundTrip) {
    std::set<std::string> names;
    for (int value = 0; value < ecCommandCount; ++value) {
        auto command = static_cast<TSynEditorCommand>(value);
        const char* name = EditorCommandName(command);
        ASSERT_NE(name, nullptr) << value;
        EXPECT_EQ(EditorCommandFromName(name), command) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(ecCommandCount));
    EXPECT_STREQ(EditorCommandName(ecSelWordLeft), "ecSelWordLeft");
    EXPECT_STREQ(EditorCommandName(ecGotoMarker7), "ecGotoMarker7");
    EXPECT_EQ(EditorCommandName(ecCommandCount), nullptr);
    EXPECT_EQ(EditorCommandFromName("ecNoSuchCommand"), std::nullopt);
}

} // namespace
