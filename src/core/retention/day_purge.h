#pragma once
// Old day files are deleted at start-up: those named after the dates 30 to 60 days before
// today's business date, each with its journal.
//
// A clock set weeks ahead would make the current days look old, so the purge first looks
// for evidence that the clock is right: a day within kRecentDaysChecked before today (or
// today) that the desk worked, its file holding bytes or its journal an entry (an empty
// file is what merely showing a day creates, and a future day's file holds reservations
// made ahead). The desk runs every day, so without that evidence either the clock is wrong
// or the desk was closed for a while: the desk is asked, with the date of the last day it
// worked, before anything is deleted. The start after the 06:00 restart (the last day
// worked is yesterday) is never asked.
// Nothing else beside them is: the summary, the sales file (kavro-sales.db with its -wal
// and -shm) and the shop settings outlive the day files.
#include "core/records/civil_time.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kavro {

std::vector<std::filesystem::path> purgeCandidates(const std::filesystem::path& dir, Date today);

// How many days before today a day the desk worked makes the clock trusted.
inline constexpr int kRecentDaysChecked = 7;

enum class PurgeVerdict {
    NothingToPurge, // no old day file or journal is due
    Purge,          // old files are due and the clock is trusted
    AskFirst,       // old files are due and nothing shows the clock is right
};

struct PurgePlan {
    PurgeVerdict verdict = PurgeVerdict::NothingToPurge;
    // The newest date up to today that the desk worked; none when no day shows work.
    std::optional<Date> lastDayWorked;
};

PurgePlan planPurge(const std::filesystem::path& dir, Date today);

enum class PurgeConsent {
    IfClockTrusted,  // deletes only when planPurge says Purge
    ConfirmedByDesk, // the desk confirmed today's date when asked
};

struct PurgeResult {
    std::vector<std::filesystem::path> deleted;
    bool clockDistrusted = false; // old files were due, and nothing was deleted for the clock
};

// Deletes the candidates that exist, each with its journal (a journal whose day file cannot
// be deleted stays), when the consent allows it. A file that cannot be deleted is skipped.
// Always removes temporary files left by a save that a crash interrupted.
PurgeResult purgeOldDayFiles(const std::filesystem::path& dir, Date today,
                             PurgeConsent consent = PurgeConsent::IfClockTrusted);

} // namespace kavro
