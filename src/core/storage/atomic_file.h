#pragma once
// Durable whole-file replacement: a crash or power cut at any moment leaves either the
// old or the new content, never a mixture or an empty file.
#include "core/storage/file_identity.h"

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

// Why a file was not replaced; the window's answer depends on it (reload, or only report).
enum class SaveFailure {
    ChangedOutside, // the file is no longer what this program last read or wrote
    ReadOnly,       // the file is marked read-only
    Unstorable,     // the text holds a character the file cannot hold exactly
    WriteFailed,    // the file system refused: a full disk, no permission, a folder in place
};
struct SaveError {
    SaveFailure kind = SaveFailure::WriteFailed;
    std::string text; // Japanese
};

// As replaceFileAtomically, but only while the file is still `expected` (what this program
// last read or wrote; kMissingFile when it did not exist) and not marked read-only. Checked
// once the new content is durable beside it, just before the rename, so that the window
// in which another program's change could be overwritten is as short as it can be.
std::optional<SaveError> replaceFileIfUnchanged(const std::filesystem::path& path,
                                                std::string_view bytes,
                                                const FileIdentity& expected,
                                                const FileOps& ops = posixFileOps());
// The same, with the file's bytes as they were read instead of their identity: a comparison
// where a hash of the whole file would be computed again.
std::optional<SaveError> replaceFileIfStill(const std::filesystem::path& path,
                                            std::string_view bytes, bool expectedExists,
                                            std::string_view expectedBytes,
                                            const FileOps& ops = posixFileOps());

// Reads a whole regular file without waiting on a pipe put in its place. Returns 0, or the
// cause: ENOENT when it does not exist, EISDIR or EINVAL when something else stands there.
int readRegularFile(const std::filesystem::path& path, std::string& bytes);

// "what" followed by the cause in words the desk understands (a full disk, no permission),
// or the system's own text for rarer causes.
std::string fileErrorText(const char* what, int err);

// The account that owns the file when it is not the one this process acts for: why the
// file cannot be replaced in the program's sticky folder, or cannot be opened for writing.
// Its login name, or "UID n" when the system does not know it.
std::optional<std::string> otherAccountOwning(const std::filesystem::path& path);

// What the desk is told when a file of another account refuses a change (`refused`: what
// could not be done to it): the account that can do it.
std::string otherAccountText(const std::string& owner, std::string_view refused);

// Temporary files of replacements interrupted by a crash start with this prefix.
inline constexpr std::string_view kTempFilePrefix = ".kavro-tmp-";

} // namespace kavro
