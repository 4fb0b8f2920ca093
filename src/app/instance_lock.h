#pragma once
// One copy of the program per program directory. The lock is a kernel file lock, so a
// copy that crashes or is killed releases it with its last file descriptor.
#include <filesystem>

namespace kavro {

class InstanceLock {
public:
    explicit InstanceLock(const std::filesystem::path& dir);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another copy holds the lock.
    bool acquired() const { return acquired_; }

private:
    int fd_ = -1;
    bool acquired_ = false;
};

} // namespace kavro
