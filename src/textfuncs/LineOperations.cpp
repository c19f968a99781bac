#include "textfuncs/LineOperations.h"

#include "textfuncs/LineSorting.h"

#include <algorithm>
#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace {
// Codes 0 to 32 are the same single bytes in every supported encoding, UTF-8 included.
bool IsBlankByte(char byte) {
    return static_cast<unsigned char>(byte) <= 32;
}

// Reverses the characters of line in place. Each character of several bytes is reversed first,
// so that reversing the whole line puts its bytes back in order; scanning forwards reads only
// bytes not yet touched.
void ReverseCharacters(std::span<char> line, const Encoding& encoding) {
    if (encoding.IsUtf8()) {
        const std::string_view text(line.data(), line.size());
        for (std::size_t pos = 0; pos < line.size();) {
            if (static_cast<unsigned char>(line[pos]) < 0x80) {
                ++pos;
                continue;
            }
            const std::size_t length = encoding.CharLength(text, pos);
            std::reverse(line.begin() + pos, line.begin() + pos + length);
            pos += length;
        }
    }
    std::reverse(line.begin(), line.end());
}

// The lines kept so far by duplicate removal, found by their sort keys: an open-addressing
// table of (hash, line) slots sized for every line up front, so nothing is allocated per line.
// The table is far larger than the caches; callers prefetch the slot of a line a few lines
// ahead, so that its cache miss overlaps the work on the lines before it.
class KeptLines {
public:
    KeptLines(const detail::LineKeys& keys, std::size_t lines) : keys(keys) {
        std::size_t capacity = 16;
        while (capacity < 2 * lines)
            capacity *= 2;
        slots.resize(capacity);
        mask = capacity - 1;
    }

    static std::size_t Hash(std::string_view key) { return std::hash<std::string_view>{}(key); }

    void Prefetch(std::size_t hash) const { __builtin_prefetch(&slots[hash & mask]); }

    // Adds line, whose key has that hash; false when a line with an equal key is there already.
    bool Insert(std::size_t line, std::size_t hash) {
        const std::string_view key = keys.Key(line);
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots[i];
            if (slot.linePlusOne == 0) {
                slot = {hash, line + 1};
                return true;
            }
            if (slot.hash == hash && keys.Key(slot.linePlusOne - 1) == key)
                return false;
        }
    }

private:
    struct Slot {
        std::size_t hash = 0;
        std::size_t linePlusOne = 0; // 0 for an empty slot
    };

    const detail::LineKeys& keys;
    std::vector<Slot> slots;
    std::size_t mask = 0;
};

// How many lines ahead duplicate removal prefetches: enough to cover a memory access.
constexpr std::size_t PrefetchDistance = 16;
} // namespace

LineList ReverseLines(LineList lines) {
    lines.Reverse();
    return lines;
}

LineList ReverseStrings(LineList lines, const Encoding& encoding) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        ReverseCharacters(lines.Bytes(i), encoding);
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
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const auto first = std::find_if_not(line.begin(), line.end(), IsBlankByte);
        const auto last = std::find_if_not(line.rbegin(), line.rend(), IsBlankByte).base();
        const std::size_t offset = static_cast<std::size_t>(first - line.begin());
        lines.Narrow(i, first < last ? offset : 0,
                     first < last ? static_cast<std::size_t>(last - first) : 0);
    }
    return lines;
}

LineList RemoveDuplicateLines(LineList lines, const Encoding& encoding, const Collator& collator) {
    const detail::LineKeys keys(lines, encoding, collator);
    std::vector<std::size_t> hashes(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        hashes[i] = KeptLines::Hash(keys.Key(i));
    KeptLines seen(keys, lines.size());
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + PrefetchDistance < lines.size())
            seen.Prefetch(hashes[i + PrefetchDistance]);
        if (seen.Insert(i, hashes[i]))
            kept.push_back(i);
    }
    lines.Select(kept);
    return lines;
}
