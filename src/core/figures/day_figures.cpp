#include "core/figures/day_figures.h"

#include "core/records/record.h"

#include <algorithm>
#include <bitset>
#include <charconv>
#include <string_view>
#include <unordered_map>

namespace kavro {

namespace {

bool isStay(std::string_view status) {
    return status == kStatusUse || status == kStatusExtended || status == kStatusNotified ||
           status == kStatusSettled;
}

long toLong(std::string_view digits) {
    long value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

double ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

} // namespace

double DayFigures::occupancy() const {
    return ratio(static_cast<double>(occupiedMinutes), double(kRoomCount) * kMinutesPerDay);
}
double DayFigures::turnover() const { return ratio(static_cast<double>(parties), kRoomCount); }
double DayFigures::averageStayMinutes() const {
    return ratio(static_cast<double>(partyStayMinutes), static_cast<double>(parties));
}

DayFigures figuresOfDay(Date businessDate, const DayContent& content) {
    DayFigures out;
    out.date = businessDate;
    out.source = FiguresSource::DayFile;
    out.hasRoomHours = true;
    out.unreadableLines = static_cast<int>(content.kept.size());

    const DateTime dayStart = businessDayStart(businessDate);
    std::array<std::bitset<kMinutesPerDay>, kRoomCount> inUse;
    // Minutes of each booking's whole chain, keyed by room code and group number.
    std::unordered_map<std::string_view, long> chainMinutes;
    std::vector<std::string_view> partyChains;

    for (const ReadRecord& rec : content.records) {
        const RecordView f = viewFields(rec.text);
        if (f.status == kStatusReserved) {
            out.unarrivedReservations += f.id.substr(7) == "00";
            continue;
        }
        // Well-formed records have a valid room and parseable times.
        const auto start = parseDateTime(f.start);
        const auto end = parseDateTime(f.end);
        const auto room = roomIndexOfCode(f.room);
        if (!isStay(f.status) || !start || !end || !room || *end < *start) {
            ++out.unreadableLines;
            continue;
        }
        const long length = minuteDiff(*start, *end);
        const std::string_view chainKey = f.id.substr(0, 7);
        chainMinutes[chainKey] += length;
        if (f.id.substr(7) == "00" && *start >= dayStart) {
            partyChains.push_back(chainKey);
            ++out.parties;
            ++out.rooms[*room].parties;
            out.people += toLong(f.people);
        }
        // Clipped to the day: a stay carried over 06:00 starts here at 06:00.
        const long from = std::clamp(minuteDiff(dayStart, *start), 0L, long(kMinutesPerDay));
        const long to = std::clamp(minuteDiff(dayStart, *end), 0L, long(kMinutesPerDay));
        out.minutes += to - from;
        out.rooms[*room].minutes += to - from;
        for (long m = from; m < to; ++m)
            inUse[*room].set(static_cast<std::size_t>(m));
    }

    for (const auto key : partyChains)
        out.partyStayMinutes += chainMinutes[key];

    std::array<unsigned char, kMinutesPerDay> roomsAtMinute{};
    for (int room = 0; room < kRoomCount; ++room) {
        const auto& bits = inUse[room];
        if (bits.none())
            continue;
        out.rooms[room].occupiedMinutes = static_cast<long>(bits.count());
        out.occupiedMinutes += out.rooms[room].occupiedMinutes;
        for (int m = 0; m < kMinutesPerDay; ++m)
            if (bits[static_cast<std::size_t>(m)]) {
                ++roomsAtMinute[m];
                ++out.roomHourMinutes[room][m / 60];
            }
    }
    for (int m = 0; m < kMinutesPerDay; ++m) {
        out.peakRooms = std::max<int>(out.peakRooms, roomsAtMinute[m]);
        out.hourRoomMinutes[m / 60] += roomsAtMinute[m];
    }
    return out;
}

int weekdayIndex(Date date) {
    const std::chrono::weekday wd{std::chrono::sys_days{date}};
    return static_cast<int>(wd.iso_encoding()) - 1;
}

double PeriodFigures::occupancy() const {
    return ratio(static_cast<double>(occupiedMinutes),
                 double(kRoomCount) * kMinutesPerDay * daysWithFigures);
}
double PeriodFigures::turnover() const {
    return ratio(static_cast<double>(parties), double(kRoomCount) * daysWithFigures);
}
double PeriodFigures::averageStayMinutes() const {
    return ratio(static_cast<double>(partyStayMinutes), static_cast<double>(parties));
}
double PeriodFigures::averagePartySize() const {
    return ratio(static_cast<double>(people), static_cast<double>(parties));
}
std::optional<int> PeriodFigures::busiestHour() const {
    const auto most = std::max_element(hourRoomMinutes.begin(), hourRoomMinutes.end());
    if (*most == 0)
        return std::nullopt;
    return static_cast<int>(most - hourRoomMinutes.begin());
}
double PeriodFigures::averageRoomsInHour(int hour) const {
    return ratio(static_cast<double>(hourRoomMinutes[hour]), 60.0 * daysWithFigures);
}
double PeriodFigures::roomOccupancy(int room) const {
    return ratio(static_cast<double>(rooms[room].occupiedMinutes),
                 double(kMinutesPerDay) * daysWithFigures);
}
double PeriodFigures::roomTurnover(int room) const {
    return ratio(static_cast<double>(rooms[room].parties), daysWithFigures);
}

PeriodFigures aggregate(std::vector<DayFigures> days) {
    PeriodFigures p;
    std::array<std::array<long, kHoursPerDay>, 7> weekdayHourMinutes{};
    for (const DayFigures& d : days) {
        if (d.source == FiguresSource::None) {
            ++p.daysWithoutFigures;
            continue;
        }
        ++p.daysWithFigures;
        if (d.source == FiguresSource::Summary)
            ++p.daysFromSummary;
        p.parties += d.parties;
        p.people += d.people;
        p.minutes += d.minutes;
        p.occupiedMinutes += d.occupiedMinutes;
        p.partyStayMinutes += d.partyStayMinutes;
        p.peakRooms = std::max(p.peakRooms, d.peakRooms);
        p.unreadableLines += d.unreadableLines;
        p.unarrivedReservations += d.unarrivedReservations;
        for (int r = 0; r < kRoomCount; ++r) {
            p.rooms[r].parties += d.rooms[r].parties;
            p.rooms[r].minutes += d.rooms[r].minutes;
            p.rooms[r].occupiedMinutes += d.rooms[r].occupiedMinutes;
        }
        const int wd = weekdayIndex(d.date);
        ++p.weekdayDays[wd];
        for (int h = 0; h < kHoursPerDay; ++h) {
            weekdayHourMinutes[wd][h] += d.hourRoomMinutes[h];
            p.hourRoomMinutes[h] += d.hourRoomMinutes[h];
        }
    }
    for (int wd = 0; wd < 7; ++wd)
        for (int h = 0; h < kHoursPerDay; ++h)
            p.weekdayHourRooms[wd][h] =
                ratio(static_cast<double>(weekdayHourMinutes[wd][h]), 60.0 * p.weekdayDays[wd]);
    p.days = std::move(days);
    return p;
}

} // namespace kavro
