#include "textfuncs/LineList.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {
// Bytes taken by the line break starting at pos (0 when none starts there, or at the end).
std::size_t BreakLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    if (text[pos] == '\n')
        return 1;
    if (text[pos] != '\r')
        return 0;
    return pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
}

// Finds line breaks left to right with memchr. Each kind of break byte keeps its last find, so
// every byte is searched at most once per kind however CR and LF mix (a CR-only text stays
// linear).
class BreakFinder {
public:
    explicit BreakFinder(std::string_view text) : text(text) {}

    // Start of the first break at or after pos, or the text's size.
    std::size_t Next(std::size_t pos) {
        return std::min(Find('\r', pos, nextCr), Find('\n', pos, nextLf));
    }

private:
    std::size_t Find(char byte, std::size_t pos, std::ptrdiff_t& cached) const {
        if (cached < static_cast<std::ptrdiff_t>(pos)) {
            const void* found = std::memchr(text.data() + pos, byte, text.size() - pos);
            cached = found ? static_cast<const char*>(found) - text.data()
                           : static_cast<std::ptrdiff_t>(text.size());
        }
        return static_cast<std::size_t>(cached);
    }

    std::string_view text;
    std::ptrdiff_t nextCr = -1;
    std::ptrdiff_t nextLf = -1;
};

// The top bit of each byte of word that equals byte. Exact: no byte carries into the next.
std::uint64_t BytesEqual(std::uint64_t word, char byte) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t low7 = ones * 0x7F;
    const std::uint64_t diff = word ^ (ones * static_cast<std::uint8_t>(byte));
    return ~(((diff & low7) + low7) | diff) & (ones * 0x80);
}

std::uint64_t Word(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Whether every break of text is CR LF already: an LF exactly where a CR went before. A text
// the editor holds is normalised, and this pass, eight bytes at a time, costs far less than
// copying it.
bool HasOnlyCrLfBreaks(std::string_view text) {
    if (text.empty())
        return true;
    if (text.front() == '\n' || text.back() == '\r')
        return false;
    const char* bytes = text.data();
    std::uint64_t lone = 0;
    std::size_t i = 1;
    for (; i + 8 <= text.size(); i += 8)
        lone |= BytesEqual(Word(bytes + i), '\n') ^ BytesEqual(Word(bytes + i - 1), '\r');
    for (; i < text.size(); ++i)
        lone |= (bytes[i] == '\n') != (bytes[i - 1] == '\r');
    return lone == 0;
}
} // namespace

LineList::LineList(std::initializer_list<std::string_view> lines) {
    places.reserve(lines.size());
    for (const std::string_view line : lines)
        push_back(line);
}

void LineList::push_back(std::string_view line) {
    places.push_back({bytes.size(), line.size()});
    bytes.append(line);
}

void LineList::Select(const std::vector<std::size_t>& order) {
    std::vector<Place> selected;
    selected.reserve(order.size());
    for (const std::size_t line : order)
        selected.push_back(places[line]);
    places = std::move(selected);
}

void LineList::Reverse() {
    std::reverse(places.begin(), places.end());
}

bool operator==(const LineList& a, const LineList& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

LineList SplitLines(std::string_view text) {
    LineList lines;
    // The lines keep their places in a copy of the whole text, breaks and all.
    lines.bytes.assign(text);
    // One line per LF and a last one without a break; lone CRs may add more.
    lines.places.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    BreakFinder breaks(text);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = breaks.Next(start);
        lines.places.push_back({start, end - start});
        start = end + BreakLength(text, end);
    }
    return lines;
}

std::string JoinLines(const LineList& lines) {
    std::size_t size = 0;
    for (const std::string_view line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string_view line : lines)
        text.append(line).append("\r\n", 2);
    return text;
}

std::string NormalizeLineBreaks(std::string text) {
    if (HasOnlyCrLfBreaks(text))
        return text;
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    BreakFinder breaks(text);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = breaks.Next(start);
        result.append(text, start, end - start);
        if (end == text.size())
            break;
        result.append("\r\n", 2);
        start = end + BreakLength(text, end);
    }
    return result;
}
