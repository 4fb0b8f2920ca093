#pragma once
// One copy of the program per program directory. The lock is a kernel file lock, so a
// copy that crashes or is killed releases it with its last file descriptor.
#include <filesystem>
#include <string>

namespace kavro {

class InstanceLock {
public:
    enum class State {
        Acquired,
        HeldByAnotherCopy,
        Failed, // the lock could not be taken at all; error() says why
    };

    explicit InstanceLock(const std::filesystem::path& dir);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return state_; }
    bool acquired() const { return state_ == State::Acquired; }
    // Japanese, for the desk: why the program cannot make sure it is the only copy.
    const std::string& error() const { return error_; }

    static constexpr const char* kFileName = ".kavro.lock";

private:
    int fd_ = -1;
    State state_ = State::Failed;
    std::string error_;
};

// The message shown when the program cannot start because the lock failed.
std::string startRefusedText(const InstanceLock& lock);

} // namespace kavro
