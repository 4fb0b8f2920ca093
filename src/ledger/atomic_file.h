#pragma once
// Durable whole-file replacement: a crash or power cut at any moment leaves either the
// old or the new content, never a mixture or an empty file.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kavro {

// The system calls the replacement goes through; tests swap one for a failing one.
struct FileOps {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(const char* from, const char* to)> rename;
};
const FileOps& posixFileOps();

// Writes all the bytes, through short writes and interruptions. False with errno set (a
// write that makes no progress counts as a full disk).
bool writeAll(int fd, std::string_view bytes, const FileOps& ops);

// Writes bytes to a temporary file beside path, syncs it, renames it over path and syncs
// the directory. Returns an error text in Japanese, or nullopt on success. On failure the
// old file is untouched and the temporary file is removed.
std::optional<std::string> replaceFileAtomically(const std::filesystem::path& path,
                                                 std::string_view bytes,
                                                 const FileOps& ops = posixFileOps());

// "what" followed by the cause in words the desk understands (a full disk, no permission),
// or the system's own text for rarer causes.
std::string fileErrorText(const char* what, int err);

// Temporary files of replacements interrupted by a crash start with this prefix.
inline constexpr std::string_view kTempFilePrefix = ".kavro-tmp-";

} // namespace kavro
