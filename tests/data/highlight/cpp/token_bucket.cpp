// token_bucket.cpp - a small, lock-free-ish rate limiter for the log shipper.
// One bucket per destination; callers ask for a number of bytes and either get
// them or learn how long to wait.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include "token_bucket.h"

#define TB_LIKELY(x)   __builtin_expect(!!(x), 1)
#define TB_UNLIKELY(x) __builtin_expect(!!(x), 0)
#define TB_CHECK(cond, message)                      \
    do {                                             \
        if (TB_UNLIKELY(!(cond)))                    \
            throw std::invalid_argument(message);    \
    } while (false)

#if defined(_WIN32) && !defined(NOMINMAX)
#  define NOMINMAX
#endif

namespace shipper {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::int64_t kNanosPerSecond = 1000000000LL;
constexpr double kEpsilon = 1e-9;

/* Converts a time point to nanoseconds since the clock's epoch. Kept in one
   place so that a test clock only has to replace this function. */
std::int64_t NowNanos()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               Clock::now().time_since_epoch())
        .count();
}

} // namespace

TokenBucket::TokenBucket(double capacity, double refillPerSecond)
    : capacity_(capacity),
      refillPerNano_(refillPerSecond / kNanosPerSecond),
      tokens_(capacity),
      last_(NowNanos())
{
    TB_CHECK(capacity > 0.0, "capacity must be positive");
    TB_CHECK(refillPerSecond > 0.0, "refill rate must be positive");
}

void TokenBucket::Refill(std::int64_t now)
{
    const std::int64_t elapsed = std::max<std::int64_t>(0, now - last_);
    tokens_ = std::min(capacity_, tokens_ + static_cast<double>(elapsed) * refillPerNano_);
    last_ = now;
}

bool TokenBucket::TryTake(double amount)
{
    if (amount > capacity_)
        return false;           // can never be satisfied
    std::lock_guard<std::mutex> lock(mutex_);
    Refill(NowNanos());
    if (TB_LIKELY(tokens_ + kEpsilon >= amount)) {
        tokens_ -= amount;
        taken_.fetch_add(static_cast<std::uint64_t>(amount), std::memory_order_relaxed);
        return true;
    }
    refused_++;
    return false;
}

std::chrono::nanoseconds TokenBucket::WaitFor(double amount) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const double missing = amount - tokens_;
    if (missing <= 0.0)
        return std::chrono::nanoseconds::zero();
    return std::chrono::nanoseconds(static_cast<std::int64_t>(missing / refillPerNano_) + 1);
}

std::string TokenBucket::Describe() const
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "bucket{cap=%.0f, tokens=%.1f, refused=%u}",
                  capacity_, tokens_, static_cast<unsigned>(refused_));
    return buffer;
}

// Literals and operators the scanner meets in real code.
int Corners(int x)
{
    unsigned long mask = 0xFFul, octal = 0777, big = 18446744073709551615ULL;
    float f = 1.5f, g = .25F, h = 6.02e+23f;
    char c = '\'', nl = '\n', zero = '\0';
    const char* path = "C:\\logs\\\"quoted\".txt";
    const wchar_t* wide = L"wide";
    x <<= 2; x >>= 1; x ^= 0x5A; x |= 1 & 2; x %= 7;
    x = x > 3 ? x-- : ++x;
    bool ok = (x != 0) && !(x == 5) || x <= -1;
    auto lambda = [&](int y) -> int { return y * x; };
    return lambda(static_cast<int>(mask + octal + big)) + c + nl + zero + (ok ? 1 : 0) +
           static_cast<int>(f + g + h) + (path != nullptr) + (wide != nullptr);
}

} // namespace shipper
