#include "textfuncs/qt/EditorTextCommands.h"

#include "codeedit/qt/Memo.h"

void RunOnPlainEditor(const TextCommand& command, TMemo& editor, const TextWorkRunner& run) {
    if (command.rule == TextRule::CaretInsertion) {
        editor.SetSelText(command.insertion(editor.Engine().TextEncoding()));
        editor.ClearUndo();
        return;
    }
    const PlainTextState before{editor.Text(), 0, 0};
    const Encoding& encoding = editor.Engine().TextEncoding();
    std::optional<PlainTextState> result;
    const auto work = [&] { result = RunTextCommand(command, before, encoding); };
    if (run)
        run(before.text.size(), work);
    else
        work();
    if (result)
        editor.SetText(result->text);
}

void RunAsEdit(const TextCommand& command, TSynEditWidget& editor) {
    if (editor.ReadOnly())
        return;
    const std::optional<PlainTextState> result =
        RunTextCommand(command, {editor.Engine().Text(), 0, 0}, editor.Engine().TextEncoding());
    if (result)
        editor.Engine().ReplaceAllText(result->text);
}
