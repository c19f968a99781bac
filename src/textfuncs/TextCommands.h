#pragma once
// The text functions as commands: each with its name on the command line, the rule by which it
// takes the plain editor's text and gives the result back, and the function itself. The window's
// Functions menu and `tabrix-cli apply` both run them through RunTextCommand, so a command
// gives the same bytes wherever it runs.

#include "platform/Encoding.h"
#include "textfuncs/LineList.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

enum class TextRule {
    WholeText,      // the whole text in, the whole text out
    LineList,       // the text's real lines in, lines out, each followed by CR LF
    CaretInsertion, // a string replaces the selection or goes in at the caret
};

struct TextCommand {
    std::string_view name; // "sort", "upper", ... as tabrix-cli apply takes it
    TextRule rule;
    std::function<std::string(std::string_view text, const Encoding&)> wholeText;
    std::function<LineList(LineList lines, const Encoding&)> lineList;
    std::function<std::string(const Encoding&)> insertion;
};

// Every command, in the order of the Functions menu.
std::span<const TextCommand> TextCommands();
const TextCommand* FindTextCommand(std::string_view name);

// The text held by a plain editor and its selection, in byte offsets of that text.
struct PlainTextState {
    std::string text;
    std::size_t selStart = 0;
    std::size_t selLength = 0;
};

// Runs command on the editor's text by its rule. The result has its line breaks as the editor
// keeps them (CR LF) and the caret where the rule puts it (the start, or after the insertion).
// Nothing when the text would stay exactly as it was: the editor is then left alone, so its
// Modified flag and undo history keep what they had.
std::optional<PlainTextState> RunTextCommand(const TextCommand& command,
                                             const PlainTextState& editor,
                                             const Encoding& encoding = ProgramEncoding());
