#pragma once
// POSIX locale names ("ru_RU.CP1251", "sr_RS@latin", "C.UTF-8") as the environment gives them,
// taken apart for the code page choice and turned into ICU locale ids.

#include <string>
#include <string_view>

namespace detail {

struct PosixLocaleName {
    std::string language;  // "ru"; empty for the C and POSIX locales
    std::string territory; // "RU"
    std::string codeset;   // "CP1251", "UTF-8"
    std::string modifier;  // "latin", "euro"
};

PosixLocaleName ParsePosixLocale(std::string_view name);

// The first non-empty of LC_ALL, the category variable (such as "LC_CTYPE") and LANG; "C" when
// none is set.
std::string UserLocaleName(const char* categoryVariable);

// "ru_RU", "sr_Latn_RS"; "" (the root locale) for the C locale.
std::string IcuLocaleId(const PosixLocaleName& name);

} // namespace detail
