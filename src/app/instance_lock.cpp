#include "app/instance_lock.h"

#include "core/storage/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kavro {

InstanceLock::InstanceLock(const std::filesystem::path& dir) {
    const auto path = dir / kFileName;
    // Never through a link: in a folder shared by the desk's users, a link in the lock's
    // place would make this program create or open a file wherever the link points. A pipe
    // in its place must not hang the start.
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int err = errno;
        error_ = err == ELOOP    ? "ロックファイルの場所にリンクがあります"
                 : err == EISDIR ? "ロックファイルの場所にフォルダがあります"
                                 : fileErrorText("ロックファイルを開けません", err);
        error_ += "\r\n" + path.string();
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error_ = "ロックファイルの場所に通常のファイルでないものがあります\r\n" + path.string();
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK) {
            state_ = State::HeldByAnotherCopy;
            return;
        }
        error_ = fileErrorText("ロックファイルをロックできません", err) + "\r\n" + path.string();
        return;
    }
    fd_ = fd;
    state_ = State::Acquired;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::string startRefusedText(const InstanceLock& lock) {
    return "ほかに起動していないことを確かめられないため、起動できません。\r\n" + lock.error();
}

} // namespace kavro
