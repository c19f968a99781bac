#pragma once
// The editor commands that key bindings name and TSynEditEngine::ExecuteCommand runs. Only the
// list and the names; what each command does is in SynEditEngine.h.

#include <optional>
#include <string_view>

enum TSynEditorCommand : int {
    ecNone = 0,

    // Caret movement; each has a selecting twin below.
    ecLeft,
    ecRight,
    ecUp,
    ecDown,
    ecWordLeft,
    ecWordRight,
    ecLineStart,
    ecLineEnd,
    ecPageUp,
    ecPageDown,
    ecPageTop,
    ecPageBottom,
    ecEditorTop,
    ecEditorBottom,

    // Move the caret and extend the selection from the anchor.
    ecSelLeft,
    ecSelRight,
    ecSelUp,
    ecSelDown,
    ecSelWordLeft,
    ecSelWordRight,
    ecSelLineStart,
    ecSelLineEnd,
    ecSelPageUp,
    ecSelPageDown,
    ecSelPageTop,
    ecSelPageBottom,
    ecSelEditorTop,
    ecSelEditorBottom,

    // View only: the top line moves by one, the caret only as far as it must to stay visible.
    ecScrollUp,
    ecScrollDown,

    ecSelectAll,
    ecNormalSelect,
    ecColumnSelect,
    ecLineSelect,
    ecMatchBracket,

    ecGotoMarker0,
    ecGotoMarker1,
    ecGotoMarker2,
    ecGotoMarker3,
    ecGotoMarker4,
    ecGotoMarker5,
    ecGotoMarker6,
    ecGotoMarker7,
    ecGotoMarker8,
    ecGotoMarker9,
    ecSetMarker0,
    ecSetMarker1,
    ecSetMarker2,
    ecSetMarker3,
    ecSetMarker4,
    ecSetMarker5,
    ecSetMarker6,
    ecSetMarker7,
    ecSetMarker8,
    ecSetMarker9,

    // Editing.
    ecDeleteChar,
    ecDeleteLastChar,
    ecDeleteWord,
    ecDeleteLastWord,
    ecDeleteLine,
    ecDeleteEOL,
    ecInsertLine,
    ecLineBreak,
    ecTab,
    ecShiftTab,
    ecTabChar, // the plain editor's Tab: always a tab character, never a block indent
    ecBlockIndent,
    ecBlockUnindent,
    ecChar, // typed text, given with the command

    ecUndo,
    ecRedo,
    ecCut,
    ecCopy,
    ecPaste,
    ecToggleMode,
    ecContextHelp,

    ecCommandCount // not a command: one past the last
};

// "ecUp", "ecGotoMarker3", ...; nullptr for a value that is no command.
const char* EditorCommandName(TSynEditorCommand command);
std::optional<TSynEditorCommand> EditorCommandFromName(std::string_view name);

constexpr bool IsGotoMarkerCommand(TSynEditorCommand command) {
    return command >= ecGotoMarker0 && command <= ecGotoMarker9;
}
constexpr bool IsSetMarkerCommand(TSynEditorCommand command) {
    return command >= ecSetMarker0 && command <= ecSetMarker9;
}
