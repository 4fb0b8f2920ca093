#include "core/figures/day_figures.h"
#include "core/figures/report_period.h"
#include "core/records/cp932.h"
#include "core/rules/rollover.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

Date date(int y, unsigned m, unsigned d) { return Date{year{y}, month{m}, day{d}}; }
const Date kDay = date(2026, 12, 5); // a Saturday
const Date kNextDay = date(2026, 12, 6);

// A record line; start and end are "dd hh:nn" in December 2026.
std::string rec(const std::string& id, const std::string& start, const std::string& end, int people,
                const std::string& status) {
    return id + ",2026/12/" + start + ",1,2026/12/" + end + "," + std::to_string(people) + "," +
           id.substr(0, 3) + ",山田," + status;
}

DayContent content(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines)
        bytes += *encodeCp932(l) + "\r\n";
    return parseDayFile(bytes);
}

struct Expected {
    long parties, people, minutes, occupied, partyStay;
    int peak, unreadable;
};

struct FigureCase {
    const char* name;
    Date date;
    std::vector<std::string> lines;
    Expected expected;
};

class DayFiguresCase : public ::testing::TestWithParam<FigureCase> {};

TEST_P(DayFiguresCase, HandComputed) {
    const DayFigures f = figuresOfDay(GetParam().date, content(GetParam().lines));
    const Expected& e = GetParam().expected;
    EXPECT_EQ(f.parties, e.parties);
    EXPECT_EQ(f.people, e.people);
    EXPECT_EQ(f.minutes, e.minutes);
    EXPECT_EQ(f.occupiedMinutes, e.occupied);
    EXPECT_EQ(f.partyStayMinutes, e.partyStay);
    EXPECT_EQ(f.peakRooms, e.peak);
    EXPECT_EQ(f.unreadableLines, e.unreadable);
}

INSTANTIATE_TEST_SUITE_P(
    Days, DayFiguresCase,
    ::testing::Values(
        FigureCase{"OverlapInOneRoomIsOccupiedOnce",
                   kDay,
                   {rec("001100100", "05 10:00", "05 11:00", 2, "利用"),
                    rec("001100200", "05 10:30", "05 12:00", 3, "精算")},
                   {2, 5, 150, 120, 150, 1, 0}},
        FigureCase{"ExtensionChainIsOnePartyWithItsWholeMinutes",
                   kDay,
                   {rec("002100300", "05 11:00", "05 12:00", 4, "延長"),
                    rec("002100301", "05 12:00", "05 13:30", 4, "延長"),
                    rec("002100302", "05 13:30", "05 14:00", 4, "精算")},
                   {1, 4, 180, 180, 180, 1, 0}},
        FigureCase{"ReservationIsNoStay",
                   kDay,
                   {rec("003100400", "05 12:00", "05 13:00", 2, "予約")},
                   {0, 0, 0, 0, 0, 0, 0}},
        FigureCase{"StayCrossing0600CountsUpTo0600OnItsDay",
                   kDay,
                   {rec("004100500", "06 05:00", "06 07:00", 2, "通知")},
                   {1, 2, 60, 60, 120, 1, 0}},
        // The 06:00 change copied that stay into the next day's file under a new number.
        FigureCase{"CarriedCopyGivesTheNewDayItsMinutesButNoParty",
                   kNextDay,
                   {rec("004100200", "06 05:00", "06 07:00", 2, "通知"),
                    rec("001100100", "06 09:00", "06 10:00", 2, "予約")},
                   {0, 0, 60, 60, 0, 1, 0}},
        FigureCase{"StayWhollyOutsideTheDayAddsNothingButItsParty",
                   kDay,
                   {rec("005100600", "07 06:30", "07 07:00", 2, "精算")},
                   {1, 2, 0, 0, 30, 0, 0}},
        FigureCase{"UnreadableLinesAreCountedNotGuessed",
                   kDay,
                   {"garbage", rec("006100700", "05 10:00", "05 11:00", 2, "不明"),
                    rec("007100800", "05 11:00", "05 10:00", 2, "利用"),
                    rec("008100900", "05 10:00", "05 11:00", 3, "利用")},
                   {1, 3, 60, 60, 60, 1, 3}},
        FigureCase{"RoomsAtOnce",
                   kDay,
                   {rec("001100100", "05 10:00", "05 11:00", 1, "利用"),
                    rec("002100200", "05 10:59", "05 12:00", 1, "利用"),
                    rec("003100300", "05 11:00", "05 12:00", 1, "精算")},
                   {3, 3, 181, 181, 181, 2, 0}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(DayFigures, HoursRoomsAndRatios) {
    const DayFigures f = figuresOfDay(kDay, content({
                                                rec("001100100", "05 10:00", "05 11:00", 2, "利用"),
                                                rec("001100200", "05 10:30", "05 12:00", 3, "精算"),
                                                rec("034100300", "06 05:30", "06 06:30", 1, "延長"),
                                            }));
    EXPECT_EQ(f.hourRoomMinutes[4], 60); // 10:00-11:00
    EXPECT_EQ(f.hourRoomMinutes[5], 60);
    EXPECT_EQ(f.hourRoomMinutes[23], 30); // 05:30-06:00, the rest is the next day's
    EXPECT_EQ(f.roomHourMinutes[0][4], 60);
    EXPECT_EQ(f.roomHourMinutes[33][23], 30);
    EXPECT_EQ(f.rooms[0], (RoomFigures{2, 150, 120}));
    EXPECT_EQ(f.rooms[33], (RoomFigures{1, 30, 30}));
    EXPECT_DOUBLE_EQ(f.occupancy(), 150.0 / (34 * 1440));
    EXPECT_DOUBLE_EQ(f.turnover(), 3.0 / 34);
    EXPECT_DOUBLE_EQ(f.averageStayMinutes(), (60 + 90 + 60) / 3.0);
}

TEST(PeriodFigures, SumsDaysAndAveragesOnlyDaysWithFigures) {
    DayFigures a =
        figuresOfDay(kDay, content({rec("004100500", "06 05:00", "06 07:00", 2, "通知")}));
    DayFigures b =
        figuresOfDay(kNextDay, content({rec("004100200", "06 05:00", "06 07:00", 2, "通知")}));
    DayFigures none;
    none.date = date(2026, 12, 7);
    const PeriodFigures p = aggregate({a, b, none});
    // The stay across 06:00: one party, its two hours split one and one.
    EXPECT_EQ(p.parties, 1);
    EXPECT_EQ(p.minutes, 120);
    EXPECT_EQ(p.daysWithFigures, 2);
    EXPECT_EQ(p.daysWithoutFigures, 1);
    EXPECT_DOUBLE_EQ(p.occupancy(), 120.0 / (34 * 1440 * 2));
    EXPECT_DOUBLE_EQ(p.roomTurnover(3), 0.5);
    EXPECT_DOUBLE_EQ(p.averageStayMinutes(), 120);
    EXPECT_DOUBLE_EQ(p.weekdayHourRooms[5][23], 1.0); // Saturday 05:00-06:00
    EXPECT_DOUBLE_EQ(p.weekdayHourRooms[6][0], 1.0);  // Sunday 06:00-07:00
}

TEST(PeriodFigures, ReservationsLeftUnarrivedTheBusiestHourAndThePartySize) {
    const DayFigures a = figuresOfDay(
        kDay, content({rec("001100100", "05 10:00", "05 11:00", 2, "予約"),
                       rec("001100101", "05 11:00", "05 12:00", 2, "予約"), // its extension
                       rec("002100200", "05 10:00", "05 12:00", 3, "精算"), // came
                       rec("003100300", "05 21:00", "05 22:00", 2, "予約")}));
    EXPECT_EQ(a.unarrivedReservations, 2);
    const DayFigures b =
        figuresOfDay(kNextDay, content({rec("004100100", "06 11:30", "06 13:00", 4, "利用"),
                                        rec("005100200", "06 09:00", "06 10:00", 2, "予約")}));
    const PeriodFigures p = aggregate({a, b});
    EXPECT_EQ(p.unarrivedReservations, 3);
    EXPECT_DOUBLE_EQ(p.averagePartySize(), 3.5);
    EXPECT_EQ(p.busiestHour(), 5) << "11:00-12:00: 60 + 30 room-minutes";
    EXPECT_DOUBLE_EQ(p.averageRoomsInHour(5), 90.0 / 120);
    EXPECT_EQ(aggregate({figuresOfDay(kDay, content({}))}).busiestHour(), std::nullopt);
}

struct PeriodCase {
    const char* name;
    PeriodKind kind;
    Date date;
    int steps;
    Date first, last;
};

class PeriodShift : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodShift, NeighbouringPeriods) {
    const auto& c = GetParam();
    const Period p = shiftPeriod(periodContaining(c.kind, c.date), c.steps);
    EXPECT_EQ(p.first, c.first);
    EXPECT_EQ(p.last, c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, PeriodShift,
    ::testing::Values(PeriodCase{"Day", PeriodKind::Day, kDay, 0, kDay, kDay},
                      PeriodCase{"NextDayCrossesTheMonth", PeriodKind::Day, date(2026, 11, 30), 1,
                                 date(2026, 12, 1), date(2026, 12, 1)},
                      PeriodCase{"WeekIsMondayToSunday", PeriodKind::Week, kDay, 0,
                                 date(2026, 11, 30), date(2026, 12, 6)},
                      PeriodCase{"PreviousWeek", PeriodKind::Week, kNextDay, -1, date(2026, 11, 23),
                                 date(2026, 11, 29)},
                      PeriodCase{"Month", PeriodKind::Month, kDay, 0, date(2026, 12, 1),
                                 date(2026, 12, 31)},
                      PeriodCase{"NextMonthIntoALeapFebruary", PeriodKind::Month, date(2028, 1, 31),
                                 1, date(2028, 2, 1), date(2028, 2, 29)},
                      PeriodCase{"PreviousMonthAcrossTheYear", PeriodKind::Month, date(2027, 1, 15),
                                 -1, date(2026, 12, 1), date(2026, 12, 31)}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PeriodShift, RangeMovesByItsLength) {
    const Period r = rangeBetween(date(2026, 12, 10), date(2026, 12, 1));
    EXPECT_EQ(r.dayCount(), 10);
    const Period next = shiftPeriod(r, 1);
    EXPECT_EQ(next.first, date(2026, 12, 11));
    EXPECT_EQ(next.last, date(2026, 12, 20));
}

// ---- a stay extended across 06:00, carried into the new day ----

struct AcrossCase {
    const char* name;
    std::vector<std::string> ending; // room 003's records on the ending day
    std::vector<std::string> carried;
    long endingMinutes, newDayMinutes; // the party and its 3 people count on the ending day
};
void PrintTo(const AcrossCase& c, std::ostream* os) { *os << c.name; }

class CarriedAcrossSix : public ::testing::TestWithParam<AcrossCase> {};

TEST_P(CarriedAcrossSix, ThePartyCountsOnTheDayItCameAndEachMinuteOnItsOwnDay) {
    const AcrossCase& c = GetParam();
    const Carry carry = carryOver(c.ending, businessDayEnd(kDay), 100500, {});
    EXPECT_EQ(carry.lines, c.carried);
    const DayFigures before = figuresOfDay(kDay, content(c.ending));
    const DayFigures after = figuresOfDay(kNextDay, content(carry.lines));
    EXPECT_EQ(std::tuple(before.parties, before.people, before.minutes),
              std::tuple(1L, 3L, c.endingMinutes));
    EXPECT_EQ(std::tuple(after.parties, after.people, after.minutes),
              std::tuple(0L, 0L, c.newDayMinutes));
}

INSTANTIATE_TEST_SUITE_P(
    Stays, CarriedAcrossSix,
    ::testing::Values(AcrossCase{"PlainStay",
                                 {rec("003100100", "06 05:00", "06 07:00", 3, "利用")},
                                 {rec("003100600", "06 05:00", "06 07:00", 3, "利用")},
                                 60,
                                 60},
                      AcrossCase{"ExtendedAtSix",
                                 {rec("003100100", "06 04:00", "06 06:00", 3, "延長"),
                                  rec("003100101", "06 06:00", "06 07:00", 3, "利用")},
                                 {rec("003100601", "06 06:00", "06 07:00", 3, "利用")},
                                 120,
                                 60},
                      AcrossCase{"ExtendedAfterSix",
                                 {rec("003100100", "06 05:00", "06 06:30", 3, "延長"),
                                  rec("003100101", "06 06:30", "06 07:00", 3, "利用")},
                                 {rec("003100600", "06 05:00", "06 06:30", 3, "延長"),
                                  rec("003100601", "06 06:30", "06 07:00", 3, "利用")},
                                 60,
                                 60}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kavro
