#include "codeedit/SynEditKeyBindings.h"

#include <algorithm>
#include <cassert>

TSynEditKeyStrokes::TSynEditKeyStrokes(const std::vector<TSynKeyBinding>& bindings) {
    for (const TSynKeyBinding& binding : bindings) {
        [[maybe_unused]] bool added = Add(binding.command, binding.shortCut);
        assert(added && "shortcut bound twice");
    }
}

const TSynKeyBinding& TSynEditKeyStrokes::At(int index) const {
    return bindings.at(static_cast<std::size_t>(index));
}

bool TSynEditKeyStrokes::Add(TSynEditorCommand command, TShortCut shortCut) {
    if (FindCommand(shortCut))
        return false;
    bindings.push_back({command, shortCut});
    return true;
}

std::optional<TSynEditorCommand> TSynEditKeyStrokes::FindCommand(TShortCut shortCut) const {
    auto found = std::find_if(bindings.begin(), bindings.end(),
                              [&](const TSynKeyBinding& b) { return b.shortCut == shortCut; });
    if (found == bindings.end())
        return std::nullopt;
    return found->command;
}

std::vector<TShortCut> TSynEditKeyStrokes::ShortCutsOf(TSynEditorCommand command) const {
    std::vector<TShortCut> result;
    for (const TSynKeyBinding& binding : bindings)
        if (binding.command == command)
            result.push_back(binding.shortCut);
    return result;
}

namespace {

constexpr TShortCut Shift = scShift;
constexpr TShortCut Ctrl = scCtrl;
constexpr TShortCut CtrlShift = scCtrl | scShift;

std::vector<TSynKeyBinding> CodeEditorBindings() {
    std::vector<TSynKeyBinding> table = {
        {ecUp, ShortCut(vkUp)},
        {ecSelUp, ShortCut(vkUp, Shift)},
        {ecScrollUp, ShortCut(vkUp, Ctrl)},
        {ecDown, ShortCut(vkDown)},
        {ecSelDown, ShortCut(vkDown, Shift)},
        {ecScrollDown, ShortCut(vkDown, Ctrl)},
        {ecLeft, ShortCut(vkLeft)},
        {ecSelLeft, ShortCut(vkLeft, Shift)},
        {ecWordLeft, ShortCut(vkLeft, Ctrl)},
        {ecSelWordLeft, ShortCut(vkLeft, CtrlShift)},
        {ecRight, ShortCut(vkRight)},
        {ecSelRight, ShortCut(vkRight, Shift)},
        {ecWordRight, ShortCut(vkRight, Ctrl)},
        {ecSelWordRight, ShortCut(vkRight, CtrlShift)},
        {ecPageDown, ShortCut(vkNext)},
        {ecSelPageDown, ShortCut(vkNext, Shift)},
        {ecPageBottom, ShortCut(vkNext, Ctrl)},
        {ecSelPageBottom, ShortCut(vkNext, CtrlShift)},
        {ecPageUp, ShortCut(vkPrior)},
        {ecSelPageUp, ShortCut(vkPrior, Shift)},
        {ecPageTop, ShortCut(vkPrior, Ctrl)},
        {ecSelPageTop, ShortCut(vkPrior, CtrlShift)},
        {ecLineStart, ShortCut(vkHome)},
        {ecSelLineStart, ShortCut(vkHome, Shift)},
        {ecEditorTop, ShortCut(vkHome, Ctrl)},
        {ecSelEditorTop, ShortCut(vkHome, CtrlShift)},
        {ecLineEnd, ShortCut(vkEnd)},
        {ecSelLineEnd, ShortCut(vkEnd, Shift)},
        {ecEditorBottom, ShortCut(vkEnd, Ctrl)},
        {ecSelEditorBottom, ShortCut(vkEnd, CtrlShift)},
        {ecToggleMode, ShortCut(vkInsert)},
        {ecPaste, ShortCut(vkInsert, Shift)},
        {ecCopy, ShortCut(vkInsert, Ctrl)},
        {ecDeleteChar, ShortCut(vkDelete)},
        {ecCut, ShortCut(vkDelete, Shift)},
        {ecDeleteLastChar, ShortCut(vkBack)},
        {ecDeleteLastChar, ShortCut(vkBack, Shift)},
        {ecDeleteLastWord, ShortCut(vkBack, Ctrl)},
        {ecLineBreak, ShortCut(vkReturn)},
        {ecLineBreak, ShortCut(vkReturn, Shift)},
        {ecTab, ShortCut(vkTab)},
        {ecShiftTab, ShortCut(vkTab, Shift)},
        {ecContextHelp, ShortCut(vkF1, Ctrl)},
        {ecSelectAll, ShortCut(VkLetter('A'), Ctrl)},
        {ecMatchBracket, ShortCut(VkLetter('B'), CtrlShift)},
        {ecCopy, ShortCut(VkLetter('C'), Ctrl)},
        {ecColumnSelect, ShortCut(VkLetter('C'), CtrlShift)},
        {ecBlockIndent, ShortCut(VkLetter('I'), CtrlShift)},
        {ecLineSelect, ShortCut(VkLetter('L'), CtrlShift)},
        {ecLineBreak, ShortCut(VkLetter('M'), Ctrl)},
        {ecInsertLine, ShortCut(VkLetter('N'), Ctrl)},
        {ecNormalSelect, ShortCut(VkLetter('N'), CtrlShift)},
        {ecDeleteWord, ShortCut(VkLetter('T'), Ctrl)},
        {ecBlockUnindent, ShortCut(VkLetter('U'), CtrlShift)},
        {ecPaste, ShortCut(VkLetter('V'), Ctrl)},
        {ecCut, ShortCut(VkLetter('X'), Ctrl)},
        {ecDeleteLine, ShortCut(VkLetter('Y'), Ctrl)},
        {ecDeleteEOL, ShortCut(VkLetter('Y'), CtrlShift)},
        {ecUndo, ShortCut(VkLetter('Z'), Ctrl)},
        {ecRedo, ShortCut(VkLetter('Z'), CtrlShift)},
    };
    for (int digit = 0; digit <= 9; ++digit) {
        table.push_back({static_cast<TSynEditorCommand>(ecGotoMarker0 + digit),
                         ShortCut(VkDigit(digit), Ctrl)});
        table.push_back({static_cast<TSynEditorCommand>(ecSetMarker0 + digit),
                         ShortCut(VkDigit(digit), CtrlShift)});
    }
    table.push_back({ecUndo, ShortCut(vkBack, scAlt)});
    table.push_back({ecRedo, ShortCut(vkBack, scAlt | scShift)});
    return table;
}

// The keys a plain multi-line edit control handles itself.
std::vector<TSynKeyBinding> PlainEditorBindings() {
    return {
        {ecUp, ShortCut(vkUp)},
        {ecSelUp, ShortCut(vkUp, Shift)},
        {ecDown, ShortCut(vkDown)},
        {ecSelDown, ShortCut(vkDown, Shift)},
        {ecLeft, ShortCut(vkLeft)},
        {ecSelLeft, ShortCut(vkLeft, Shift)},
        {ecWordLeft, ShortCut(vkLeft, Ctrl)},
        {ecSelWordLeft, ShortCut(vkLeft, CtrlShift)},
        {ecRight, ShortCut(vkRight)},
        {ecSelRight, ShortCut(vkRight, Shift)},
        {ecWordRight, ShortCut(vkRight, Ctrl)},
        {ecSelWordRight, ShortCut(vkRight, CtrlShift)},
        {ecPageDown, ShortCut(vkNext)},
        {ecSelPageDown, ShortCut(vkNext, Shift)},
        {ecPageUp, ShortCut(vkPrior)},
        {ecSelPageUp, ShortCut(vkPrior, Shift)},
        {ecLineStart, ShortCut(vkHome)},
        {ecSelLineStart, ShortCut(vkHome, Shift)},
        {ecEditorTop, ShortCut(vkHome, Ctrl)},
        {ecSelEditorTop, ShortCut(vkHome, CtrlShift)},
        {ecLineEnd, ShortCut(vkEnd)},
        {ecSelLineEnd, ShortCut(vkEnd, Shift)},
        {ecEditorBottom, ShortCut(vkEnd, Ctrl)},
        {ecSelEditorBottom, ShortCut(vkEnd, CtrlShift)},
        {ecPaste, ShortCut(vkInsert, Shift)},
        {ecCopy, ShortCut(vkInsert, Ctrl)},
        {ecDeleteChar, ShortCut(vkDelete)},
        {ecCut, ShortCut(vkDelete, Shift)},
        {ecDeleteLastChar, ShortCut(vkBack)},
        {ecDeleteLastChar, ShortCut(vkBack, Shift)},
        {ecUndo, ShortCut(vkBack, scAlt)},
        {ecLineBreak, ShortCut(vkReturn)},
        {ecTabChar, ShortCut(vkTab)},
        {ecSelectAll, ShortCut(VkLetter('A'), Ctrl)},
        {ecCopy, ShortCut(VkLetter('C'), Ctrl)},
        {ecPaste, ShortCut(VkLetter('V'), Ctrl)},
        {ecCut, ShortCut(VkLetter('X'), Ctrl)},
        {ecUndo, ShortCut(VkLetter('Z'), Ctrl)},
    };
}

} // namespace

const TSynEditKeyStrokes& DefaultCodeEditorKeyStrokes() {
    static const TSynEditKeyStrokes table(CodeEditorBindings());
    return table;
}

const TSynEditKeyStrokes& PlainEditorKeyStrokes() {
    static const TSynEditKeyStrokes table(PlainEditorBindings());
    return table;
}
