#include "core/storage/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <random>
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

// The mode of the file being replaced, which its replacement keeps; none for a new file.
std::optional<mode_t> modeToKeep(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    return std::nullopt;
}

// Creates a temporary file of our own beside the target. It is opened with 0666 so that
// the kernel applies the umask to this file alone (mkstemp would make it 0600, and the
// umask cannot be read without setting it for every thread of the process at once).
int createTempFile(const fs::path& dir, const fs::path& target, std::string& name) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, ' ');
        for (char& c : suffix)
            c = kLetters[pick(random)];
        name = (dir / (std::string(kTempFilePrefix) + target.filename().string() + "." + suffix))
                   .string();
        const int fd =
            ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

using ReplaceCheck = std::function<std::optional<SaveError>()>;

bool isPermissionError(int err) { return err == EACCES || err == EPERM; }

// A refused rename in a sticky directory: the file to replace belongs to another account,
// which the directory protects from everyone else.
std::optional<std::string> otherOwnerOf(const fs::path& dir, const fs::path& path) {
    struct stat dirStat {};
    if (::stat(dir.c_str(), &dirStat) != 0 || !(dirStat.st_mode & S_ISVTX))
        return std::nullopt;
    return otherAccountOwning(path);
}

std::optional<SaveError> replace(const fs::path& path, std::string_view bytes, const FileOps& ops,
                                 const ReplaceCheck& beforeRename) {
    auto failed = [](std::string text) {
        return SaveError{SaveFailure::WriteFailed, std::move(text)};
    };
    fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return failed(fileErrorText("ファイルの場所にフォルダがあるため保存できません", 0));

    std::string tmpl;
    int fd = createTempFile(dir, path, tmpl);
    if (fd < 0 && isPermissionError(errno))
        return failed("このアカウントには " + dir.string() +
                      " に書き込む許可がありません。フロント用のアカウントでログインしてください");
    if (fd < 0)
        return failed(fileErrorText("一時ファイルを作成できません", errno));

    auto fail = [&](const char* what) {
        int err = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(tmpl.c_str());
        return failed(fileErrorText(what, err));
    };

    if (const auto mode = modeToKeep(path))
        ::fchmod(fd, *mode);
    if (!writeAll(fd, bytes, ops))
        return fail("ファイルに書き込めません");
    if (ops.fsync(fd) != 0)
        return fail("ファイルをディスクに書き込めません");
    if (::close(fd) != 0) {
        fd = -1;
        return fail("ファイルを閉じられません");
    }
    fd = -1;
    if (beforeRename) {
        if (auto refused = beforeRename()) {
            ::unlink(tmpl.c_str());
            return refused;
        }
    }
    if (ops.rename(tmpl.c_str(), path.c_str()) != 0) {
        const int err = errno;
        if (auto owner = isPermissionError(err) ? otherOwnerOf(dir, path) : std::nullopt) {
            ::unlink(tmpl.c_str());
            return failed(otherAccountText(*owner, "置き換えられません"));
        }
        errno = err;
        return fail("ファイルを置き換えられません");
    }

    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd); // the rename is durable once the directory entry is
        ::close(dfd);
    }
    return std::nullopt;
}

// Root may write any file, so the mode bits decide for root what access() decides for others.
bool markedReadOnly(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (::geteuid() == 0)
        return (st.st_mode & 0222) == 0;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

} // namespace

std::optional<std::string> replaceFileAtomically(const fs::path& path, std::string_view bytes,
                                                 const FileOps& ops) {
    if (auto error = replace(path, bytes, ops, {}))
        return std::move(error->text);
    return std::nullopt;
}

namespace {
// The check just before the rename, given how to tell the file still unchanged.
template <typename Unchanged>
std::optional<SaveError> replaceIf(const fs::path& path, std::string_view bytes, const FileOps& ops,
                                   Unchanged unchanged) {
    return replace(path, bytes, ops, [&]() -> std::optional<SaveError> {
        std::string current;
        const int err = readRegularFile(path, current);
        if (err != 0 && err != ENOENT)
            return SaveError{SaveFailure::WriteFailed,
                             fileErrorText("ファイルを確かめられないため保存できません", err)};
        if (!unchanged(err != ENOENT, current))
            return SaveError{SaveFailure::ChangedOutside,
                             "ファイルがこのプログラムの外で変更されています"};
        if (markedReadOnly(path))
            return SaveError{SaveFailure::ReadOnly,
                             "ファイルが読み取り専用になっているため保存できません"};
        return std::nullopt;
    });
}
} // namespace

std::optional<SaveError> replaceFileIfUnchanged(const fs::path& path, std::string_view bytes,
                                                const FileIdentity& expected, const FileOps& ops) {
    return replaceIf(path, bytes, ops, [&](bool exists, const std::string& current) {
        return (exists ? identityOf(current) : kMissingFile) == expected;
    });
}

std::optional<SaveError> replaceFileIfStill(const fs::path& path, std::string_view bytes,
                                            bool expectedExists, std::string_view expectedBytes,
                                            const FileOps& ops) {
    return replaceIf(path, bytes, ops, [&](bool exists, const std::string& current) {
        return exists == expectedExists && (!exists || current == expectedBytes);
    });
}

std::optional<std::string> otherAccountOwning(const fs::path& path) {
    struct stat fileStat {};
    if (::lstat(path.c_str(), &fileStat) != 0 || fileStat.st_uid == ::geteuid())
        return std::nullopt;
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(fileStat.st_uid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return std::string(found->pw_name);
    return "UID " + std::to_string(fileStat.st_uid);
}

std::string otherAccountText(const std::string& owner, std::string_view refused) {
    return "このファイルは別のアカウント（" + owner + "）が作成したため、" + std::string(refused) +
           "。" + owner + " でログインしてください";
}

int readRegularFile(const fs::path& path, std::string& bytes) {
    bytes.clear();
    // Non-blocking, so that a pipe put in the file's place cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    char buf[65536];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return err;
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return 0;
}

} // namespace kavro
