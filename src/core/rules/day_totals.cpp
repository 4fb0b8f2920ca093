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

RecordTotals totalsOfRecord(std::string_view line) {
    RecordTotals t;
    if (line.empty())
        return t;
    const std::size_t fields = fieldCount(line);
    const RecordView f = viewFields(line);
    if (auto id = idNumber(line); id && *id % 100 == 0 && fields > FPeople)
        t.people = std::atol(std::string(f.people).c_str());
    if (fields > FEnd) {
        auto s = parseDateTime(f.start);
        auto e = parseDateTime(f.end);
        if (s && e)
            t.minutes = minuteDiff(*s, *e);
    }
    t.groupNo = groupNumberOf(line).value_or(0);
    return t;
}

namespace {

void add(DayTotals& t, const RecordTotals& r) {
    t.peopleTotal += r.people;
    t.minutesTotal += r.minutes;
    if (r.groupNo > t.maxGroupNo)
        t.maxGroupNo = r.groupNo;
}

void addKept(DayTotals& t, const std::vector<KeptLine>& kept) {
    for (const auto& k : kept)
        if (auto g = groupNumberOf(k.bytes); g && *g > t.maxGroupNo)
            t.maxGroupNo = *g;
}

} // namespace

DayTotals computeTotals(const RoomGrid& grid, const std::vector<KeptLine>& kept) {
    return GridTotals{}.update(grid, kept);
}

DayTotals GridTotals::update(const RoomGrid& grid, const std::vector<KeptLine>& kept) {
    DayTotals t;
    for (int room = 0; room < kRoomCount; ++room)
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            Cell& cell = cells_[static_cast<std::size_t>(room * kRecordsPerRoom + pos)];
            if (cell.stamp != grid.stamp(room, pos)) {
                cell.stamp = grid.stamp(room, pos);
                cell.totals = totalsOfRecord(grid.at(room, pos));
            }
            add(t, cell.totals);
        }
    addKept(t, kept);
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
