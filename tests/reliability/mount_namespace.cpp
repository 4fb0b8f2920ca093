#include "reliability/mount_namespace.h"

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace kavro::test {

namespace fs = std::filesystem;

namespace {

std::string& reason() {
    static std::string r = "the test's main did not set up a mount namespace";
    return r;
}

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

std::string enterPrivateMountNamespace() {
    if (::geteuid() != 0)
        reason() = "not running as root, so no file system can be mounted";
    else if (::unshare(CLONE_NEWNS) != 0)
        reason() = systemError("no mount namespace of our own (unshare)");
    // Without private propagation a mount could show up outside: then mount nothing.
    else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        reason() = systemError("cannot make the mounts private");
    else
        reason().clear();
    return reason();
}

const std::string& mountUnavailableReason() { return reason(); }

TmpfsMount::TmpfsMount(const fs::path& dir, std::size_t bytes) : dir_(dir), bytes_(bytes) {
    std::error_code ec;
    if (!mountUnavailableReason().empty())
        error_ = mountUnavailableReason();
    // Only over a fresh folder of the test's own, never over anything that matters.
    else if (!fs::equivalent(dir.parent_path(), fs::temp_directory_path(), ec) ||
             dir.filename().string().rfind("kavro-test-", 0) != 0)
        error_ = "refusing to mount over " + dir.string();
    else if (!fs::is_empty(dir, ec))
        error_ = "refusing to mount over a folder that is not empty: " + dir.string();
    else if (::mount("kavro-test", dir.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                     ("size=" + std::to_string(bytes) + ",mode=0755").c_str()) != 0)
        error_ = systemError("mount tmpfs");
    else
        mounted_ = true;
}

TmpfsMount::~TmpfsMount() {
    if (mounted_ && ::umount2(dir_.c_str(), 0) != 0)
        ::umount2(dir_.c_str(), MNT_DETACH);
}

bool TmpfsMount::setReadOnly(bool readOnly) {
    unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    return mounted_ && ::mount("kavro-test", dir_.c_str(), "tmpfs", flags,
                               ("size=" + std::to_string(bytes_) + ",mode=0755").c_str()) == 0;
}

} // namespace kavro::test
