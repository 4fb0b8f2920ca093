#include "core/rules/day_totals.h"

#include "core/records/civil_time.h"
#include "core/records/record.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kavro {

long roundHalfEven(double value) {
    double f = std::floor(value);
    double diff = value - f;
    if (diff > 0.5)
        return static_cast<long>(f) + 1;
    if (diff < 0.5)
        return static_cast<long>(f);
    long fl = static_cast<long>(f);
    return fl % 2 == 0 ? fl : fl + 1;
}

DayTotals computeTotals(const RoomGrid& grid, const std::vector<KeptLine>& kept) {
    DayTotals t;
    for (int room = 0; room < kRoomCount; ++room) {
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& line = grid.at(room, pos);
            if (line.empty())
                continue;
            const std::size_t fields = fieldCount(line);
            const RecordView f = viewFields(line);
            if (auto id = idNumber(line); id && *id % 100 == 0 && fields > FPeople)
                t.peopleTotal += std::atol(std::string(f.people).c_str());
            if (fields > FEnd) {
                auto s = parseDateTime(f.start);
                auto e = parseDateTime(f.end);
                if (s && e)
                    t.minutesTotal += minuteDiff(*s, *e);
            }
            if (auto g = groupNumberOf(line); g && *g > t.maxGroupNo)
                t.maxGroupNo = *g;
        }
    }
    for (const auto& k : kept)
        if (auto g = groupNumberOf(k.bytes); g && *g > t.maxGroupNo)
            t.maxGroupNo = *g;
    return t;
}

std::string groupsCaption(long maxGroupNo) {
    return std::to_string(roundHalfEven(maxGroupNo / 100.0) - 1000) + "組";
}

std::string peopleCaption(long peopleTotal) { return std::to_string(peopleTotal) + "人"; }

std::string minutesCaption(long minutesTotal) {
    // A negative total (ends typed before starts) shows its sign once, not on both parts.
    long m = std::labs(minutesTotal);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%ld", minutesTotal < 0 ? "-" : "", m / 60);
    char mm[8];
    std::snprintf(mm, sizeof mm, "%02ld", m % 60);
    return std::string(buf) + "：" + mm;
}

} // namespace kavro
