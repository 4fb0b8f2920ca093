#pragma once
// A full business day for measurements: 34 rooms x 48 records, Japanese names, every
// status, spread over the whole day with many inside the board's window.
#include "ledger/civil_time.h"

#include <string>
#include <vector>

namespace kavro::bench {

// Lines of a day (UTF-8) for the business date, with `recordsPerRoom` records in each room.
// The records of a room never leave a party in the room ("利用"/"通知" only in the past),
// so a check-in into room `freeRoom` at `checkInStart` is accepted.
std::vector<std::string> fullDayLines(Date businessDate, int recordsPerRoom);

} // namespace kavro::bench
