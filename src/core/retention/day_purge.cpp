#include "core/retention/day_purge.h"

#include "core/journal/journal_file.h"
#include "core/retention/day_evidence.h"
#include "core/storage/atomic_file.h"
#include "core/storage/day_file.h"

#include <algorithm>
#include <set>

namespace kavro {

namespace fs = std::filesystem;

namespace {

// A day's journal and the part of it kept aside as damaged.
std::vector<fs::path> journalsOf(const fs::path& dayFile) {
    const fs::path journal = journalPathFor(dayFile);
    fs::path damaged = journal;
    damaged += ".damaged";
    return {journal, damaged};
}

bool anythingDue(const fs::path& dir, Date today) {
    std::error_code ec;
    for (const auto& p : purgeCandidates(dir, today)) {
        if (fs::is_regular_file(p, ec))
            return true;
        for (const auto& j : journalsOf(p))
            if (fs::is_regular_file(j, ec) && !fs::exists(fs::symlink_status(p, ec)))
                return true;
    }
    return false;
}

std::optional<Date> lastDayWorked(const fs::path& dir, Date today) {
    std::set<Date> dates;
    for (const char* suffix : {".txt", ".jnl"})
        for (Date d : datesOfFilesEndingIn(dir, suffix))
            if (d <= today)
                dates.insert(d);
    for (auto it = dates.rbegin(); it != dates.rend(); ++it)
        if (dayHoldsWork(dayFilePath(dir, *it)))
            return *it;
    return std::nullopt;
}

} // namespace

std::vector<fs::path> purgeCandidates(const fs::path& dir, Date today) {
    std::vector<fs::path> out;
    for (int n = 30; n <= 60; ++n)
        out.push_back(dayFilePath(dir, addDays(today, -n)));
    return out;
}

PurgePlan planPurge(const fs::path& dir, Date today) {
    PurgePlan plan;
    if (!anythingDue(dir, today))
        return plan;
    plan.lastDayWorked = lastDayWorked(dir, today);
    const bool recent =
        plan.lastDayWorked && daysBetween(*plan.lastDayWorked, today) <= kRecentDaysChecked;
    plan.verdict = recent ? PurgeVerdict::Purge : PurgeVerdict::AskFirst;
    return plan;
}

PurgeResult purgeOldDayFiles(const fs::path& dir, Date today, PurgeConsent consent) {
    PurgeResult result;
    std::error_code ec;
    const PurgeVerdict verdict = consent == PurgeConsent::ConfirmedByDesk
                                     ? PurgeVerdict::Purge
                                     : planPurge(dir, today).verdict;
    result.clockDistrusted = verdict == PurgeVerdict::AskFirst;
    if (verdict == PurgeVerdict::Purge) {
        for (const auto& p : purgeCandidates(dir, today))
            if (fs::is_regular_file(p, ec) && fs::remove(p, ec))
                result.deleted.push_back(p);
        // A day's journal goes with its day file, never while the file stays.
        for (const auto& p : purgeCandidates(dir, today)) {
            if (fs::exists(fs::symlink_status(p, ec)))
                continue;
            for (const auto& j : journalsOf(p))
                if (fs::is_regular_file(j, ec) && fs::remove(j, ec))
                    result.deleted.push_back(j);
        }
    }
    // Only one copy of the program runs (start-up holds the lock), so any temporary
    // file of ours is a leftover of an interrupted save.
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        auto name = it->path().filename().string();
        if (name.rfind(kTempFilePrefix, 0) == 0 && it->is_regular_file(ec))
            fs::remove(it->path(), ec);
    }
    return result;
}

} // namespace kavro
