#pragma once
// The line list's storage: a gap buffer of compact line records. It moves records and owns
// the memory of edited line texts; it knows nothing of index errors, changes or files.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <utility>

namespace detail {

// Everything kept per line, in one record so that it moves as one. The text is either a view
// into the list's shared load buffer or, once the line has been written, a heap copy the
// record owns (`owned`). Records are trivially copyable: LineStore releases owned texts.
struct LineRecord {
    const char* text = nullptr;
    std::uint32_t length = 0;
    std::uint8_t flags = 0;
    bool owned = false;
    std::uintptr_t range = 0;
    void* object = nullptr;

    std::string_view Text() const { return {text, length}; }
};
static_assert(std::is_trivially_copyable_v<LineRecord>);
static_assert(sizeof(LineRecord) <= 32);

// Longest line a record can hold.
constexpr std::size_t MaxLineLength = UINT32_MAX;

inline void CheckLineLength(std::size_t length) {
    if (length > MaxLineLength)
        throw std::length_error("Line too long");
}

// A record that views text it does not own (the load buffer).
inline LineRecord ViewRecord(const char* text, std::size_t length) {
    LineRecord record;
    record.text = text;
    record.length = static_cast<std::uint32_t>(length);
    return record;
}

// A record owning a copy of text; an empty text needs no memory.
inline LineRecord OwnedRecord(std::string_view text) {
    CheckLineLength(text.size());
    LineRecord record;
    if (!text.empty()) {
        char* copy = new char[text.size()];
        std::memcpy(copy, text.data(), text.size());
        record.text = copy;
        record.owned = true;
    }
    record.length = static_cast<std::uint32_t>(text.size());
    return record;
}

inline void ReleaseText(LineRecord& record) {
    if (record.owned)
        delete[] record.text;
    record.text = nullptr;
    record.length = 0;
    record.owned = false;
}

// Records [0, gapStart) and [gapEnd, capacity) are lines; the gap between them is free, so an
// insertion or deletion near the last edited place moves only the records in between.
class LineStore {
public:
    LineStore() = default;
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;
    LineStore(LineStore&& other) noexcept { Swap(other); }
    LineStore& operator=(LineStore&& other) noexcept {
        LineStore moved(std::move(other));
        Swap(moved);
        return *this;
    }
    ~LineStore() {
        ForEachSpan([](LineRecord* first, std::size_t count) {
            for (std::size_t i = 0; i < count; ++i)
                ReleaseText(first[i]);
        });
        std::free(records);
    }

    std::size_t Size() const { return capacity - GapLength(); }
    std::size_t Capacity() const { return capacity; }

    LineRecord& operator[](std::size_t index) {
        return records[index < gapStart ? index : index + GapLength()];
    }
    const LineRecord& operator[](std::size_t index) const {
        return records[index < gapStart ? index : index + GapLength()];
    }

    // Makes sure the next Open of up to `count` slots cannot fail.
    void MakeRoom(std::size_t count) {
        if (GapLength() < count)
            Grow(Size() + count);
    }

    // Opens `count` slots at index and returns them, contiguous, for the caller to fill.
    LineRecord* Open(std::size_t index, std::size_t count) {
        MakeRoom(count);
        MoveGapTo(index);
        LineRecord* slots = records + gapStart;
        gapStart += count;
        return slots;
    }

    // Drops `count` records from index after releasing their texts.
    void Erase(std::size_t index, std::size_t count) {
        MoveGapTo(index);
        for (std::size_t i = 0; i < count; ++i)
            ReleaseText(records[gapEnd + i]);
        gapEnd += count;
        if (capacity > MinimumCapacity && Size() < capacity / 4)
            Shrink();
    }

    void Append(const LineRecord& record) { *Open(Size(), 1) = record; }

    // Gives back the slack left by growing, keeping a little room for edits.
    void Compact() {
        std::size_t wanted = Size() + Size() / 64 + MinimumCapacity;
        if (wanted < capacity)
            TryReallocate(wanted);
    }

    // Calls f(first, count) for the records before and after the gap, in line order.
    template <typename F> void ForEachSpan(F f) {
        if (gapStart > 0)
            f(records, gapStart);
        if (gapEnd < capacity)
            f(records + gapEnd, capacity - gapEnd);
    }
    template <typename F> void ForEachSpan(F f) const {
        if (gapStart > 0)
            f(static_cast<const LineRecord*>(records), gapStart);
        if (gapEnd < capacity)
            f(static_cast<const LineRecord*>(records + gapEnd), capacity - gapEnd);
    }

    void Swap(LineStore& other) noexcept {
        std::swap(records, other.records);
        std::swap(capacity, other.capacity);
        std::swap(gapStart, other.gapStart);
        std::swap(gapEnd, other.gapEnd);
    }

private:
    static constexpr std::size_t MinimumCapacity = 8;

    std::size_t GapLength() const { return gapEnd - gapStart; }

    void MoveGapTo(std::size_t index) {
        if (index < gapStart) {
            std::size_t moved = gapStart - index;
            std::memmove(records + gapEnd - moved, records + index, moved * sizeof(LineRecord));
            gapStart = index;
            gapEnd -= moved;
        } else if (index > gapStart) {
            std::size_t moved = index - gapStart;
            std::memmove(records + gapStart, records + gapEnd, moved * sizeof(LineRecord));
            gapStart = index;
            gapEnd += moved;
        }
    }

    // Reallocates to hold at least `needed` records, the gap at the end first so that realloc
    // can move the block without our copying it.
    void Grow(std::size_t needed) {
        std::size_t newCapacity = capacity < MinimumCapacity ? MinimumCapacity : capacity;
        while (newCapacity < needed)
            newCapacity += newCapacity / 2 + MinimumCapacity;
        Reallocate(newCapacity);
    }

    // Best effort: a deletion must not fail, so a refused shrink keeps the old block.
    void Shrink() { TryReallocate(Size() * 2 > MinimumCapacity ? Size() * 2 : MinimumCapacity); }

    void Reallocate(std::size_t newCapacity) {
        if (newCapacity > SIZE_MAX / sizeof(LineRecord) || !TryReallocate(newCapacity))
            throw std::bad_alloc();
    }

    bool TryReallocate(std::size_t newCapacity) {
        MoveGapTo(Size());
        void* block = std::realloc(records, newCapacity * sizeof(LineRecord));
        if (!block)
            return false;
        records = static_cast<LineRecord*>(block);
        gapEnd = newCapacity;
        capacity = newCapacity;
        return true;
    }

    LineRecord* records = nullptr;
    std::size_t capacity = 0;
    std::size_t gapStart = 0;
    std::size_t gapEnd = 0;
};

} // namespace detail
