#pragma once
// What the clock tick tells the desk: which rooms need attention, whether the alarm
// sounds, and the rooms in use by remaining minutes. Recomputed from scratch every tick.
#include "core/records/civil_time.h"
#include "core/records/room_grid.h"

#include <array>
#include <string>
#include <vector>

namespace kavro {

// A stay this close to its end (in minutes) needs the 10-minute call.
inline constexpr long kAlarmThresholdMinutes = 11;

enum class RoomAlert {
    None,    // white
    Near,    // yellow: a stay is about to end and nobody has called the room
    Called,  // light pink: about to end, the room has been called
    Overdue, // red: a stay has reached or passed its end
};

struct RoomAlerts {
    std::array<RoomAlert, kRoomCount> rooms{};
    // Remaining-time list lines, "room remaining  name", ascending by remaining minutes.
    std::vector<std::string> listItems;
    // Records that switch the alarm on; each one beeps once at once.
    int alarmRecords = 0;
};

// Only stays ("利用") and called stays ("通知") take part. When a room holds several, the
// last one in position order decides its colour.
RoomAlerts computeRoomAlerts(const RoomGrid& grid, DateTime clockNow);

// At least three digits, minus sign before them: 5 -> "005", -3 -> "-003".
std::string formatRemaining(long minutes);

// The clock instant of a tick. While another day is shown, the time of day is projected
// onto that business day (hours below 6 fall on the next calendar date).
DateTime tickClock(DateTime now, int dayOffset, Date shownDate);

} // namespace kavro
