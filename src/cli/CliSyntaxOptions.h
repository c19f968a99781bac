#pragma once
// The arguments of the commands that run a highlighter over a file: --syntax EXT (or
// --syntax=EXT) and at most one FILE ("-" or none: standard input); "--" ends the options.

#include <optional>
#include <string>
#include <vector>

struct SyntaxCommandOptions {
    std::string syntax;
    std::optional<std::string> file;

    // No file, or "-".
    bool FromStandardInput() const { return !file || *file == "-"; }
};

// Nothing on bad arguments, with what is wrong in problem.
std::optional<SyntaxCommandOptions> ParseSyntaxOptions(const std::vector<std::string>& arguments,
                                                       std::string& problem);
