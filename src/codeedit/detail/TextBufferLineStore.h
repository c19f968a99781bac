#pragma once
// The line list's storage: a gap buffer of compact line texts, with columns for the range,
// object and flags of each line that exist only once some line has a value other than 0. It
// moves lines and owns the memory of edited line texts; it knows nothing of index errors,
// changes or files.
//
// A line costs six bytes while its text is a piece of the loaded block, so a file of empty
// lines costs little more than eight times its size. The same six bytes say which line break
// follows the line when it is not the list's usual one.

#include "platform/SystemMemory.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <utility>

namespace detail {

// Longest line a list can hold.
constexpr std::size_t MaxLineLength = UINT32_MAX;

inline void CheckLineLength(std::size_t length) {
    if (length > MaxLineLength)
        throw std::length_error("Line too long");
}

// A line text the compact form cannot describe (edited, too long, or too far into the block):
// its length and bytes, which follow the node (owned) or lie in the block.
struct LineNode {
    std::uint32_t length;
    // The bytes an owned text has room for (at least length); 0 for a text in the block.
    std::uint32_t capacity;
    const char* text;

    bool Owned() const { return text == reinterpret_cast<const char*>(this + 1); }
    char* OwnedBytes() { return reinterpret_cast<char*>(this + 1); }
};

// Which break follows a line: 0 the list's own style, else 1 + a TSynEditFileFormat value.
using BreakCode = std::uint8_t;
constexpr BreakCode UsualBreak = 0;

// A line's text and break in 48 bits. Bits 1-2 are the break code. Low bit 1: a piece of the
// block, offset in bits 3-33, length in bits 34-47. Low bit 0: a LineNode's address in the
// other bits (aligned to 8, so its low three bits are free), 0 for an empty text.
class PackedText {
public:
    static constexpr std::uint64_t MaxOffset = (std::uint64_t{1} << 31) - 1;
    static constexpr std::uint64_t MaxViewLength = (std::uint64_t{1} << 14) - 1;

    static PackedText View(std::uint64_t offset, std::size_t length, BreakCode code) {
        return PackedText(1 | std::uint64_t{code} << 1 | offset << 3 | std::uint64_t{length} << 34);
    }
    static bool FitsView(std::uint64_t offset, std::size_t length) {
        return offset <= MaxOffset && length <= MaxViewLength;
    }
    static PackedText Node(const LineNode* node, BreakCode code) {
        const auto address = reinterpret_cast<std::uintptr_t>(node);
        // Heap addresses of the platforms we build for have at most 48 significant bits.
        if ((address >> 48) != 0 || (address & 7) != 0)
            throw std::bad_alloc();
        return PackedText(address | std::uint64_t{code} << 1);
    }

    bool IsEmpty() const { return (Bits() & ~std::uint64_t{6}) == 0; }
    bool IsView() const { return (Bits() & 1) != 0; }
    BreakCode Break() const { return static_cast<BreakCode>((Bits() >> 1) & 3); }
    // The same text followed by another break.
    PackedText WithBreak(BreakCode code) const {
        return PackedText((Bits() & ~std::uint64_t{6}) | std::uint64_t{code} << 1);
    }
    LineNode* AsNode() const {
        return IsView() || IsEmpty() ? nullptr : reinterpret_cast<LineNode*>(Bits() & ~7ULL);
    }
    std::size_t Length() const {
        if (IsView())
            return static_cast<std::size_t>(Bits() >> 34);
        const LineNode* node = AsNode();
        return node ? node->length : 0;
    }
    std::string_view Text(const char* block) const {
        if (IsView())
            return {block + ((Bits() >> 3) & MaxOffset), static_cast<std::size_t>(Bits() >> 34)};
        const LineNode* node = AsNode();
        return node ? std::string_view(node->text, node->length) : std::string_view();
    }

    PackedText() = default;

private:
    // The low six bytes of the value, least significant first.
    explicit PackedText(std::uint64_t bits) {
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(bytes, &bits, sizeof bytes);
        } else {
            for (std::size_t i = 0; i < sizeof bytes; ++i)
                bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
        }
    }
    std::uint64_t Bits() const {
        std::uint64_t bits = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&bits, bytes, sizeof bytes);
        } else {
            for (std::size_t i = 0; i < sizeof bytes; ++i)
                bits |= std::uint64_t{bytes[i]} << (8 * i);
        }
        return bits;
    }

    unsigned char bytes[6]{};
};
static_assert(sizeof(PackedText) == 6);

// Nodes live in malloc's memory, so that a long line's room grows and shrinks through realloc.
// Growing a block of many MB still copies it and touches fresh pages (malloc keeps such blocks
// in its heap once one has been freed), so edits keep the room they have where they can.
inline void* AllocateNode(std::size_t size) {
    void* memory = std::malloc(size);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}

// A node for a text that lies in the block.
inline LineNode* NewBlockNode(std::size_t length, const char* text) {
    return new (AllocateNode(sizeof(LineNode)))
        LineNode{static_cast<std::uint32_t>(length), 0, text};
}

// A node owning room for capacity bytes, of which the first length are the text (not filled).
inline LineNode* NewOwnedNode(std::size_t length, std::size_t capacity) {
    auto* node = new (AllocateNode(sizeof(LineNode) + capacity))
        LineNode{static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(capacity), nullptr};
    node->text = node->OwnedBytes();
    return node;
}

// The owned node with room for capacity bytes, its text kept as far as the room reaches;
// nullptr (the node as it was) when that fails.
inline LineNode* ResizedNode(LineNode* node, std::size_t capacity) {
    auto* resized = static_cast<LineNode*>(std::realloc(node, sizeof(LineNode) + capacity));
    if (!resized)
        return nullptr;
    resized->capacity = static_cast<std::uint32_t>(capacity);
    resized->text = resized->OwnedBytes();
    return resized;
}

inline PackedText PackedNode(LineNode* node, BreakCode code) {
    try {
        return PackedText::Node(node, code);
    } catch (...) {
        std::free(node);
        throw;
    }
}

// An owned copy of text; an empty text needs no memory.
inline PackedText OwnedText(std::string_view text) {
    CheckLineLength(text.size());
    if (text.empty())
        return {};
    LineNode* node = NewOwnedNode(text.size(), text.size());
    std::memcpy(node->OwnedBytes(), text.data(), text.size());
    return PackedNode(node, UsualBreak);
}

inline void ReleaseText(PackedText text) {
    if (LineNode* node = text.AsNode())
        std::free(node);
}

// Lines this long get room to grow when they are edited: a keystroke then moves the bytes after
// it instead of copying the line.
constexpr std::size_t RoomyLine = std::size_t{64} << 10;

inline std::size_t RoomFor(std::size_t length) {
    if (length < RoomyLine)
        return length;
    return static_cast<std::size_t>(std::min<std::uint64_t>(MaxLineLength, length + length / 8));
}

// An edit to length bytes is made in the node's own room: it fits, and a long line that shrank
// to less than half its room gives the rest back.
inline bool FitsInPlace(const LineNode& node, std::size_t length) {
    return node.Owned() && length <= node.capacity &&
           (node.capacity <= RoomyLine || length >= node.capacity / 2);
}

// Records [0, gapStart) and [gapEnd, capacity) of every column are lines; the gap between them
// is free, so an insertion or deletion near the last edited place moves only the lines in
// between. Every column is moved and resized in the same step, so they never fall out of line.
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
        for (std::size_t i = 0; i < Size(); ++i)
            ReleaseText(texts[Slot(i)]);
        ForEachColumn([](auto*& column, bool) { std::free(column); });
    }

    std::size_t Size() const { return capacity - GapLength(); }

    // The block of `size` bytes that lines of the compact form are pieces of.
    void SetBlock(std::shared_ptr<const char> newBlock, std::size_t size) {
        block = std::move(newBlock);
        blockSize = block ? size : 0;
    }
    const std::shared_ptr<const char>& Block() const { return block; }

    std::string_view Text(std::size_t index) const { return texts[Slot(index)].Text(block.get()); }
    // The line's text is a piece of the block, which never changes, or empty: a view of it stays
    // valid as long as the block is held.
    bool TextInBlock(std::size_t index) const {
        const LineNode* node = texts[Slot(index)].AsNode();
        return !node || !node->Owned();
    }
    std::size_t Length(std::size_t index) const { return texts[Slot(index)].Length(); }
    // Gives the line an owned copy of text, keeping its break; nothing changes when that fails.
    void SetText(std::size_t index, std::string_view text) {
        const PackedText copy = OwnedText(text);
        PackedText& slot = texts[Slot(index)];
        ReleaseText(slot);
        slot = copy.WithBreak(slot.Break());
    }
    // Replaces bytes [column, column + count) of the line (within it) with text, which must not
    // lie in the line; nothing changes when that fails.
    void ReplaceInText(std::size_t index, std::size_t column, std::size_t count,
                       std::string_view text) {
        // Nothing to do, and a long line's room stays for what comes next (a join's end).
        if (count == 0 && text.empty())
            return;
        PackedText& slot = texts[Slot(index)];
        const std::string_view old = slot.Text(block.get());
        const std::size_t tail = old.size() - column - count;
        const std::size_t length = column + text.size() + tail;
        CheckLineLength(length);
        LineNode* node = slot.AsNode();
        const BreakCode code = slot.Break();
        // Backspace joining the halves of a line that Enter cut in the block: one piece again.
        if (count == 0 && column == old.size() && !old.empty() && TextInBlock(index) &&
            text.data() == old.data() + old.size() && InBlock(text)) {
            const PackedText joined = BlockPiece({old.data(), length}).WithBreak(code);
            ReleaseText(slot);
            slot = joined;
            return;
        }
        const auto editInPlace = [&] {
            char* bytes = node->OwnedBytes();
            // The end stays put when as much comes as goes: a long line's end is not moved.
            if (text.size() != count)
                std::memmove(bytes + column + text.size(), bytes + column + count, tail);
            if (!text.empty())
                std::memcpy(bytes + column, text.data(), text.size());
            node->length = static_cast<std::uint32_t>(length);
        };
        if (node && node->Owned() && length > 0 && !FitsInPlace(*node, length)) {
            // A long line that shrank gives back room once its bytes are in place (best
            // effort: a refused shrink keeps it); one that grows gets room first.
            const bool shrinks = length < old.size();
            if (shrinks)
                editInPlace();
            LineNode* resized = ResizedNode(node, RoomFor(length));
            if (!resized && !shrinks)
                throw std::bad_alloc();
            if (resized)
                slot = PackedText::Node(node = resized, code);
            if (shrinks)
                return;
        }
        if (node && FitsInPlace(*node, length)) {
            editInPlace();
            return;
        }
        if (length == 0) {
            ReleaseText(slot);
            slot = PackedText().WithBreak(code);
            return;
        }
        LineNode* fresh = NewOwnedNode(length, RoomFor(length));
        char* bytes = fresh->OwnedBytes();
        if (column > 0)
            std::memcpy(bytes, old.data(), column);
        if (!text.empty())
            std::memcpy(bytes + column, text.data(), text.size());
        if (tail > 0)
            std::memcpy(bytes + column + text.size(), old.data() + column + count, tail);
        const PackedText packed = PackedNode(fresh, code);
        ReleaseText(slot);
        slot = packed;
    }

    // Cuts a line in two at column: its bytes from there on become a new line after it, with
    // the line's break. A line in the block stays there, both halves pieces of it; an edited
    // one keeps its storage for its start, and its end is copied once. Nothing changes when
    // that fails.
    void Cut(std::size_t index, std::size_t column) {
        MakeRoom(1);
        const std::string_view text = Text(index);
        const bool inBlock = TextInBlock(index);
        const PackedText end =
            inBlock ? BlockPiece(text.substr(column)) : OwnedText(text.substr(column));
        PackedText start;
        try {
            start = inBlock ? BlockPiece(text.substr(0, column)) : PackedText();
        } catch (...) {
            ReleaseText(end);
            throw;
        }
        Insert(index + 1, 1);
        texts[Slot(index + 1)] = end;
        SetBreak(index + 1, Break(index));
        SetBreak(index, UsualBreak);
        if (inBlock) {
            ReleaseText(texts[Slot(index)]);
            texts[Slot(index)] = start;
        } else if (column == 0) {
            ReplaceInText(index, 0, text.size(), {});
        } else {
            // The first half keeps its room: the Backspace that so often follows joins the
            // halves in place, in memory already there; its next edit gives the room back.
            texts[Slot(index)].AsNode()->length = static_cast<std::uint32_t>(column);
        }
    }

    BreakCode Break(std::size_t index) const { return texts[Slot(index)].Break(); }
    void SetBreak(std::size_t index, BreakCode code) {
        PackedText& slot = texts[Slot(index)];
        unusualBreaks += (code != UsualBreak) - (slot.Break() != UsualBreak);
        slot = slot.WithBreak(code);
    }
    // Lines whose break is not the usual one.
    std::size_t UnusualBreaks() const { return unusualBreaks; }
    // Every line followed by the usual break.
    void ClearBreaks() {
        for (std::size_t i = 0; i < Size() && unusualBreaks > 0; ++i)
            SetBreak(i, UsualBreak);
    }

    std::uint8_t Range(std::size_t index) const { return Get(ranges, index); }
    void SetRange(std::size_t index, std::uint8_t value) { Set(ranges, index, value); }
    void* Object(std::size_t index) const { return Get(objects, index); }
    void SetObject(std::size_t index, void* value) { Set(objects, index, value); }
    std::uint8_t Flags(std::size_t index) const { return Get(flags, index); }
    void SetFlags(std::size_t index, std::uint8_t value) { Set(flags, index, value); }

    // Swaps everything two lines keep.
    void Exchange(std::size_t a, std::size_t b) {
        ForEachColumn([&](auto*& column, bool) {
            if (column)
                std::swap(column[Slot(a)], column[Slot(b)]);
        });
    }

    // Makes sure the next Insert of up to `count` lines cannot fail.
    void MakeRoom(std::size_t count) {
        if (GapLength() < count)
            Grow(Size() + count);
    }

    // Inserts `count` empty lines at index, all their values 0.
    void Insert(std::size_t index, std::size_t count) {
        MakeRoom(count);
        MoveGapTo(index);
        ForEachColumn([&](auto*& column, bool) {
            if (column)
                std::memset(static_cast<void*>(column + gapStart), 0, count * sizeof *column);
        });
        gapStart += count;
    }

    // Appends a line that is the piece [offset, offset + length) of the block, followed by the
    // break of that code.
    void AppendPiece(std::size_t offset, std::size_t length, BreakCode code) {
        unusualBreaks += code != UsualBreak;
        if (length == 0 || PackedText::FitsView(offset, length)) {
            const PackedText text = length == 0 && code == UsualBreak
                                        ? PackedText()
                                        : PackedText::View(offset, length, code);
            // Loading appends millions of lines: while the gap is at the end and no other
            // column exists, a line is one store.
            if (gapStart < gapEnd && gapEnd == capacity && !ranges && !objects && !flags) {
                texts[gapStart++] = text;
                return;
            }
            Insert(Size(), 1);
            texts[gapStart - 1] = text;
            return;
        }
        CheckLineLength(length);
        const PackedText text = PackedNode(NewBlockNode(length, block.get() + offset), code);
        try {
            Insert(Size(), 1);
        } catch (...) {
            ReleaseText(text);
            unusualBreaks -= code != UsualBreak;
            throw;
        }
        texts[gapStart - 1] = text;
    }

    // A copy of source's lines with all they keep, sharing its block; owned texts are copied.
    static LineStore CopyOf(const LineStore& source) {
        LineStore copy;
        copy.block = source.block;
        copy.blockSize = source.blockSize;
        copy.MakeRoom(source.Size());
        for (std::size_t i = 0; i < source.Size(); ++i) {
            PackedText text = source.texts[source.Slot(i)];
            if (const LineNode* node = text.AsNode())
                text =
                    (node->Owned() ? OwnedText(source.Text(i))
                                   : PackedNode(NewBlockNode(node->length, node->text), UsualBreak))
                        .WithBreak(text.Break());
            copy.texts[copy.gapStart++] = text;
        }
        copy.unusualBreaks = source.unusualBreaks;
        copy.CopyColumn(copy.ranges, source.ranges, source);
        copy.CopyColumn(copy.objects, source.objects, source);
        copy.CopyColumn(copy.flags, source.flags, source);
        return copy;
    }

    // Drops `count` lines from index after releasing their texts.
    void Erase(std::size_t index, std::size_t count) {
        MoveGapTo(index);
        for (std::size_t i = 0; i < count; ++i) {
            unusualBreaks -= texts[gapEnd + i].Break() != UsualBreak;
            ReleaseText(texts[gapEnd + i]);
        }
        gapEnd += count;
        if (capacity > MinimumCapacity && Size() < capacity / 4)
            Shrink();
    }

    // Gives back the slack left by growing, keeping a little room for edits.
    void Compact() {
        const std::size_t wanted = Size() + Size() / 64 + MinimumCapacity;
        if (wanted < capacity)
            TryReallocate(wanted);
    }

    // Total length of lines [from, to).
    std::uint64_t SumOfLengths(std::size_t from, std::size_t to) const {
        std::uint64_t sum = 0;
        for (std::size_t i = from; i < std::min(to, gapStart); ++i)
            sum += texts[i].Length();
        for (std::size_t i = std::max(from, gapStart); i < to; ++i)
            sum += texts[i + GapLength()].Length();
        return sum;
    }

    // Calls f(text, break code) for every line in order.
    template <typename F> void ForEachLine(F f) const {
        for (std::size_t i = 0; i < gapStart; ++i)
            f(texts[i].Text(block.get()), texts[i].Break());
        for (std::size_t i = gapEnd; i < capacity; ++i)
            f(texts[i].Text(block.get()), texts[i].Break());
    }

    void Swap(LineStore& other) noexcept {
        std::swap(texts, other.texts);
        std::swap(ranges, other.ranges);
        std::swap(objects, other.objects);
        std::swap(flags, other.flags);
        std::swap(block, other.block);
        std::swap(blockSize, other.blockSize);
        std::swap(capacity, other.capacity);
        std::swap(gapStart, other.gapStart);
        std::swap(gapEnd, other.gapEnd);
        std::swap(unusualBreaks, other.unusualBreaks);
    }

private:
    static constexpr std::size_t MinimumCapacity = 8;

    std::size_t GapLength() const { return gapEnd - gapStart; }
    std::size_t Slot(std::size_t index) const {
        return index < gapStart ? index : index + GapLength();
    }

    bool InBlock(std::string_view text) const {
        const std::less_equal<const char*> atOrBefore;
        return block && atOrBefore(block.get(), text.data()) &&
               atOrBefore(text.data() + text.size(), block.get() + blockSize);
    }

    // Text that lies in the block as a line's text, followed by the usual break.
    PackedText BlockPiece(std::string_view text) const {
        if (text.empty())
            return {};
        const auto offset = static_cast<std::uint64_t>(text.data() - block.get());
        if (PackedText::FitsView(offset, text.size()))
            return PackedText::View(offset, text.size(), UsualBreak);
        return PackedNode(NewBlockNode(text.size(), text.data()), UsualBreak);
    }

    // f(column, always): the text column always exists once there is room for a line; the
    // others may not.
    template <typename F> void ForEachColumn(F f) {
        f(texts, true);
        f(ranges, false);
        f(objects, false);
        f(flags, false);
    }

    // Source's column into this store's, whose lines are source's lines [0, Size()).
    template <typename T>
    void CopyColumn(T*& column, const T* sourceColumn, const LineStore& source) {
        if (!sourceColumn)
            return;
        column = static_cast<T*>(std::calloc(capacity, sizeof(T)));
        if (!column)
            throw std::bad_alloc();
        std::memcpy(column, sourceColumn, source.gapStart * sizeof(T));
        std::memcpy(column + source.gapStart, sourceColumn + source.gapEnd,
                    (source.capacity - source.gapEnd) * sizeof(T));
    }

    template <typename T> T Get(T* column, std::size_t index) const {
        return column ? column[Slot(index)] : T{};
    }
    // A column is made when its first value other than 0 arrives.
    template <typename T> void Set(T*& column, std::size_t index, T value) {
        if (!column) {
            if (value == T{})
                return;
            column = static_cast<T*>(std::calloc(capacity, sizeof(T)));
            if (!column)
                throw std::bad_alloc();
        }
        column[Slot(index)] = value;
    }

    void MoveGapTo(std::size_t index) {
        if (index < gapStart) {
            const std::size_t moved = gapStart - index;
            ForEachColumn([&](auto*& column, bool) {
                if (column)
                    std::memmove(static_cast<void*>(column + gapEnd - moved), column + index,
                                 moved * sizeof *column);
            });
            gapStart = index;
            gapEnd -= moved;
        } else if (index > gapStart) {
            const std::size_t moved = index - gapStart;
            ForEachColumn([&](auto*& column, bool) {
                if (column)
                    std::memmove(static_cast<void*>(column + gapStart), column + gapEnd,
                                 moved * sizeof *column);
            });
            gapStart = index;
            gapEnd += moved;
        }
    }

    // Grows to hold at least `needed` lines, the gap at the end first so that realloc can move
    // the columns without our copying them.
    void Grow(std::size_t needed) {
        std::size_t newCapacity = capacity < MinimumCapacity ? MinimumCapacity : capacity;
        while (newCapacity < needed)
            newCapacity += newCapacity / 2 + MinimumCapacity;
        if (newCapacity > SIZE_MAX / sizeof(void*) || !GrowthFits(newCapacity) ||
            !TryReallocate(newCapacity))
            throw std::bad_alloc();
    }

    // A large growth must fit in what the system can still give: it grants more than it has
    // and would end the process once the lines are written, rather than refuse it here.
    bool GrowthFits(std::size_t newCapacity) {
        constexpr std::size_t LargeGrowth = std::size_t{64} << 20;
        std::size_t bytesPerLine = 0;
        ForEachColumn([&](auto*& column, bool always) {
            if (column || always)
                bytesPerLine += sizeof *column;
        });
        const std::size_t growth = (newCapacity - capacity) * bytesPerLine;
        return growth < LargeGrowth || MemoryFits(growth);
    }

    // Best effort: a deletion must not fail, so a refused shrink keeps the old columns.
    void Shrink() { TryReallocate(Size() * 2 > MinimumCapacity ? Size() * 2 : MinimumCapacity); }

    // Every column to newCapacity. When one refuses, the capacity is the smaller of old and
    // new, which every column still holds, and the lines (all before the gap) are intact.
    bool TryReallocate(std::size_t newCapacity) {
        MoveGapTo(Size());
        bool all = true;
        ForEachColumn([&](auto*& column, bool always) {
            if (!column && !always)
                return;
            void* moved = std::realloc(static_cast<void*>(column), newCapacity * sizeof *column);
            if (moved)
                column = static_cast<std::remove_reference_t<decltype(column)>>(moved);
            else
                all = false;
        });
        if (!all)
            newCapacity = newCapacity < capacity ? newCapacity : capacity;
        gapEnd = newCapacity;
        capacity = newCapacity;
        return all;
    }

    PackedText* texts = nullptr;
    std::uint8_t* ranges = nullptr;
    void** objects = nullptr;
    std::uint8_t* flags = nullptr;
    std::shared_ptr<const char> block;
    std::size_t blockSize = 0;
    std::size_t capacity = 0;
    std::size_t gapStart = 0;
    std::size_t gapEnd = 0;
    std::size_t unusualBreaks = 0;
};

} // namespace detail
