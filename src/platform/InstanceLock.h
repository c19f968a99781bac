#pragma once
// An exclusive lock on a file, held while the object lives and released by the system when the
// process ends in any way, so an instance that crashed or was killed never keeps it. Advisory:
// it keeps out only those who ask for the same lock; it guards no content by itself.

#include <optional>
#include <string>

class InstanceLock {
public:
    // Creates the file when it is missing. Nothing when someone else holds the lock (another
    // process, or another lock of this one) or the file cannot be opened.
    static std::optional<InstanceLock> TryAcquire(const std::string& path);

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

private:
    explicit InstanceLock(int descriptor) : descriptor(descriptor) {}

    int descriptor = -1;
};
