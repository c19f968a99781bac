#include "platform/SystemMemory.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemMemoryTest, AvailableMemoryAddsFreeSwapToAvailableMemory) {
    const struct {
        const char* name;
        const char* meminfo;
        std::optional<std::uint64_t> expected;
    } cases[] = {
        {"both", "MemTotal:  100 kB\nMemAvailable:   40 kB\nSwapTotal: 9 kB\nSwapFree:  2 kB\n",
         42 * 1024},
        {"no swap line", "MemAvailable: 7 kB\n", 7 * 1024},
        {"last line without a break", "SwapFree: 1 kB\nMemAvailable: 3 kB", 4 * 1024},
        {"a key that only starts the same", "MemAvailableX: 5 kB\nMemAvailable: 6 kB\n", 6 * 1024},
        {"no available memory line (old kernels)", "MemTotal: 100 kB\nMemFree: 50 kB\n",
         std::nullopt},
        {"number missing", "MemAvailable:    kB\n", std::nullopt},
        {"number too large", "MemAvailable: 99999999999999999999 kB\n", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AvailableMemoryIn(c.meminfo), c.expected) << c.name;
}

TEST(SystemMemoryTest, NoMachineHasAnExabyteToGive) {
    EXPECT_TRUE(MemoryFits(1));
    EXPECT_FALSE(MemoryFits(std::uint64_t{1} << 60));
}

} // namespace
