#pragma once
// How the rooms were used: the figures of one business day, taken from its day file, and
// their sums over a period. No names: these figures outlive the day files.
//
// Which records count. "利用", "延長", "通知" and "精算" are stays; "予約" (guests not yet
// arrived) is not. A party is the first record of a booking (sub-number 00), as the main
// window counts groups; its continuation records (extensions) add minutes, never parties
// or people. A line the program cannot read, a record with an unknown status word or with
// an end before its start is counted as unreadable and adds nothing else.
//
// The day's bounds. Every stay is clipped to the business day, 06:00 to 06:00, so a stay
// crossing 06:00 is split: the ending day counts it up to 06:00, the new day from 06:00.
// The 06:00 change copies such a stay into the new day's file as a booking of its own: a
// new group number, and every record of the booking that ends after 06:00 with its own
// sub-number and its old start (a base record running past 06:00 comes with its
// extension, so the new day has 06:00 up to the extension too). The copy must not make a
// second party: a base record (sub-number 00) counts a party only on the business day it
// starts in, and an extension copied without its base is a continuation as it was. The
// copies give the new day its minutes after 06:00 and nothing else. A stay that was never
// copied (the program was not running at 06:00, or a second booking of the same room ran
// past 06:00, which the change does not copy) is counted up to 06:00 only: its later part
// is in no file of the new day.
#include "core/records/civil_time.h"
#include "core/records/room_grid.h"
#include "core/storage/day_file.h"

#include <array>
#include <optional>
#include <vector>

namespace kavro {

inline constexpr int kHoursPerDay = 24;
inline constexpr int kMinutesPerDay = 24 * 60;

// Where a day's figures were taken from.
enum class FiguresSource {
    None,    // neither a day file nor a summary line: the day has no figures
    DayFile, // the day file, with every detail
    Summary, // the summary line of a day whose file is gone: no room-by-hour detail
};

struct RoomFigures {
    long parties = 0;
    long minutes = 0;         // minutes of its stays, overlaps counted twice
    long occupiedMinutes = 0; // minutes in which at least one stay held the room

    friend bool operator==(const RoomFigures&, const RoomFigures&) = default;
};

struct DayFigures {
    Date date{};
    FiguresSource source = FiguresSource::None;
    long parties = 0;
    long people = 0;
    long minutes = 0;          // minutes of all stays within the day
    long occupiedMinutes = 0;  // sum over the rooms of the union of their stays
    long partyStayMinutes = 0; // sum over the parties of the minutes of their whole chains
    int peakRooms = 0;         // most rooms in use at once
    int unreadableLines = 0;
    // Bookings whose base record is still "予約" in the file: on a past day, reservations
    // that never became stays; on today's, those not arrived yet.
    long unarrivedReservations = 0;
    // Room-minutes in use per hour of the business day (index 0 = 06:00-07:00).
    std::array<long, kHoursPerDay> hourRoomMinutes{};
    std::array<RoomFigures, kRoomCount> rooms{};
    // Minutes in use (0-60) per room and hour: only when the day file was read.
    bool hasRoomHours = false;
    std::array<std::array<unsigned char, kHoursPerDay>, kRoomCount> roomHourMinutes{};

    double occupancy() const; // 0..1: occupiedMinutes / (34 rooms x 24 h)
    double turnover() const;  // parties per room
    double averageStayMinutes() const;

    friend bool operator==(const DayFigures&, const DayFigures&) = default;
};

// The figures of one business day from its day file's content.
DayFigures figuresOfDay(Date businessDate, const DayContent& content);

struct PeriodFigures {
    std::vector<DayFigures> days; // one per date of the period, in order
    long parties = 0, people = 0, minutes = 0, occupiedMinutes = 0, partyStayMinutes = 0;
    int peakRooms = 0;
    int unreadableLines = 0;
    long unarrivedReservations = 0;
    std::array<long, kHoursPerDay> hourRoomMinutes{}; // summed over the days
    int daysWithFigures = 0;                          // days whose source is not None
    int daysFromSummary = 0;                          // days whose file is gone
    int daysWithoutFigures = 0;
    std::array<RoomFigures, kRoomCount> rooms{};
    // Average rooms in use per weekday (0 = Monday) and hour of the business day, over the
    // days with figures; weekdayDays counts those days.
    std::array<std::array<double, kHoursPerDay>, 7> weekdayHourRooms{};
    std::array<int, 7> weekdayDays{};

    double occupancy() const; // over the days with figures
    double turnover() const;  // parties per room and day with figures
    double averageStayMinutes() const;
    double averagePartySize() const; // people per party
    // The hour of the business day (0 = 06:00-07:00) with the most room-minutes, the
    // earliest of equals; none when no room was used.
    std::optional<int> busiestHour() const;
    double averageRoomsInHour(int hour) const; // per day with figures
    double roomOccupancy(int room) const;
    double roomTurnover(int room) const; // parties per day with figures
};

PeriodFigures aggregate(std::vector<DayFigures> days);

// 0 = Monday ... 6 = Sunday.
int weekdayIndex(Date date);

} // namespace kavro
