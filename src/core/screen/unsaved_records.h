#pragma once
// What the board shows that the day file does not hold. A save that failed leaves the
// clerk's change in the grid, so that the next save writes it; until then the desk must
// be able to tell at a glance which records exist only on screen.
#include "core/records/room_grid.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <string>
#include <vector>

namespace kavro {

// The record lines of the shown day as its file held them when last read or written.
using StoredRecords = std::vector<std::string>;
StoredRecords storedRecordsOf(const RoomGrid& grid);

struct UnsavedRecords {
    // Records on screen that the file lacks, by room and position.
    std::array<std::bitset<kRecordsPerRoom>, kRoomCount> cells{};
    // Records the file holds that are no longer on screen (a deletion not stored).
    std::size_t dropped = 0;

    bool at(int room, int position) const { return cells[room][position]; }
    bool any() const;
};

// Each stored line matches one grid record of the same text; what is left over on either
// side differs from the file.
UnsavedRecords unsavedRecords(const RoomGrid& grid, const StoredRecords& stored);

} // namespace kavro
