#include "ledger/day_purge.h"

#include "ledger/atomic_file.h"
#include "ledger/day_file.h"
#include "ledger/journal_file.h"

namespace kavro {

namespace fs = std::filesystem;

std::vector<fs::path> purgeCandidates(const fs::path& dir, Date today) {
    std::vector<fs::path> out;
    for (int n = 30; n <= 60; ++n)
        out.push_back(dayFilePath(dir, addDays(today, -n)));
    return out;
}

PurgeResult purgeOldDayFiles(const fs::path& dir, Date today) {
    PurgeResult result;
    std::error_code ec;
    std::vector<fs::path> old;
    for (const auto& p : purgeCandidates(dir, today))
        if (fs::is_regular_file(p, ec))
            old.push_back(p);
    bool recentDayFile = false;
    for (int n = 0; n <= kRecentDaysChecked && !recentDayFile; ++n)
        recentDayFile = fs::exists(dayFilePath(dir, addDays(today, -n)), ec);
    result.clockDistrusted = !old.empty() && !recentDayFile;
    if (!result.clockDistrusted)
        for (const auto& p : old)
            if (fs::remove(p, ec))
                result.deleted.push_back(p);
    // A day's journal goes with its day file, never while the file stays.
    for (const auto& p : purgeCandidates(dir, today)) {
        if (result.clockDistrusted || fs::exists(fs::symlink_status(p, ec)))
            continue;
        const fs::path journal = journalPathFor(p);
        fs::path damaged = journal;
        damaged += ".damaged";
        for (const auto& j : {journal, damaged})
            if (fs::is_regular_file(j, ec) && fs::remove(j, ec))
                result.deleted.push_back(j);
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
