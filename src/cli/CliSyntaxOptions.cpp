#include "cli/CliSyntaxOptions.h"

std::optional<SyntaxCommandOptions> ParseSyntaxOptions(const std::vector<std::string>& arguments,
                                                       std::string& problem) {
    SyntaxCommandOptions options;
    bool haveSyntax = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "--syntax") {
            if (i + 1 == arguments.size()) {
                problem = "--syntax needs an extension such as .html";
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
