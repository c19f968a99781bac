#pragma once
// Progress of a long operation on a large text (reading, splitting, writing): the core calls
// the hook about every ProgressStep bytes with the bytes done and the bytes in all, so that a
// window can show it and repaint. Nothing is reported for texts below one step.

#include <cstdint>
#include <functional>

using ProgressHook = std::function<void(std::uint64_t done, std::uint64_t total)>;

inline constexpr std::uint64_t kProgressStep = std::uint64_t{8} << 20;

// Calls the hook each time `done` passes the next step; cheap to ask on every line.
class ProgressReporter {
public:
    ProgressReporter(const ProgressHook& hook, std::uint64_t total) : hook(hook), total(total) {}
    void Advance(std::uint64_t done) {
        if (done >= next && hook) {
            next = done + kProgressStep;
            hook(done, total);
        }
    }

private:
    const ProgressHook& hook;
    std::uint64_t total;
    std::uint64_t next = kProgressStep;
};
