#include "textfuncs/Markup.h"

#include "textfuncs/LowCodes.h"

std::string RemoveTagsText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool insideTag = false;
    for (const char c : text) {
        if (c == '<')
            insideTag = true;
        else if (c == '>')
            insideTag = false;
        else if (!insideTag)
            result.push_back(c);
    }
    return result;
}

std::string LeaveTagsOnlyText(std::string_view text) {
    std::string result;
    bool insideTag = false;
    for (const char c : text) {
        if (c == '<')
            insideTag = true;
        if (insideTag || c == '\r' || c == '\n')
            result.push_back(c);
        if (c == '>')
            insideTag = false;
    }
    return result;
}

std::string AddCopyrightsText(std::string_view text, const Encoding& encoding) {
    static constexpr CodeTable copyrights = [] {
        CodeTable table = IdentityCodeTable();
        table['A'] = table['a'] = '@';
        table['C'] = table['c'] = 169;
        table['R'] = table['r'] = 174;
        table['S'] = table['s'] = '$';
        table['Y'] = 165;
        return table;
    }();
    return MapLowCodes(text, copyrights, encoding);
}
