#include "ledger/day_file.h"
#include "ledger/day_purge.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

TEST(DayPurge, DeletesFilesThirtyToSixtyDaysOldCountedFromTheCalendarDate) {
    test::TempDir dir;
    const Date today{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{6}};
    for (int age : {0, 1, 29, 30, 45, 60, 61, 90})
        test::writeBytes(dayFilePath(dir.path(), addDays(today, -age)), "x\r\n");
    test::writeBytes(dir / ".kavro-tmp-20261206.txt.abc123", "half a save");
    test::writeBytes(dir / "notes.txt", "keep");

    auto purged = purgeOldDayFiles(dir.path(), today);
    EXPECT_FALSE(purged.clockDistrusted);
    EXPECT_EQ(purged.deleted.size(), 3u);
    for (int age : {0, 1, 29, 61, 90})
        EXPECT_TRUE(std::filesystem::exists(dayFilePath(dir.path(), addDays(today, -age)))) << age;
    for (int age : {30, 45, 60})
        EXPECT_FALSE(std::filesystem::exists(dayFilePath(dir.path(), addDays(today, -age)))) << age;
    EXPECT_FALSE(std::filesystem::exists(dir / ".kavro-tmp-20261206.txt.abc123"));
    EXPECT_TRUE(std::filesystem::exists(dir / "notes.txt"));
}

TEST(DayPurge, AnUndeletableEntryIsSkipped) {
    test::TempDir dir;
    const Date today{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{6}};
    auto stuck = dayFilePath(dir.path(), addDays(today, -30));
    std::filesystem::create_directories(stuck / "inside");
    test::writeBytes(dayFilePath(dir.path(), addDays(today, -31)), "x");
    test::writeBytes(dayFilePath(dir.path(), addDays(today, -1)), "x");
    EXPECT_EQ(purgeOldDayFiles(dir.path(), today).deleted.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(stuck));
}

struct ClockCase {
    const char* name;
    int clockAhead;                 // days the clock is ahead of the real date
    std::vector<int> daysWithFiles; // relative to the real date
    bool distrusted;
};
void PrintTo(const ClockCase& c, std::ostream* os) { *os << c.name; }

class DayPurgeClock : public ::testing::TestWithParam<ClockCase> {};

TEST_P(DayPurgeClock, DeletesNothingWhenTheClockHasEvidentlyJumped) {
    const ClockCase& c = GetParam();
    test::TempDir dir;
    const Date real{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{6}};
    for (int d : c.daysWithFiles)
        test::writeBytes(dayFilePath(dir.path(), addDays(real, d)), "x\r\n");
    auto purged = purgeOldDayFiles(dir.path(), addDays(real, c.clockAhead));
    EXPECT_EQ(purged.clockDistrusted, c.distrusted);
    if (c.distrusted)
        EXPECT_TRUE(purged.deleted.empty());
    else
        EXPECT_FALSE(purged.deleted.empty());
}

std::vector<int> everyDay(int from, int to) {
    std::vector<int> days;
    for (int d = from; d <= to; ++d)
        days.push_back(d);
    return days;
}

INSTANTIATE_TEST_SUITE_P(
    Clocks, DayPurgeClock,
    ::testing::Values(ClockCase{"Right", 0, everyDay(-40, 3), false},
                      ClockCase{"AMonthAhead", 31, everyDay(-40, 3), true},
                      ClockCase{"TwoMonthsAhead", 50, everyDay(-40, 3), true},
                      ClockCase{"AheadWithAReservationFarOut", 31, {-35, 0, 40}, true},
                      ClockCase{"AfterAWeekClosed", 0, everyDay(-40, -7), false},
                      ClockCase{"AfterTwoWeeksClosed", 0, everyDay(-40, -14), true}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kavro
