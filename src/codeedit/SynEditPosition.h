#pragma once
// Positions in the editor's text, one type per unit so that a line number can never be passed
// as a column, nor a byte column as a display column. Holds no text and does no conversion;
// TSynEditEngine converts between the units.

#include <compare>
#include <cstddef>
#include <functional>

template <typename Tag, typename Rep> class StrongValue {
public:
    using ValueType = Rep;

    constexpr StrongValue() = default;
    constexpr explicit StrongValue(Rep value) : value(value) {}

    constexpr Rep Value() const { return value; }

    friend constexpr auto operator<=>(StrongValue, StrongValue) = default;

    // Moving by a count of the same unit; the distance of two values is a plain count.
    constexpr StrongValue operator+(Rep delta) const { return StrongValue(value + delta); }
    constexpr StrongValue operator-(Rep delta) const { return StrongValue(value - delta); }
    friend constexpr Rep operator-(StrongValue a, StrongValue b) { return a.value - b.value; }
    constexpr StrongValue& operator++() {
        ++value;
        return *this;
    }
    constexpr StrongValue& operator--() {
        --value;
        return *this;
    }

private:
    Rep value{};
};

// Per-line caches key their maps by line.
template <typename Tag, typename Rep> struct std::hash<StrongValue<Tag, Rep>> {
    std::size_t operator()(StrongValue<Tag, Rep> value) const noexcept {
        return std::hash<Rep>()(value.Value());
    }
};

// 0-based index of a line in the line list.
using LineIndex = StrongValue<struct LineIndexTag, int>;
// The index before the first line, where a cache or a scan holds no line at all.
inline constexpr LineIndex NoLine{-1};
// Byte offset within one line; the engine keeps carets on character boundaries.
using ByteColumn = StrongValue<struct ByteColumnTag, std::size_t>;
// Number of characters before a position within one line (a UTF-8 sequence is one character).
using CharColumn = StrongValue<struct CharColumnTag, std::size_t>;
// Column on screen: characters with tabs expanded to the next multiple of the tab width.
using DisplayColumn = StrongValue<struct DisplayColumnTag, int>;
// Offset in the whole text with a CR LF (2 bytes) between lines, as the plain editor's
// SelStart and SelLength count (the line list can count another length of break instead).
using TextOffset = StrongValue<struct TextOffsetTag, std::size_t>;

struct BufferPosition {
    LineIndex line;
    ByteColumn column;

    friend constexpr auto operator<=>(const BufferPosition&, const BufferPosition&) = default;
};

constexpr BufferPosition MakePosition(int line, std::size_t column) {
    return BufferPosition{LineIndex(line), ByteColumn(column)};
}

// Half-open: begin <= end, the character at end is not part of the range.
struct BufferRange {
    BufferPosition begin;
    BufferPosition end;

    constexpr bool Empty() const { return begin == end; }
    friend constexpr bool operator==(const BufferRange&, const BufferRange&) = default;
};

enum class TSynSelectionMode { smNormal, smColumn, smLine };
