#pragma once
// Old day files are deleted at start-up: those named after the dates 30 to 60 days
// before today's calendar date. Nothing else beside them is: the summary, the sales file
// (kavro-sales.db with its -wal and -shm) and the shop settings outlive the day files.
#include "ledger/civil_time.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kavro {

std::vector<std::filesystem::path> purgeCandidates(const std::filesystem::path& dir, Date today);

// How many calendar days before today must show a day file for the clock to be trusted.
inline constexpr int kRecentDaysChecked = 7;

struct PurgeResult {
    std::vector<std::filesystem::path> deleted;
    // Nothing was deleted: old day files exist but none for today or the days just before
    // it, which is what a clock set weeks ahead looks like. The program runs every day and
    // writes each day's file, so a desk that was simply closed for a while sees this once.
    bool clockDistrusted = false;
};

// Deletes the candidates that exist, each with its journal (a journal whose day file cannot
// be deleted stays), unless the clock is distrusted. A file that cannot be deleted is skipped. Also
// removes temporary files left by a save that a crash interrupted.
PurgeResult purgeOldDayFiles(const std::filesystem::path& dir, Date today);

} // namespace kavro
