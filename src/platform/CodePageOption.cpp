#include "platform/CodePageOption.h"

#include <charconv>

namespace {

constexpr std::string_view codePageOption = "--codepage";
constexpr std::string_view seedOption = "--seed";

std::optional<std::uint32_t> ParseSeed(std::string_view text) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// Matches "--name" (value in the next argument) or "--name=value".
bool MatchOption(std::string_view argument, std::string_view name, bool& valueFollows,
                 std::string_view& inlineValue) {
    if (!argument.starts_with(name))
        return false;
    const std::string_view rest = argument.substr(name.size());
    if (rest.empty()) {
        valueFollows = true;
        return true;
    }
    if (rest.front() != '=')
        return false;
    valueFollows = false;
    inlineValue = rest.substr(1);
    return true;
}

} // namespace

PlatformOptions ParsePlatformOptions(const std::vector<std::string>& arguments) {
    PlatformOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            options.arguments.insert(options.arguments.end(), arguments.begin() + i + 1,
                                     arguments.end());
            break;
        }
        bool valueFollows = false;
        std::string_view value;
        const bool isCodePage = MatchOption(argument, codePageOption, valueFollows, value);
        if (!isCodePage && !MatchOption(argument, seedOption, valueFollows, value)) {
            options.arguments.push_back(argument);
            continue;
        }
        const std::string_view name = isCodePage ? codePageOption : seedOption;
        if (valueFollows) {
            if (i + 1 == arguments.size()) {
                options.error = "Missing value after " + std::string(name);
                continue;
            }
            value = arguments[++i];
        }
        if (isCodePage) {
            options.codePage = std::string(value);
        } else if (const auto seed = ParseSeed(value)) {
            options.seed = seed;
        } else {
            options.error = "Invalid seed \"" + std::string(value) +
                            "\": use a whole number from 0 to 4294967295";
        }
    }
    return options;
}

PlatformOptions ParsePlatformOptions(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return ParsePlatformOptions(arguments);
}

std::string UnknownCodePageMessage(std::string_view value) {
    return "Unknown code page \"" + std::string(value) + "\": use 1250 to 1258, 28591 or utf-8";
}

CodePageChoice ChooseCodePage(const std::optional<std::string>& option,
                              const std::optional<std::string>& settingsValue) {
    CodePageChoice choice;
    if (option) {
        choice.encoding = Encoding::ForName(*option);
        if (choice.encoding == nullptr)
            choice.error = UnknownCodePageMessage(*option);
        return choice;
    }
    if (settingsValue && !settingsValue->empty()) {
        choice.encoding = Encoding::ForName(*settingsValue);
        if (choice.encoding != nullptr)
            return choice;
        choice.error = UnknownCodePageMessage(*settingsValue) +
                       " (key CodePage of section Settings); using the locale's code page";
    }
    choice.encoding = &LocaleEncoding();
    return choice;
}
