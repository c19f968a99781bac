#include "cli/CliCommands.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditTokenStyle.h"
#include "output/ColouredHtml.h"
#include "platform/Encoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

namespace {

const char* const HtmlUsage = "Usage: tabrix-cli html --syntax EXT [--codepage CP] [FILE]\n";

struct HtmlCommandOptions {
    std::string syntax;
    std::optional<std::string> file;
};

std::optional<HtmlCommandOptions> ParseHtmlOptions(const std::vector<std::string>& arguments,
                                                   std::string& problem) {
    HtmlCommandOptions options;
    bool haveSyntax = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "--syntax") {
            if (i + 1 == arguments.size()) {
                problem = "--syntax needs an extension such as .cpp";
                return std::nullopt;
            }
            options.syntax = arguments[++i];
            haveSyntax = true;
        } else if (!optionsEnded && argument.starts_with("--syntax=")) {
            options.syntax = argument.substr(9);
            haveSyntax = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            problem = "unknown option " + argument;
            return std::nullopt;
        } else if (!options.file) {
            options.file = argument;
        } else {
            problem = "only one file can be given";
            return std::nullopt;
        }
    }
    if (!haveSyntax) {
        problem = "--syntax EXT is required";
        return std::nullopt;
    }
    return options;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

int RunHtml(const std::vector<std::string>& arguments, CliStreams streams) {
    std::string problem;
    const std::optional<HtmlCommandOptions> options = ParseHtmlOptions(arguments, problem);
    if (!options) {
        streams.err << "tabrix-cli html: " << problem << "\n" << HtmlUsage;
        return ExitUsage;
    }
    const std::unique_ptr<TSynCustomHighlighter> highlighter = CreateHighlighter(options->syntax);
    if (!highlighter) {
        streams.err << "tabrix-cli html: no highlighter for the extension \"" << options->syntax
                    << "\"\n"
                    << HtmlUsage;
        return ExitUsage;
    }
    highlighter->ApplyFormDefaults();
    std::unique_ptr<std::FILE, FileCloser> opened;
    std::FILE* input = stdin;
    const bool fromFile = options->file && *options->file != "-";
    if (fromFile) {
        opened.reset(std::fopen(options->file->c_str(), "rb"));
        if (!opened) {
            streams.err << "tabrix-cli html: cannot open " << *options->file << ": "
                        << std::strerror(errno) << "\n";
            return ExitFailure;
        }
        input = opened.get();
    }
    // No desktop to ask: the editor's default look with the fixed system colours.
    const TSynStyleResolver resolver(TSynEditorLook{}, DefaultSystemColors(), highlighter.get());
    ColouredHtmlOptions page;
    page.title =
        fromFile ? std::filesystem::path(*options->file).filename().string() : "standard input";
    page.fontName = "Courier New";
    page.fontSize = 10;
    page.tabWidth = 8;
    const bool read = WriteColouredHtml(
        input, ProgramEncoding(), highlighter.get(), resolver, page, [&](std::string_view piece) {
            streams.out.write(piece.data(), std::streamsize(piece.size()));
        });
    if (!read) {
        streams.err << "tabrix-cli html: cannot read "
                    << (fromFile ? *options->file : std::string("standard input")) << "\n";
        return ExitFailure;
    }
    streams.out.flush();
    return streams.out ? ExitOk : ExitFailure;
}
