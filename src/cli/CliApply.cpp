#include "app/DocumentText.h"
#include "cli/CliCommands.h"
#include "textfuncs/TextCommands.h"

#include <iostream>
#include <iterator>
#include <optional>
#include <ostream>

namespace {

void PrintCommandNames(std::ostream& out) {
    for (const TextCommand& command : TextCommands())
        out << command.name << "\n";
}

} // namespace

int RunApply(const std::vector<std::string>& arguments, CliStreams streams) {
    if (arguments.size() == 1 && arguments[0] == "--list") {
        PrintCommandNames(streams.out);
        return ExitOk;
    }
    const TextCommand* command = arguments.size() == 1 ? FindTextCommand(arguments[0]) : nullptr;
    if (command == nullptr) {
        if (arguments.empty())
            streams.err << "tabrix-cli apply: which command? One of:\n";
        else if (arguments.size() > 1)
            streams.err << "tabrix-cli apply: one command only. One of:\n";
        else
            streams.err << "tabrix-cli apply: unknown command " << arguments[0] << ". One of:\n";
        PrintCommandNames(streams.err);
        return ExitUsage;
    }

    PlainTextState editor;
    editor.text = ToPlainEditorText(std::string(std::istreambuf_iterator<char>(streams.in), {}));
    if (streams.in.bad()) {
        streams.err << "tabrix-cli apply: could not read standard input\n";
        return ExitFailure;
    }
    const std::optional<PlainTextState> result = RunTextCommand(*command, editor);
    const std::string& text = result ? result->text : editor.text;
    streams.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return streams.out.flush() ? ExitOk : ExitFailure;
}
