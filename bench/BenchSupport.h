#pragma once
// Timing and a repeatable random text source shared by the benchmarks.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace bench {

// The fastest of `runs` runs of work, in milliseconds of wall time: other work on the machine
// only ever slows a run down.
inline double BestMilliseconds(int runs, const std::function<void()>& work) {
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

// Deterministic xorshift generator, so a generated text is the same on every machine and run.
class Generator {
public:
    explicit Generator(std::uint64_t seed) : state(seed) {}
    std::uint64_t Next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

private:
    std::uint64_t state;
};

// A /proc/self/status field in kilobytes (VmRSS, VmHWM, ...), or -1.
inline long StatusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    return -1;
}

// The program's settings and data go under scratch, never into the user's, and windows are
// made offscreen unless a platform is set.
inline void UsePrivateHome(const std::string& scratch) {
    const std::string home = scratch + "/home";
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

} // namespace bench
