#pragma once
// Running a text command on an editor of the window. The caller decides which editor and keeps
// the undo snapshot; this only gives the command's result back by its rule.

#include "textfuncs/TextCommands.h"

class TMemo;
class TSynEditWidget;

// On the plain editor, by the command's rule: the text replaced as a whole (its own undo
// emptied), or the insertion at the caret.
void RunOnPlainEditor(const TextCommand& command, TMemo& editor);
// On any editor as one edit of its own undo; nothing on a read-only editor.
void RunAsEdit(const TextCommand& command, TSynEditWidget& editor);
