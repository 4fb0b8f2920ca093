#include "core/screen/room_alerts.h"

#include "core/records/record.h"

#include <cstdio>
#include <cstdlib>

namespace kavro {

std::string formatRemaining(long minutes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%03ld", minutes < 0 ? "-" : "", std::labs(minutes));
    return buf;
}

RoomAlerts computeRoomAlerts(const RoomGrid& grid, DateTime clockNow) {
    RoomAlerts out;
    std::vector<long> order; // remaining minutes of listItems, index for index
    for (int room = 0; room < kRoomCount; ++room) {
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& line = grid.at(room, pos);
            if (line.empty())
                continue;
            const std::string status = statusOf(line);
            const bool called = status == kStatusNotified;
            if (status != kStatusUse && !called)
                continue;
            const RecordFields f = parseFields(line);
            const auto end = parseDateTime(f.end);
            if (!end)
                continue;
            const long remaining = minuteDiff(clockNow, *end);

            if (remaining > 0 && remaining <= kAlarmThresholdMinutes) {
                out.rooms[room] = called ? RoomAlert::Called : RoomAlert::Near;
                if (!called)
                    ++out.alarmRecords;
            } else if (remaining <= 0) {
                out.rooms[room] = RoomAlert::Overdue;
                ++out.alarmRecords;
            }

            // Placed after every line with fewer minutes: among equals the record read
            // last comes first.
            std::size_t at = 0;
            for (long r : order)
                if (r < remaining)
                    ++at;
            order.insert(order.begin() + static_cast<long>(at), remaining);
            out.listItems.insert(out.listItems.begin() + static_cast<long>(at),
                                 f.room + " " + formatRemaining(remaining) + "  " + f.name);
        }
    }
    return out;
}

DateTime tickClock(DateTime now, int dayOffset, Date shownDate) {
    if (dayOffset == 0)
        return now;
    const Date date = hourOf(now) < 6 ? addDays(shownDate, 1) : shownDate;
    return makeDateTime(date, hourOf(now), minuteOf(now), secondOf(now));
}

} // namespace kavro
