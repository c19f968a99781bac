#include "textfuncs/LineOperations.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace {
// Codes 0 to 32 are the same single bytes in every supported encoding, UTF-8 included.
bool IsBlankByte(char byte) {
    return static_cast<unsigned char>(byte) <= 32;
}

std::string ReverseCharacters(std::string_view line, const Encoding& encoding) {
    std::string reversed;
    reversed.reserve(line.size());
    for (std::size_t end = line.size(); end > 0;) {
        const std::size_t start = encoding.PreviousCharStart(line, end);
        reversed.append(line.substr(start, end - start));
        end = start;
    }
    return reversed;
}
} // namespace

LineList ReverseLines(LineList lines) {
    std::reverse(lines.begin(), lines.end());
    return lines;
}

LineList ReverseStrings(LineList lines, const Encoding& encoding) {
    for (std::string& line : lines) {
        if (encoding.IsUtf8())
            line = ReverseCharacters(line, encoding);
        else
            std::reverse(line.begin(), line.end());
    }
    return lines;
}

LineList ReverseText(LineList lines, const Encoding& encoding) {
    return ReverseStrings(ReverseLines(std::move(lines)), encoding);
}

std::string RemoveBlankLines(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::size_t next = end;
        if (next < text.size() && text[next] == '\r')
            ++next;
        if (next < text.size() && text[next] == '\n')
            ++next;
        const std::string_view line = text.substr(start, end - start);
        if (!std::all_of(line.begin(), line.end(), IsBlankByte))
            result.append(text.substr(start, next - start));
        start = next;
    }
    return result;
}

LineList TrimLines(LineList lines) {
    for (std::string& line : lines) {
        const auto first = std::find_if_not(line.begin(), line.end(), IsBlankByte);
        const auto last = std::find_if_not(line.rbegin(), line.rend(), IsBlankByte).base();
        line = first < last ? std::string(first, last) : std::string();
    }
    return lines;
}

LineList RemoveDuplicateLines(LineList lines, const Encoding& encoding, const Collator& collator) {
    std::unordered_set<std::string> seen;
    seen.reserve(lines.size());
    LineList kept;
    for (std::string& line : lines) {
        if (seen.insert(collator.SortKey(line, encoding)).second)
            kept.push_back(std::move(line));
    }
    return kept;
}
