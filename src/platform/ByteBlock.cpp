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
    // realloc of 0 bytes may free and return nothing: keep one byte instead. A big block stays
    // in 4 KB pages: on virtual machines that give free memory back to the host in 2 MB blocks,
    // a huge page is such a block and costs the host's refilling it (a 1 GB read took 2.4 to
    // 2.9 s into huge pages, 0.7 s into 4 KB ones).
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
