#include "ledger/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kavro {

namespace fs = std::filesystem;

const FileOps& posixFileOps() {
    static const FileOps ops{
        [](int fd, const void* d, std::size_t n) { return ::write(fd, d, n); },
        [](int fd) { return ::fsync(fd); },
        [](const char* a, const char* b) { return ::rename(a, b); },
    };
    return ops;
}

std::string fileErrorText(const char* what, int err) {
    std::string msg = what;
    if (err == ENOSPC || err == EDQUOT)
        msg += "（ディスクの空き容量が不足しています）";
    else if (err == EACCES || err == EPERM || err == EROFS)
        msg += "（書き込みが許可されていません）";
    else if (err != 0)
        msg += std::string("（") + std::strerror(err) + "）";
    return msg;
}

bool writeAll(int fd, std::string_view bytes, const FileOps& ops) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ops.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

namespace {

mode_t newFileMode(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::optional<std::string> replaceFileAtomically(const fs::path& path, std::string_view bytes,
                                                 const FileOps& ops) {
    fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return fileErrorText("ファイルの場所にフォルダがあるため保存できません", 0);

    std::string tmpl =
        (dir / (std::string(kTempFilePrefix) + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return fileErrorText("一時ファイルを作成できません", errno);

    auto fail = [&](const char* what) {
        int err = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(tmpl.c_str());
        return fileErrorText(what, err);
    };

    ::fchmod(fd, newFileMode(path));
    if (!writeAll(fd, bytes, ops))
        return fail("ファイルに書き込めません");
    if (ops.fsync(fd) != 0)
        return fail("ファイルをディスクに書き込めません");
    if (::close(fd) != 0) {
        fd = -1;
        return fail("ファイルを閉じられません");
    }
    fd = -1;
    if (ops.rename(tmpl.c_str(), path.c_str()) != 0)
        return fail("ファイルを置き換えられません");

    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd); // the rename is durable once the directory entry is
        ::close(dfd);
    }
    return std::nullopt;
}

} // namespace kavro
