#include "codeedit/SynEditCommands.h"

#include <array>
#include <string_view>

namespace {

// Indexed by command value; the order must follow the enum.
constexpr std::array<const char*, ecCommandCount> CommandNames = {
    "ecNone",
    "ecLeft",
    "ecRight",
    "ecUp",
    "ecDown",
    "ecWordLeft",
    "ecWordRight",
    "ecLineStart",
    "ecLineEnd",
    "ecPageUp",
    "ecPageDown",
    "ecPageTop",
    "ecPageBottom",
    "ecEditorTop",
    "ecEditorBottom",
    "ecSelLeft",
    "ecSelRight",
    "ecSelUp",
    "ecSelDown",
    "ecSelWordLeft",
    "ecSelWordRight",
    "ecSelLineStart",
    "ecSelLineEnd",
    "ecSelPageUp",
    "ecSelPageDown",
    "ecSelPageTop",
    "ecSelPageBottom",
    "ecSelEditorTop",
    "ecSelEditorBottom",
    "ecScrollUp",
    "ecScrollDown",
    "ecSelectAll",
    "ecNormalSelect",
    "ecColumnSelect",
    "ecLineSelect",
    "ecMatchBracket",
    "ecGotoMarker0",
    "ecGotoMarker1",
    "ecGotoMarker2",
    "ecGotoMarker3",
    "ecGotoMarker4",
    "ecGotoMarker5",
    "ecGotoMarker6",
    "ecGotoMarker7",
    "ecGotoMarker8",
    "ecGotoMarker9",
    "ecSetMarker0",
    "ecSetMarker1",
    "ecSetMarker2",
    "ecSetMarker3",
    "ecSetMarker4",
    "ecSetMarker5",
    "ecSetMarker6",
    "ecSetMarker7",
    "ecSetMarker8",
    "ecSetMarker9",
    "ecDeleteChar",
    "ecDeleteLastChar",
    "ecDeleteWord",
    "ecDeleteLastWord",
    "ecDeleteLine",
    "ecDeleteEOL",
    "ecInsertLine",
    "ecLineBreak",
    "ecTab",
    "ecShiftTab",
    "ecTabChar",
    "ecBlockIndent",
    "ecBlockUnindent",
    "ecChar",
    "ecUndo",
    "ecRedo",
    "ecCut",
    "ecCopy",
    "ecPaste",
    "ecToggleMode",
    "ecContextHelp",
};

} // namespace

const char* EditorCommandName(TSynEditorCommand command) {
    if (command < 0 || command >= ecCommandCount)
        return nullptr;
    return CommandNames[static_cast<std::size_t>(command)];
}

std::optional<TSynEditorCommand> EditorCommandFromName(std::string_view name) {
    for (std::size_t i = 0; i < CommandNames.size(); ++i)
        if (name == CommandNames[i])
            return static_cast<TSynEditorCommand>(i);
    return std::nullopt;
}
