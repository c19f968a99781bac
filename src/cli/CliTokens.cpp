#include "cli/CliCommands.h"
#include "cli/CliSyntaxOptions.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/TokenDump.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

namespace {

std::optional<std::string> ReadInput(const SyntaxCommandOptions& options, CliStreams streams) {
    if (options.FromStandardInput()) {
        return std::string(std::istreambuf_iterator<char>(streams.in), {});
    }
    std::ifstream file(*options.file, std::ios::binary);
    if (!file) {
        streams.err << "tabrix-cli tokens: cannot open " << *options.file << "\n";
        return std::nullopt;
    }
    std::string content(std::istreambuf_iterator<char>(file), {});
    if (file.bad()) {
        streams.err << "tabrix-cli tokens: cannot read " << *options.file << "\n";
        return std::nullopt;
    }
    return content;
}

} // namespace

int RunTokens(const std::vector<std::string>& arguments, CliStreams streams) {
    std::string problem;
    const std::optional<SyntaxCommandOptions> options = ParseSyntaxOptions(arguments, problem);
    if (!options) {
        streams.err << "tabrix-cli tokens: " << problem << "\n";
        return ExitUsage;
    }
    auto highlighter = CreateHighlighter(options->syntax);
    if (!highlighter) {
        streams.err << "tabrix-cli tokens: no highlighter for the extension \"" << options->syntax
                    << "\"\n";
        return ExitUsage;
    }
    auto content = ReadInput(*options, streams);
    if (!content) {
        return ExitFailure;
    }
    TSynEditStringList lines;
    lines.LoadFromBuffer(std::move(*content));
    // Built in memory first so that a long dump goes out in large writes.
    std::ostringstream dump;
    DumpTokens(lines, *highlighter, dump);
    streams.out << dump.str();
    streams.out.flush();
    return streams.out ? ExitOk : ExitFailure;
}
