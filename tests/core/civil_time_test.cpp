#include "core/records/civil_time.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

TEST(CivilTime, ParsesRecordAndFormTextAndRejectsAnythingElse) {
    auto t = parseDateTime("2026/12/05 22:00");
    ASSERT_TRUE(t);
    EXPECT_EQ(formatDateTime(*t), "2026/12/05 22:00:00");
    ASSERT_TRUE(parseDateTime("2026/12/05 22:00:59"));
    EXPECT_EQ(formatRecordTime(*parseDateTime("2026/12/05 22:00:59")), "2026/12/05 22:00");
    for (const char* bad : {"", "2026/12/05", "2026/12/05 24:00", "2026/13/05 10:00",
                            "2026/02/30 10:00", "2026-12-05 10:00", "2026/12/05 1:00",
                            "2026/12/05 10:60", "２026/12/05 10:00", "2026/12/05 10:00:60"})
        EXPECT_FALSE(parseDateTime(bad)) << bad;
}

TEST(CivilTime, MinuteDifferenceCountsMinuteBoundariesIgnoringSeconds) {
    auto a = *parseDateTime("2026/12/05 22:48:59");
    auto end = *parseDateTime("2026/12/05 23:00");
    EXPECT_EQ(minuteDiff(a, end), 12);
    EXPECT_EQ(minuteDiff(*parseDateTime("2026/12/05 22:49:00"), end), 11);
    EXPECT_EQ(minuteDiff(*parseDateTime("2026/12/05 23:03:30"), end), -3);
    EXPECT_EQ(minuteDiff(*parseDateTime("2026/12/05 23:30"), *parseDateTime("2026/12/06 00:30")),
              60);
}

TEST(CivilTime, DayArithmeticCrossesMonthsYearsAndLeapDays) {
    EXPECT_EQ(formatDate(addDays(ymd(2026, 12, 31), 1)), "2027/01/01");
    EXPECT_EQ(formatDate(addDays(ymd(2028, 3, 1), -1)), "2028/02/29");
    EXPECT_EQ(daysBetween(ymd(2026, 12, 6), ymd(2026, 11, 6)), -30);
    EXPECT_EQ(formatYmd(ymd(2026, 1, 5)), "20260105");
}

TEST(CivilTime, BusinessDayTurnsAtSixInTheMorning) {
    EXPECT_EQ(businessDateAt(makeDateTime(ymd(2026, 12, 6), 5, 59, 59)), ymd(2026, 12, 5));
    EXPECT_EQ(businessDateAt(makeDateTime(ymd(2026, 12, 6), 6, 0, 0)), ymd(2026, 12, 6));
    EXPECT_EQ(businessDateAt(makeDateTime(ymd(2027, 1, 1), 0, 30)), ymd(2026, 12, 31));
    EXPECT_EQ(formatDateTime(businessDayStart(ymd(2026, 12, 5))), "2026/12/05 06:00:00");
    EXPECT_EQ(formatDateTime(businessDayEnd(ymd(2026, 12, 5))), "2026/12/06 06:00:00");
}

TEST(CivilTime, TimeBoxTextIsStrictHoursAndMinutes) {
    EXPECT_EQ(parseHhNn("09:30"), (std::pair{9, 30}));
    EXPECT_FALSE(parseHhNn("**:**"));
    EXPECT_FALSE(parseHhNn("24:00"));
    EXPECT_FALSE(parseHhNn("9:30"));
}

} // namespace
} // namespace kavro
