#include "platform/PosixLocale.h"

#include <cstdlib>

namespace detail {

PosixLocaleName ParsePosixLocale(std::string_view name) {
    PosixLocaleName result;
    if (const auto at = name.find('@'); at != std::string_view::npos) {
        result.modifier = name.substr(at + 1);
        name = name.substr(0, at);
    }
    if (const auto dot = name.find('.'); dot != std::string_view::npos) {
        result.codeset = name.substr(dot + 1);
        name = name.substr(0, dot);
    }
    if (name == "C" || name == "POSIX")
        return result;
    const auto underscore = name.find('_');
    result.language = name.substr(0, underscore);
    if (underscore != std::string_view::npos)
        result.territory = name.substr(underscore + 1);
    return result;
}

std::string UserLocaleName(const char* categoryVariable) {
    for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return "C";
}

std::string IcuLocaleId(const PosixLocaleName& name) {
    std::string id = name.language;
    if (id.empty())
        return id;
    if (name.modifier == "latin")
        id += "_Latn";
    else if (name.modifier == "cyrillic")
        id += "_Cyrl";
    if (!name.territory.empty())
        id += "_" + name.territory;
    return id;
}

} // namespace detail
