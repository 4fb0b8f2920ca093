#pragma once
// The records of a room that cover a moment: what a press selects, and what the bar's
// tooltip speaks of.
#include "core/records/civil_time.h"
#include "core/records/record.h"
#include "core/records/room_grid.h"

#include <optional>

namespace kavro {

// The record runs over t (both ends included: a press on an end selects it).
bool recordCovers(const RecordFields& record, DateTime t);
// The last record of the room that covers t, as a press leaves it selected.
std::optional<RecordFields> lastRecordAt(const RoomGrid& grid, int room, DateTime t);

} // namespace kavro
