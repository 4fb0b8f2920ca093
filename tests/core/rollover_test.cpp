#include "core/journal/journal_file.h"
#include "core/records/cp932.h"
#include "core/records/record.h"
#include "core/rules/booking_chain.h"
#include "core/rules/day_totals.h"
#include "core/rules/rollover.h"
#include "core/screen/booking_list_line.h"
#include "core/screen/room_alerts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

DateTime dt(unsigned d, int hh, int mm, int ss = 0) {
    return makeDateTime(Date{year{2026}, month{12}, day{d}}, hh, mm, ss);
}

// The end of the business day 2026/12/05.
const DateTime kEnd = dt(6, 6, 0);

std::string rec(const std::string& id, const std::string& start, const std::string& end,
                const std::string& room, const std::string& status,
                const std::string& name = "山田") {
    return id + ",2026/12/" + start + ",2," + "2026/12/" + end + ",3," + room + "," + name + "," +
           status;
}

// ---- when the day changes ----

struct ChangeCase {
    const char* name;
    DateTime previous, now;
    std::optional<DateTime> expected;
};

class DayChangePassed : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(DayChangePassed, FindsThe0600BetweenTwoTicks) {
    EXPECT_EQ(dayChangePassed(GetParam().previous, GetParam().now), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, DayChangePassed,
    ::testing::Values(
        ChangeCase{"FirstTickOfTheMinute", dt(6, 5, 59, 30), dt(6, 6, 0, 0), dt(6, 6, 0)},
        ChangeCase{"SecondTickOfTheMinute", dt(6, 6, 0, 0), dt(6, 6, 0, 30), std::nullopt},
        ChangeCase{"DelayedTick", dt(6, 5, 59, 50), dt(6, 6, 1, 5), dt(6, 6, 0)},
        ChangeCase{"BeforeSix", dt(6, 5, 59, 0), dt(6, 5, 59, 59), std::nullopt},
        ChangeCase{"Midnight", dt(5, 23, 59, 50), dt(6, 0, 0, 20), std::nullopt},
        ChangeCase{"ClockSetBack", dt(6, 6, 0, 10), dt(6, 5, 59, 50), std::nullopt},
        ChangeCase{"SameInstant", dt(6, 6, 0, 0), dt(6, 6, 0, 0), std::nullopt},
        ChangeCase{"TwoDaysAsleepTakesTheLatest", dt(5, 5, 0), dt(7, 7, 0), dt(7, 6, 0)}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(DayChangesPassed, EverySixOClockInOrderAndOnlyAMonthOfThem) {
    EXPECT_EQ(dayChangesPassed(dt(5, 5, 0), dt(7, 7, 0)),
              (std::vector<DateTime>{dt(5, 6, 0), dt(6, 6, 0), dt(7, 6, 0)}));
    EXPECT_EQ(dayChangesPassed(dt(6, 6, 0, 0), dt(6, 6, 0, 30)), std::vector<DateTime>{});
    EXPECT_EQ(dayChangesPassed(dt(7, 7, 0), dt(5, 5, 0)), std::vector<DateTime>{});
    const auto years = dayChangesPassed(dt(5, 5, 0), addMinutes(dt(5, 5, 0), 60L * 24 * 800));
    ASSERT_EQ(years.size(), kMaxDayChangesCarried);
    EXPECT_EQ(years.back(),
              businessDayStart(businessDateAt(addMinutes(dt(5, 5, 0), 60L * 24 * 800))));
}

// ---- the carry step ----

TEST(CarryOver, RenumbersAStayRunningPastTheEndAboveTheNewDaysHighest) {
    const auto c = carryOver({rec("012100300", "06 05:00", "06 07:00", "012", "利用")}, kEnd,
                             100100, {rec("012100100", "06 09:00", "06 11:00", "012", "予約")});
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_EQ(c.lines[0], rec("012100200", "06 05:00", "06 07:00", "012", "利用"));
    EXPECT_EQ(c.maxGroupNo, 100200);
}

struct EndCase {
    const char* name;
    const char* end;
    bool carried;
};

class CarryEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(CarryEnd, OnlyEndsStrictlyAfterTheDaysEndAreCarried) {
    const auto c =
        carryOver({rec("001100100", "05 22:00", GetParam().end, "001", "利用")}, kEnd, 100000, {});
    EXPECT_EQ(c.lines.size(), GetParam().carried ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Ends, CarryEnd,
                         ::testing::Values(EndCase{"AtSix", "06 06:00", false},
                                           EndCase{"OneMinuteBefore", "06 05:59", false},
                                           EndCase{"OneMinuteAfter", "06 06:01", true},
                                           EndCase{"Evening", "05 23:00", false}),
                         [](const auto& p) { return std::string(p.param.name); });

class CarryStatus : public ::testing::TestWithParam<const char*> {};

TEST_P(CarryStatus, EveryStatusIsCarriedAsItIs) {
    const auto c =
        carryOver({rec("005100100", "06 05:00", "06 07:00", "005", GetParam())}, kEnd, 100000, {});
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_EQ(c.lines[0], rec("005100100", "06 05:00", "06 07:00", "005", GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Statuses, CarryStatus,
                         ::testing::Values("利用", "通知", "予約", "精算", "延長"));

TEST(CarryOver, OneRoomCarriesOnlyItsLaterRecordWithTheHigherNumber) {
    const auto c = carryOver({rec("007100100", "06 04:00", "06 07:00", "007", "精算", "先"),
                              rec("007100200", "06 05:00", "06 08:00", "007", "利用", "後")},
                             kEnd, 100000, {});
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_EQ(c.lines[0], rec("007100200", "06 05:00", "06 08:00", "007", "利用", "後"));
    EXPECT_EQ(c.maxGroupNo, 100200);
}

TEST(CarryOver, RoomsComeInAscendingOrderWhateverTheFileOrder) {
    const auto c = carryOver({rec("020100100", "06 05:00", "06 07:00", "020", "利用"),
                              rec("003100200", "06 05:00", "06 07:00", "003", "利用"),
                              rec("010100300", "05 20:00", "05 22:00", "010", "精算")},
                             kEnd, 100101, {});
    ASSERT_EQ(c.lines.size(), 2u);
    // 100101 rounds up to the next multiple of 100 first.
    EXPECT_EQ(c.lines[0], rec("003100200", "06 05:00", "06 07:00", "003", "利用"));
    EXPECT_EQ(c.lines[1], rec("020100300", "06 05:00", "06 07:00", "020", "利用"));
}

TEST(CarryOver, AMovedRecordKeepsTheRoomCodeOfItsIdAndIsCarriedWithItsRoom) {
    const auto c = carryOver({rec("012100500", "06 05:00", "06 07:00", "013", "利用"),
                              rec("003100400", "06 05:00", "06 07:00", "012", "利用")},
                             kEnd, 100000, {});
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_EQ(c.lines[0], rec("003100100", "06 05:00", "06 07:00", "012", "利用"));
    EXPECT_EQ(c.lines[1], rec("012100200", "06 05:00", "06 07:00", "013", "利用"));
}

TEST(CarryOver, ALineAlreadyInTheNewDayIsNotAddedAgain) {
    const std::vector<std::string> ending{rec("001100100", "06 05:00", "06 07:00", "001", "利用"),
                                          rec("002100200", "06 05:00", "06 07:30", "002", "利用")};
    const auto first = carryOver(ending, kEnd, 100000, {});
    ASSERT_EQ(first.lines.size(), 2u);
    // The new day now holds the first copy of room 001 only (under its new number).
    const auto again = carryOver(ending, kEnd, 100200, {first.lines[0]});
    ASSERT_EQ(again.lines.size(), 1u);
    EXPECT_EQ(again.lines[0].substr(9), first.lines[1].substr(9));
    EXPECT_TRUE(carryOver(ending, kEnd, 100200, first.lines).lines.empty());
}

// ---- a booking extended across 06:00 ----

// What the new day's desk does with an extension that arrived without its first record.
TEST(CarryAcross, AnExtensionWithoutItsFirstRecordIsAContinuationAtTheDesk) {
    const std::string id = "003100601";
    const std::string line = rec(id, "06 06:00", "06 07:00", "003", "利用");
    RoomGrid grid;
    grid.set(2, 0, line);
    EXPECT_EQ(bookingListLines(grid, id).size(), 1u);
    const DayTotals totals = computeTotals(grid);
    EXPECT_EQ(std::pair(totals.peopleTotal, totals.minutesTotal), std::pair(0L, 60L));
    EXPECT_EQ(computeRoomAlerts(grid, dt(6, 6, 55)).rooms[2], RoomAlert::Near);
    EXPECT_EQ(extensionId(id), "003100602");

    RoomGrid settled = grid;
    ASSERT_TRUE(settleBooking(settled, id, withStatus(line, kStatusSettled)));
    EXPECT_EQ(settled.at(2, 0), withStatus(line, kStatusSettled));
    EXPECT_EQ(settled.recordCount(2), 1);
    const DeletionResult deleted = deleteRecord(grid, id);
    EXPECT_EQ(deleted.removed, 1);
    EXPECT_FALSE(deleted.firstRecordRemoved);
    EXPECT_FALSE(deleted.restored);
    EXPECT_TRUE(grid.empty());
}

// ---- the carry on disk ----

TEST(CarryIntoNewDay, ANewDayWithoutAJournalIsRecordedAsItStandsBeforeTheCarry) {
    test::TempDir dir;
    const Date ending{year{2026}, month{12}, day{5}};
    const auto newFile = dayFilePath(dir.path(), addDays(ending, 1));
    test::writeBytes(dayFilePath(dir.path(), ending),
                     *encodeCp932(rec("012100300", "06 05:00", "06 07:00", "012", "利用")) +
                         "\r\n");
    // Reservations made before the journal existed (the first night after an update).
    test::writeBytes(
        newFile, *encodeCp932(rec("001100100", "06 20:00", "06 22:00", "001", "予約")) + "\r\n" +
                     *encodeCp932(rec("002100200", "06 21:00", "06 23:00", "002", "予約")) +
                     "\r\n");

    ASSERT_FALSE(carryIntoNewDay(dir.path(), ending, addDays(ending, 1), dt(6, 6, 0)));
    DayJournal journal(journalPathFor(newFile));
    ASSERT_FALSE(journal.load().error);
    const Replay replay = replayJournal(journal.entries());
    ASSERT_FALSE(replay.error);
    const DayLines lines = splitDayLines(test::readBytes(newFile));
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_EQ(replay.lines, lines);
    ASSERT_EQ(journal.entries().size(), 2u);
    EXPECT_EQ(journal.entries().back().op, JournalOp::Carry);
}

// ---- the new day's file ----

TEST(NewDayFile, HighestNumberCountsKeptLinesAndIsAtLeast100000) {
    EXPECT_EQ(highestGroupNumber(parseDayFile("")), 100000);
    const std::string bytes =
        *encodeCp932(rec("001100300", "06 10:00", "06 12:00", "001", "予約")) +
        "\r\n001100900,broken\r\n";
    EXPECT_EQ(highestGroupNumber(parseDayFile(bytes)), 100900);
}

TEST(NewDayFile, AppendedLinesFollowTheExistingLinesWhichKeepTheirBytes) {
    const std::string reserved =
        *encodeCp932(rec("001100100", "06 10:00", "06 12:00", "001", "予約"));
    const std::string undecodable = "\x80\xA0 odd";
    const std::string malformed = "no,record,here";
    const DayContent day = parseDayFile(undecodable + "\r\n\r\n" + reserved + "\n" + malformed);
    const auto carried = rec("012100200", "06 05:00", "06 07:00", "012", "利用");

    const auto r = renderWithAppended(day, {carried});
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.bytes, undecodable + "\r\n" + reserved + "\r\n" + malformed + "\r\n" +
                           *encodeCp932(carried) + "\r\n");
}

TEST(NewDayFile, ALineCp932CannotHoldIsAnErrorNotADroppedCharacter) {
    const auto r =
        renderWithAppended({}, {rec("001100100", "06 05:00", "06 07:00", "001", "利用", "😀")});
    EXPECT_TRUE(r.error);
}

} // namespace
} // namespace kavro
