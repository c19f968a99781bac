#include "textfuncs/qt/EditorTextCommands.h"

#include "codeedit/qt/Memo.h"

void RunOnPlainEditor(const TextCommand& command, TMemo& editor) {
    if (command.rule == TextRule::CaretInsertion) {
        editor.SetSelText(command.insertion(editor.Engine().TextEncoding()));
        editor.ClearUndo();
        return;
    }
    const std::optional<PlainTextState> result =
        RunTextCommand(command, {editor.Text(), 0, 0}, editor.Engine().TextEncoding());
    if (result)
        editor.SetText(result->text);
}

void RunAsEdit(const TextCommand& command, TSynEditWidget& editor) {
    if (editor.ReadOnly())
        return;
    const std::optional<PlainTextState> result =
        RunTextCommand(command, {editor.Engine().Text(), 0, 0}, editor.Engine().TextEncoding());
    if (!result)
        return;
    editor.SelectAll();
    editor.Engine().InsertText(result->text);
    editor.Engine().SetCaret({});
}
