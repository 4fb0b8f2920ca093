#pragma once
// Days for measurements: up to 34 rooms x 48 records, Japanese names, every status, the
// records spread over the whole business day so that many fall inside the board's window.
#include "core/records/civil_time.h"

#include <optional>
#include <string>
#include <vector>

namespace kavro::bench {

// Records are 30-minute slots; slot s starts 30 x s minutes after 06:00 (0 <= s < 48).
inline constexpr int kSlotsPerDay = 48;

// A place left free for a check-in: the room has no record at the slot, nothing that
// refuses a one-hour check-in there (no "利用" in the room, no "予約" in the slot after).
struct FreeSpot {
    int room = 0;
    int slot = 0;
};

// Lines of a day (UTF-8) for the business date with `recordsPerRoom` records in each room,
// evenly spaced over the day, room by room as the program writes them. Parties are still in a room
// ("利用", "通知") only in the afternoon, so a clock in the evening sees the alarm and every colour
// of the board.
std::vector<std::string> fullDayLines(Date businessDate, int recordsPerRoom,
                                      std::optional<FreeSpot> free = std::nullopt);

// The day file's bytes for the lines: CP932, CR LF.
std::string dayFileBytes(const std::vector<std::string>& lines);

} // namespace kavro::bench
