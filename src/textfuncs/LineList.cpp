#include "textfuncs/LineList.h"

namespace {
// Bytes taken by the line break starting at pos (0 when none starts there).
std::size_t BreakLength(std::string_view text, std::size_t pos) {
    if (text[pos] == '\n')
        return 1;
    if (text[pos] != '\r')
        return 0;
    return pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
}
} // namespace

LineList SplitLines(std::string_view text) {
    LineList lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + BreakLength(text, end);
    }
    return lines;
}

std::string JoinLines(const LineList& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string NormalizeLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = BreakLength(text, pos);
        if (length == 0) {
            result += text[pos++];
            continue;
        }
        result += "\r\n";
        pos += length;
    }
    return result;
}
