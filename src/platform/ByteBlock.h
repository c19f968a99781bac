#pragma once
// A block of bytes on the heap that is neither zero-filled nor copied on the way: a file is
// read straight into one and the line list keeps it, so a large file costs its size once.

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string_view>

class ByteBlock {
public:
    ByteBlock() = default;
    // size bytes, not initialised. Throws std::bad_alloc.
    explicit ByteBlock(std::size_t size) { Resize(size); }
    static ByteBlock CopyOf(std::string_view bytes);

    char* Data() { return bytes.get(); }
    const char* Data() const { return bytes.get(); }
    std::size_t Size() const { return size; }
    std::string_view View() const { return {bytes.get(), size}; }

    // Keeps the first `newSize` bytes, or grows keeping the content. Throws std::bad_alloc.
    void Resize(std::size_t newSize);

    // Hands the bytes over to shared owners (the lines that are pieces of them).
    std::shared_ptr<const char> Share() &&;

private:
    struct Free {
        void operator()(char* pointer) const { std::free(pointer); }
    };
    std::unique_ptr<char, Free> bytes;
    std::size_t size = 0;
};
