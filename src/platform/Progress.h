#pragma once
// Progress of a long operation on a large text (reading, splitting, writing): the core calls
// the hook about every ProgressStep bytes with the bytes done and the bytes in all, so that a
// window can show it and repaint. Nothing is reported for texts below one step.

#include <algorithm>
#include <cstdint>
#include <functional>

using ProgressHook = std::function<void(std::uint64_t done, std::uint64_t total)>;

inline constexpr std::uint64_t kProgressStep = std::uint64_t{8} << 20;

// Work on texts over this size shows its progress, or runs beside the window's thread.
inline constexpr std::uint64_t kBigText = std::uint64_t{50} << 20;

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
    // The same for work that counts the bytes of its pieces rather than a position.
    void Add(std::uint64_t bytes) { Advance(added += bytes); }
    // Whether Advance(done) would report: work that must be made whole before a report (the
    // window repaints during it) asks first.
    bool Due(std::uint64_t done) const { return hook && done >= next; }

private:
    const ProgressHook& hook;
    std::uint64_t total;
    std::uint64_t next = kProgressStep;
    std::uint64_t added = 0;
};

// The hook for one of `stages` equal stages of an operation over `whole` bytes, each stage
// reporting in its own units: its progress becomes its share of the whole, so the whole counts
// up once.
inline ProgressHook StageOfProgress(const ProgressHook& hook, std::uint64_t whole,
                                    std::uint64_t stage, std::uint64_t stages) {
    if (!hook)
        return {};
    return [hook, whole, stage, stages](std::uint64_t done, std::uint64_t total) {
        const double share = total > 0 ? double(std::min(done, total)) / double(total) : 1;
        hook(std::uint64_t((double(stage) + share) * double(whole) / double(stages)), whole);
    };
}
