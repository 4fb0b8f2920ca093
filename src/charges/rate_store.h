#pragma once
// The rate file on disk, beside the day files. A table is only ever charged from a file
// read whole and found sound: any problem, and the loader gives no book at all, only the
// messages; the caller then prices nothing (the desk sees 料金未設定) rather than part of a
// table. Saving writes the whole file through the same durable replacement as the day
// files, and only a book that reads back as itself without a problem.
#include "charges/rate_file.h"
#include "core/storage/atomic_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kavro {

std::filesystem::path ratesFilePath(const std::filesystem::path& dir);

struct RatesLoad {
    bool exists = false;
    std::optional<RateBook> book;    // only when the file was read and has no problem
    std::vector<std::string> errors; // Japanese, each naming the file and its line
};
// A missing file is no error: no book, no message (the shop has set no prices yet).
RatesLoad loadRates(const std::filesystem::path& dir);

// Replaces the file atomically. The errors are the book's problems (nothing is written
// then) or the file system's refusal.
std::vector<std::string> saveRates(const std::filesystem::path& dir, const RateBook& book,
                                   const FileOps& ops = posixFileOps());

} // namespace kavro
