#pragma once
// Whether the desk left anything of a business day. Showing or loading a day creates its
// file empty, so an empty file tells nothing: neither that the desk worked that day (which
// the purge relies on to trust the clock) nor what the day's figures were (which the
// summary file keeps beyond the purge).
#include "core/records/civil_time.h"
#include "core/storage/day_file.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace kavro {

// At least one whole entry in the journal beside this day file.
bool journalHasEntries(const std::filesystem::path& dayFile);

// The day file holds bytes, or its journal holds an entry (the desk emptied the day by its
// own changes).
bool dayHoldsWork(const std::filesystem::path& dayFile);

// A day file read as `content` that tells nothing of its day: it holds no line, and its
// journal no entry.
bool tellsNothing(const DayContent& content, const std::filesystem::path& dayFile);

// The dates of the files named "yyyymmdd<suffix>" in the folder, ascending, each once.
std::vector<Date> datesOfFilesEndingIn(const std::filesystem::path& dir, std::string_view suffix);

} // namespace kavro
