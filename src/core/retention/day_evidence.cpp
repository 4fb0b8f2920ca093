#include "core/retention/day_evidence.h"

#include "core/journal/journal.h"
#include "core/journal/journal_file.h"
#include "core/storage/atomic_file.h"

#include <algorithm>
#include <sys/stat.h>

namespace kavro {

namespace fs = std::filesystem;

bool journalHasEntries(const fs::path& dayFile) {
    std::string bytes;
    if (readRegularFile(journalPathFor(dayFile), bytes) != 0)
        return false;
    return !parseJournal(bytes).entries.empty();
}

bool dayHoldsWork(const fs::path& dayFile) {
    struct stat st {};
    if (::stat(dayFile.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        return true;
    return journalHasEntries(dayFile);
}

bool tellsNothing(const DayContent& content, const fs::path& dayFile) {
    return content.records.empty() && content.kept.empty() && !journalHasEntries(dayFile);
}

std::vector<Date> datesOfFilesEndingIn(const fs::path& dir, std::string_view suffix) {
    std::vector<Date> dates;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != 8 + suffix.size() || name.substr(8) != suffix)
            continue;
        if (auto date = parseYmd(name.substr(0, 8)); date && it->is_regular_file(ec))
            dates.push_back(*date);
    }
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    return dates;
}

} // namespace kavro
