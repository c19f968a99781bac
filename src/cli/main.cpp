// tabrix-cli: the editor's core without a window.

#include "cli/CliCommands.h"
#include "platform/CodePageOption.h"
#include "platform/Random.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    "Usage: tabrix-cli [--codepage CP] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  tokens --syntax EXT [FILE]   dump the highlighter's tokens of FILE\n"
    "                               (standard input without FILE); EXT is\n"
    "                               an extension such as .html\n"
    "  apply NAME                   run the text function NAME on standard\n"
    "                               input, write the result to standard\n"
    "                               output (apply --list names them)\n"
    "  find --find TEXT [--match-case] [--regex] [--whole-words]\n"
    "       [--selection START,LENGTH] [--dialog find|replace]\n"
    "                               one Find Next on standard input; prints\n"
    "                               the selection, not found or closed\n"
    "  replace --find TEXT --with TEXT [--all] [--match-case]\n"
    "       [--regex] [--whole-words] [--selection START,LENGTH]\n"
    "                               one Replace (or Replace All) on standard\n"
    "                               input; the text to standard output, the\n"
    "                               selection to standard error; TEXT is in\n"
    "                               the locale's encoding\n"
    "  export-html --variant 0|1|2 --convert yes|no [--font NAME]\n"
    "              [--size N]       write standard input as File > Export\n"
    "                               writes it (font: Courier New, 10 pt)\n"
    "  html --syntax EXT [FILE]     write FILE (standard input without FILE)\n"
    "                               as a coloured HTML page, as the code\n"
    "                               editor colours it (Courier New, 10 pt)\n"
    "  shell-folder NAME            the user's AppData, Desktop or Programs\n"
    "                               folder\n"
    "  styles                       the shipped style files\n"
    "\n"
    "Options:\n"
    "  --codepage CP   code page of the text (1250 to 1258, 28591, utf-8)\n"
    "  --seed N        seed of the random generator (default: the clock)\n"
    "  --help, -h      show this help\n"
    "  --version       show the version\n";

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const PlatformOptions options = ParsePlatformOptions(argc, argv);
    if (!options.error.empty()) {
        std::cerr << "tabrix-cli: " << options.error << "\n";
        return ExitUsage;
    }
    const std::vector<std::string>& arguments = options.arguments;
    if (arguments.empty()) {
        std::cerr << Usage;
        return ExitUsage;
    }
    const std::string& command = arguments.front();
    if (command == "--help" || command == "-h") {
        std::cout << Usage;
        return ExitOk;
    }
    if (command == "--version") {
        std::cout << "tabrix-cli " << TABRIX_VERSION << "\n";
        return ExitOk;
    }
    const CodePageChoice codePage = ChooseCodePage(options.codePage);
    if (codePage.encoding == nullptr) {
        std::cerr << "tabrix-cli: " << codePage.error << "\n";
        return ExitUsage;
    }
    SetProgramEncoding(*codePage.encoding);
    if (options.seed)
        Random::SetSeed(*options.seed);
    else
        Random::SeedFromClock();

    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    CliStreams streams{std::cin, std::cout, std::cerr};
    if (command == "tokens") {
        return RunTokens(rest, streams);
    }
    if (command == "apply") {
        return RunApply(rest, streams);
    }
    if (command == "find") {
        return RunFind(rest, streams);
    }
    if (command == "replace") {
        return RunReplace(rest, streams);
    }
    if (command == "export-html") {
        return RunExportHtml(rest, streams);
    }
    if (command == "html") {
        return RunHtml(rest, streams);
    }
    if (command == "shell-folder") {
        return RunShellFolder(rest, streams);
    }
    if (command == "styles") {
        return RunStyles(rest, streams);
    }
    std::cerr << "tabrix-cli: unknown command " << command << "\n" << Usage;
    return ExitUsage;
}
