#pragma once
// Old day files are deleted at start-up: those named after the dates 30 to 60 days
// before today's calendar date.
#include "ledger/civil_time.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kavro {

std::vector<std::filesystem::path> purgeCandidates(const std::filesystem::path& dir, Date today);

// Deletes the candidates that exist, each with its journal (a journal whose day file cannot
// be deleted stays). A file that cannot be deleted is skipped.
// Also removes temporary files left by a save that a crash interrupted.
// Returns the files deleted.
std::vector<std::filesystem::path> purgeOldDayFiles(const std::filesystem::path& dir, Date today);

} // namespace kavro
