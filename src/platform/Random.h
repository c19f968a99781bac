#pragma once
// The program-wide pseudo-random generator: a 32-bit linear congruential sequence whose draws
// are reproducible from the seed, so tests and --seed can replay them.

#include <cstdint>

namespace Random {
// Seeds from the low 32 bits of a high-resolution clock.
void SeedFromClock();
void SetSeed(std::uint32_t seed);
std::uint32_t Seed();
// A number in 0 .. n-1: seed := seed * 134775813 + 1 (mod 2^32), then the upper 32 bits of the
// 64-bit product seed * n.
std::uint32_t Below(std::uint32_t n);
} // namespace Random
