#include "app/DocumentText.h"
#include "cli/CliCommands.h"
#include "output/HtmlExport.h"

#include <charconv>
#include <iostream>
#include <iterator>
#include <optional>
#include <ostream>

namespace {

const char* const ExportUsage = "Usage: tabrix-cli export-html --variant 0|1|2 --convert yes|no "
                                "[--font NAME] [--size N] [--codepage CP]\n";

std::optional<int> ParseNumber(std::string_view text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest)
        return std::nullopt;
    return value;
}

// The options with "--name value" or "--name=value"; the reason when they are not all good.
std::optional<HtmlExportOptions> ParseExportOptions(const std::vector<std::string>& arguments,
                                                    std::string& problem) {
    HtmlExportOptions options;
    options.fontName = "Courier New";
    bool haveVariant = false;
    bool haveConversion = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        }
        if (name != "--variant" && name != "--convert" && name != "--font" && name != "--size") {
            problem = "unknown option " + name;
            return std::nullopt;
        }
        if (!value) {
            problem = name + " needs a value";
            return std::nullopt;
        }
        if (name == "--variant") {
            const std::optional<int> tag = ParseNumber(*value, 0, 2);
            if (!tag) {
                problem = "--variant takes 0, 1 or 2, not " + *value;
                return std::nullopt;
            }
            options.variant = *HtmlVariantFromTag(*tag);
            haveVariant = true;
        } else if (name == "--convert") {
            if (*value != "yes" && *value != "no") {
                problem = "--convert takes yes or no, not " + *value;
                return std::nullopt;
            }
            options.conversion =
                *value == "yes" ? HtmlConversion::Escape : HtmlConversion::Preformatted;
            haveConversion = true;
        } else if (name == "--font") {
            options.fontName = *value;
        } else {
            const std::optional<int> size = ParseNumber(*value, 1, 32767);
            if (!size) {
                problem = "--size takes a number of points from 1 to 32767, not " + *value;
                return std::nullopt;
            }
            options.fontSize = *size;
        }
    }
    if (!haveVariant || !haveConversion) {
        problem = haveVariant ? "--convert is required" : "--variant is required";
        return std::nullopt;
    }
    return options;
}

} // namespace

int RunExportHtml(const std::vector<std::string>& arguments, CliStreams streams) {
    std::string problem;
    const std::optional<HtmlExportOptions> options = ParseExportOptions(arguments, problem);
    if (!options) {
        streams.err << "tabrix-cli export-html: " << problem << "\n" << ExportUsage;
        return ExitUsage;
    }
    const std::string text =
        ToPlainEditorText(std::string(std::istreambuf_iterator<char>(streams.in), {}));
    if (streams.in.bad()) {
        streams.err << "tabrix-cli export-html: could not read standard input\n";
        return ExitFailure;
    }
    const std::string file = HtmlExportBytes(text, *options);
    streams.out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return streams.out.flush() ? ExitOk : ExitFailure;
}
