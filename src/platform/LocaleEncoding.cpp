// Which code page the user's locale stands for, the way Windows picks the ANSI code page of a
// language.

#include "platform/Encoding.h"
#include "platform/PosixLocale.h"

#include <string_view>

namespace {

struct LanguageCodePage {
    std::string_view language;
    int codePage;
};

constexpr LanguageCodePage languageCodePages[] = {
    {"ru", 1251}, {"uk", 1251}, {"bg", 1251}, {"be", 1251}, {"sr", 1251}, {"mk", 1251},
    {"kk", 1251}, {"ky", 1251}, {"tt", 1251}, {"mn", 1251}, {"pl", 1250}, {"cs", 1250},
    {"sk", 1250}, {"hu", 1250}, {"hr", 1250}, {"sl", 1250}, {"ro", 1250}, {"sq", 1250},
    {"bs", 1250}, {"el", 1253}, {"tr", 1254}, {"az", 1254}, {"uz", 1254}, {"he", 1255},
    {"ar", 1256}, {"fa", 1256}, {"ur", 1256}, {"et", 1257}, {"lv", 1257}, {"lt", 1257},
    {"vi", 1258},
};

int LanguageCodePageOf(const detail::PosixLocaleName& name) {
    // Serbian in Latin letters uses the Central European page, as on Windows.
    if (name.language == "sr" && name.modifier == "latin")
        return 1250;
    for (const auto& entry : languageCodePages) {
        if (entry.language == name.language)
            return entry.codePage;
    }
    return 1252;
}

} // namespace

const Encoding& EncodingForLocaleName(std::string_view localeName) {
    const detail::PosixLocaleName name = detail::ParsePosixLocale(localeName);
    if (!name.codeset.empty()) {
        if (const Encoding* named = Encoding::ForName(name.codeset))
            return *named;
    }
    return *Encoding::ForCodePage(LanguageCodePageOf(name));
}

const Encoding& LocaleEncoding() {
    return EncodingForLocaleName(detail::UserLocaleName("LC_CTYPE"));
}

const Encoding* LocaleCodeSet() {
    const detail::PosixLocaleName name =
        detail::ParsePosixLocale(detail::UserLocaleName("LC_CTYPE"));
    return name.codeset.empty() ? nullptr : Encoding::ForName(name.codeset);
}

const Encoding& LanguageEncoding() {
    // The language of the user's messages names the user's language; its code set says nothing.
    return *Encoding::ForCodePage(
        LanguageCodePageOf(detail::ParsePosixLocale(detail::UserLocaleName("LC_MESSAGES"))));
}
