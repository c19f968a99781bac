#include "output/ReplaceAllText.h"

std::string ReplaceAllText(std::string_view text, std::string_view old,
                           std::string_view replacement) {
    if (old.empty())
        return std::string(text);
    std::string result;
    std::size_t copied = 0;
    for (std::size_t found = text.find(old); found != std::string_view::npos;
         found = text.find(old, copied)) {
        if (result.empty())
            result.reserve(text.size() + text.size() / 8);
        result.append(text, copied, found - copied);
        result.append(replacement);
        copied = found + old.size();
    }
    result.append(text, copied);
    return result;
}
