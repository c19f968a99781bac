// Small blocks and blocks of many megabytes (which the allocator maps apart) keep their bytes
// through growing, shrinking and sharing.

#include "platform/ByteBlock.h"

#include <gtest/gtest.h>

namespace {

char PatternAt(std::size_t index) {
    return static_cast<char>((index * 131 + 7) % 251);
}

bool HoldsPattern(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != PatternAt(i))
            return false;
    }
    return true;
}

TEST(ByteBlockTest, KeepsItsBytesWhenResizedAndShared) {
    constexpr std::size_t MB = std::size_t(1) << 20;
    for (const std::size_t size : {std::size_t(1), 8 * MB - 1, 8 * MB, 8 * MB + 1, 21 * MB + 3}) {
        SCOPED_TRACE(size);
        ByteBlock block(size);
        ASSERT_EQ(block.Size(), size);
        for (std::size_t i = 0; i < size; ++i)
            block.Data()[i] = PatternAt(i);
        block.Resize(size * 2);
        ASSERT_EQ(block.Size(), size * 2);
        EXPECT_TRUE(HoldsPattern(block.Data(), size));
        block.Resize(size / 2 + 1);
        EXPECT_TRUE(HoldsPattern(block.Data(), size / 2 + 1));
        const std::shared_ptr<const char> shared = std::move(block).Share();
        EXPECT_TRUE(HoldsPattern(shared.get(), size / 2 + 1));
    }
}

} // namespace
