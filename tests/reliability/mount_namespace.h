#pragma once
// Small file systems for fault tests: a read-only folder, a full disk. They are mounted
// in a mount namespace of the test process's own, so nothing outside the test sees them.
#include <cstddef>
#include <filesystem>
#include <string>

namespace kavro::test {

// Moves the process into a private mount namespace. Must run before any thread starts
// (the test's main does it). Returns an empty string, or why mounts are not possible.
std::string enterPrivateMountNamespace();
// Why this run cannot mount (empty when it can).
const std::string& mountUnavailableReason();

// A tmpfs of the given size over an empty temporary folder the test made; unmounted
// when the object goes.
class TmpfsMount {
public:
    TmpfsMount(const std::filesystem::path& dir, std::size_t bytes);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    const std::string& error() const { return error_; } // empty when mounted
    bool setReadOnly(bool readOnly);

private:
    std::filesystem::path dir_;
    std::size_t bytes_ = 0;
    bool mounted_ = false;
    std::string error_;
};

} // namespace kavro::test
