#pragma once
// The three day totals shown at the top right, and their captions.
#include "core/records/room_grid.h"
#include "core/storage/day_file.h"

#include <string>
#include <vector>

namespace kavro {

inline constexpr long kEmptyDayGroupNo = 100000;

struct DayTotals {
    long peopleTotal = 0;               // people of first records (ID divisible by 100)
    long minutesTotal = 0;              // minutes of every record, of every status
    long maxGroupNo = kEmptyDayGroupNo; // highest number at characters 4-9, at least 100000
};

// Kept lines count towards maxGroupNo where they carry a number, so a new booking can
// never repeat the number of a line the program could not read.
DayTotals computeTotals(const RoomGrid& grid, const std::vector<KeptLine>& kept = {});

std::string groupsCaption(long maxGroupNo);    // "5組"
std::string peopleCaption(long peopleTotal);   // "12人"
std::string minutesCaption(long minutesTotal); // "2：30"

// Halves to even, as the group counter has always been rounded.
long roundHalfEven(double value);

} // namespace kavro
