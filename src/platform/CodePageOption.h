#pragma once
// The options every executable shares (--codepage, --seed) and the choice of the program's code
// page from them. Parses nothing else: the remaining arguments go back to the caller untouched.

#include "platform/Encoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PlatformOptions {
    std::optional<std::string> codePage; // value of --codepage, as given
    std::optional<std::uint32_t> seed;   // value of --seed
    std::vector<std::string> arguments;  // everything else, in order
    std::string error;                   // a malformed option; empty when all is well
};

// Takes "--codepage X", "--codepage=X", "--seed N" and "--seed=N" out of the arguments (the
// program name excluded). After "--" everything is an argument, so a file named like an option
// can still be opened.
PlatformOptions ParsePlatformOptions(const std::vector<std::string>& arguments);
// The same for main's argc and argv (argv[0] is skipped).
PlatformOptions ParsePlatformOptions(int argc, const char* const* argv);

struct CodePageChoice {
    // The encoding to use; null only when --codepage named no supported code page.
    const Encoding* encoding = nullptr;
    // Why a given value was not used (a bad settings value falls back to the locale's code
    // page); empty when all is well.
    std::string error;
};

// --codepage if given, else the settings value (key CodePage of section Settings; empty counts
// as absent), else LocaleEncoding().
CodePageChoice ChooseCodePage(const std::optional<std::string>& option,
                              const std::optional<std::string>& settingsValue = std::nullopt);

// "Unknown code page "X": use 1250 to 1258, 28591 or utf-8".
std::string UnknownCodePageMessage(std::string_view value);
