#include "app/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kavro {

InstanceLock::InstanceLock(const std::filesystem::path& dir) {
    int fd = ::open((dir / ".kavro.lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        // A directory where the lock file cannot be created cannot hold a lock; refusing to start
        // would hide the problem, while the first save reports it to the desk.
        acquired_ = true;
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    acquired_ = true;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace kavro
