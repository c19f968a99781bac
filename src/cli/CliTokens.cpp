#include "cli/CliCommands.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/TokenDump.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

namespace {

struct TokensOptions {
    std::string syntax;
    std::optional<std::string> file;
};

std::optional<TokensOptions> ParseTokensOptions(const std::vector<std::string>& arguments,
                                                std::ostream& err) {
    TokensOptions options;
    bool haveSyntax = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "--syntax") {
            if (i + 1 == arguments.size()) {
                err << "tabrix-cli tokens: --syntax needs an extension such as .html\n";
                return std::nullopt;
            }
            options.syntax = arguments[++i];
            haveSyntax = true;
        } else if (!optionsEnded && argument.rfind("--syntax=", 0) == 0) {
            options.syntax = argument.substr(9);
            haveSyntax = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            err << "tabrix-cli tokens: unknown option " << argument << "\n";
            return std::nullopt;
        } else if (!options.file) {
            options.file = argument;
        } else {
            err << "tabrix-cli tokens: only one file can be given\n";
            return std::nullopt;
        }
    }
    if (!haveSyntax) {
        err << "tabrix-cli tokens: --syntax EXT is required\n";
        return std::nullopt;
    }
    return options;
}

std::optional<std::string> ReadInput(const TokensOptions& options, CliStreams streams) {
    if (!options.file || *options.file == "-") {
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
    const auto options = ParseTokensOptions(arguments, streams.err);
    if (!options) {
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
