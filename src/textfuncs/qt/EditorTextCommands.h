#pragma once
// Running a text command on an editor of the window. The caller decides which editor and keeps
// the undo snapshot; this only gives the command's result back by its rule.

#include "textfuncs/TextCommands.h"

#include <functional>

class TMemo;
class TSynEditWidget;

// Runs the work, which touches no widget, to its end: the window runs a big text's work where
// it can go on repainting meanwhile.
using TextWorkRunner = std::function<void(std::size_t textSize, const std::function<void()>& work)>;

// On the plain editor, by the command's rule: the text replaced as a whole (its own undo
// emptied), or the insertion at the caret. The function itself goes through run when given.
void RunOnPlainEditor(const TextCommand& command, TMemo& editor, const TextWorkRunner& run = {});
// On any editor as one edit of its own undo; nothing on a read-only editor.
void RunAsEdit(const TextCommand& command, TSynEditWidget& editor);
