#include "cli/CliCommands.h"
#include "cli/CliSyntaxOptions.h"
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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

int RunHtml(const std::vector<std::string>& arguments, CliStreams streams) {
    std::string problem;
    const std::optional<SyntaxCommandOptions> options = ParseSyntaxOptions(arguments, problem);
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
    const bool fromFile = !options->FromStandardInput();
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
