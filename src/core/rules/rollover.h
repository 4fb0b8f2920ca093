#pragma once
// The 06:00 day change: when it is due, and what the ending day hands over to the new one.
#include "core/records/civil_time.h"
#include "core/storage/day_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kavro {

// The latest 06:00 in (previous, now]: the day change the clock passed between two ticks.
// None when no 06:00 lies between them, or when the clock went backwards.
std::optional<DateTime> dayChangePassed(DateTime previous, DateTime now);

// Every 06:00 in (previous, now], oldest first: a machine that slept over two nights
// passes two day changes at once, and the day in between gets its carried stays too.
// A clock moved years ahead would make a file for every day passed; no stay runs for a
// month, so only the latest changes are kept.
inline constexpr std::size_t kMaxDayChangesCarried = 31;
std::vector<DateTime> dayChangesPassed(DateTime previous, DateTime now);

// The highest number at characters 4-9 of any line of a day file, at least 100000.
long highestGroupNumber(const DayContent& day);

struct Carry {
    std::vector<std::string> lines; // the lines to append, rooms ascending
    long maxGroupNo = 0;            // the new day's highest number once they are added
};

// The stays of the ending day that run past its end, renumbered for the new day.
// endingDay: the ending day's record lines in file order. For each room only one booking is
// carried: the one of the last record ending strictly after endingDayEnd, with every record
// of it that ends after endingDayEnd (a base record and its extension both, when the base
// runs past 06:00). Every booking running past the end takes a group number (the next
// multiple of 100), so the carried one has the highest. Each copy keeps the room code of
// its old ID, its own sub-number (an extension copied alone stays a continuation: no new
// party) and everything after the ID. A copy whose text after the ID already stands in
// newDayLines is left out, so a repeated change adds nothing.
Carry carryOver(const std::vector<std::string>& endingDay, DateTime endingDayEnd,
                long newDayMaxGroupNo, const std::vector<std::string>& newDayLines);

// The record texts of a day and those of its kept lines that decode, in file order.
std::vector<std::string> lineTexts(const DayContent& day);

// The day file with lines appended after its existing lines, which keep their order and
// their bytes (blank lines aside).
RenderResult renderWithAppended(const DayContent& day, const std::vector<std::string>& lines);

// The 06:00 carry on disk: appends the stays of the ending day's file that run past its end
// to the new day's file (created empty when missing, even when nothing is carried). Returns
// an error text naming the file when one could not be read or written. The carry is journaled
// (繰越, at `now`) in the new day's journal before the file is replaced.
std::optional<std::string> carryIntoNewDay(const std::filesystem::path& dir, Date endingDate,
                                           Date newDate, DateTime now);

} // namespace kavro
