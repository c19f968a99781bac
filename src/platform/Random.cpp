#include "platform/Random.h"

#include <atomic>
#include <chrono>

namespace {
// Only the user-interface thread draws; atomic so that a stray reader sees a whole value.
std::atomic<std::uint32_t> seed{0};
} // namespace

namespace Random {

void SeedFromClock() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    SetSeed(static_cast<std::uint32_t>(ticks));
}

void SetSeed(std::uint32_t value) {
    seed.store(value, std::memory_order_relaxed);
}

std::uint32_t Seed() {
    return seed.load(std::memory_order_relaxed);
}

std::uint32_t Below(std::uint32_t n) {
    const std::uint32_t next = Seed() * 134775813u + 1u; // wraps mod 2^32
    SetSeed(next);
    return static_cast<std::uint32_t>((std::uint64_t(next) * n) >> 32);
}

} // namespace Random
