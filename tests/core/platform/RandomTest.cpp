#include "platform/Random.h"

#include <gtest/gtest.h>

namespace {

// Each expected value worked out by hand from seed := seed * 134775813 + 1 (mod 2^32) and
// result := (seed * n) >> 32.
TEST(Random, DrawsFollowTheLinearCongruentialFormula) {
    struct Draw {
        std::uint32_t n;
        std::uint32_t seedAfter;
        std::uint32_t result;
    };
    Random::SetSeed(1);
    const Draw draws[] = {
        // 1 * 134775813 + 1 = 134775814; 134775814 * 100 = 13477581400 = 3 * 2^32 + 592679512
        {100, 134775814u, 3},
        // 134775814 * 134775813 + 1 = 18164519904586783 = 4229256 * 2^32 + 3698175007;
        // 3698175007 * 2 = 7396350014 = 1 * 2^32 + 3101382718
        {2, 3698175007u, 1},
        // 3698175007 * 134775813 + 1 = 498424543184705692 = 116048507 * 2^32 + 870078620;
        // 870078620 * 224 = 194897610880 = 45 * 2^32 + 1624082560
        {224, 870078620u, 45},
    };
    for (const Draw& draw : draws) {
        EXPECT_EQ(Random::Below(draw.n), draw.result);
        EXPECT_EQ(Random::Seed(), draw.seedAfter);
    }
}

TEST(Random, ZeroSeedAndWrapAround) {
    Random::SetSeed(0);
    EXPECT_EQ(Random::Below(100), 0u); // seed 1: 100 >> 32 = 0
    EXPECT_EQ(Random::Seed(), 1u);
    // 4294967295 * 134775813 + 1 = -134775813 + 1 (mod 2^32) = 4160191484
    Random::SetSeed(4294967295u);
    EXPECT_EQ(Random::Below(4294967295u), 4160191483u); // 4160191484 * (2^32 - 1) >> 32
    EXPECT_EQ(Random::Seed(), 4160191484u);
}

TEST(Random, EveryDrawIsBelowItsBound) {
    Random::SetSeed(12345);
    for (std::uint32_t n : {1u, 2u, 3u, 51u, 58u, 100u, 224u}) {
        for (int i = 0; i < 1000; ++i)
            EXPECT_LT(Random::Below(n), n);
    }
}

TEST(Random, SeedFromClockChangesTheSequence) {
    Random::SetSeed(7);
    const std::uint32_t fixed = Random::Below(1000000);
    bool differs = false;
    for (int attempt = 0; attempt < 5 && !differs; ++attempt) {
        Random::SeedFromClock();
        differs = Random::Seed() != 7 && Random::Below(1000000) != fixed;
    }
    EXPECT_TRUE(differs);
}

} // namespace
