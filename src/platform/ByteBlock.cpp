#include "platform/ByteBlock.h"

#include <cstring>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t HugePageSize = std::size_t(2) << 20;

// A large block sits on huge-page boundaries and asks the system for huge pages: a file of a
// gigabyte read into 4 KB pages costs a quarter of a million page faults, and every later scan
// of its text a TLB miss per page.
void* AllocateBlock(std::size_t size) {
    if (size < 4 * HugePageSize)
        return std::malloc(size);
    const std::size_t rounded = (size + HugePageSize - 1) & ~(HugePageSize - 1);
    void* block = std::aligned_alloc(HugePageSize, rounded);
    if (block)
        madvise(block, rounded, MADV_HUGEPAGE); // only advice: 4 KB pages serve as well
    return block;
}

} // namespace

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
    void* moved = bytes ? std::realloc(bytes.get(), newSize == 0 ? 1 : newSize)
                        : AllocateBlock(newSize == 0 ? 1 : newSize);
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
