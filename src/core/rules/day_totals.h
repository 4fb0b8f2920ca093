#pragma once
// The three day totals shown at the top right, and their captions.
#include "core/records/room_grid.h"
#include "core/storage/day_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

inline constexpr long kEmptyDayGroupNo = 100000;

struct DayTotals {
    long peopleTotal = 0;               // people of first records (ID divisible by 100)
    long minutesTotal = 0;              // minutes of every record, of every status
    long maxGroupNo = kEmptyDayGroupNo; // highest number at characters 4-9, at least 100000
};

// What one record line adds: its people when it is a first record, its minutes, its group
// number (0 without one).
struct RecordTotals {
    long people = 0;
    long minutes = 0;
    long groupNo = 0;
};
RecordTotals totalsOfRecord(std::string_view line);

// Kept lines count towards maxGroupNo where they carry a number, so a new booking can
// never repeat the number of a line the program could not read.
DayTotals computeTotals(const RoomGrid& grid, const std::vector<KeptLine>& kept = {});

// The same totals kept from one call to the next: a record is parsed again only when its
// cell's stamp changed, so that the save of one booking does not parse the whole day again.
class GridTotals {
public:
    DayTotals update(const RoomGrid& grid, const std::vector<KeptLine>& kept);

private:
    struct Cell {
        std::uint64_t stamp = 0; // of the grid cell the totals were taken from
        RecordTotals totals;
    };
    std::vector<Cell> cells_ = std::vector<Cell>(kRoomCount * kRecordsPerRoom);
};

std::string groupsCaption(long maxGroupNo);    // "5組"
std::string peopleCaption(long peopleTotal);   // "12人"
std::string minutesCaption(long minutesTotal); // "2：30"

// Halves to even, as the group counter has always been rounded.
long roundHalfEven(double value);

} // namespace kavro
