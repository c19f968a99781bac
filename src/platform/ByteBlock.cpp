#include "platform/ByteBlock.h"

#include <cstring>
#include <new>

ByteBlock ByteBlock::CopyOf(std::string_view bytes) {
    ByteBlock block(bytes.size());
    if (!bytes.empty())
        std::memcpy(block.Data(), bytes.data(), bytes.size());
    return block;
}

void ByteBlock::Resize(std::size_t newSize) {
    if (newSize == size)
        return;
    // realloc of 0 bytes may free and return nothing: keep one byte instead.
    void* moved = std::realloc(bytes.get(), newSize == 0 ? 1 : newSize);
    if (!moved)
        throw std::bad_alloc();
    (void)bytes.release();
    bytes.reset(static_cast<char*>(moved));
    size = newSize;
}

std::shared_ptr<const char> ByteBlock::Share() && {
    size = 0;
    return std::shared_ptr<const char>(bytes.release(), Free());
}
