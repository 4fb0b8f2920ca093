#include "core/journal/journal_file.h"
#include "core/retention/day_purge.h"
#include "core/storage/day_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

TEST(DayPurge, DeletesFilesThirtyToSixtyDaysBeforeTheDateGiven) {
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

// ---- whether the clock is trusted: which days prove the desk worked ----

enum class Left { Bookings, EmptyFile, EmptiedByDesk };

struct DayLeft {
    int age; // days before today; negative for days to come
    Left left;
};

struct PlanCase {
    const char* name;
    std::vector<DayLeft> days;
    PurgeVerdict verdict;
    std::optional<int> lastDayWorked; // its age
};
void PrintTo(const PlanCase& c, std::ostream* os) { *os << c.name; }

class PurgePlanTest : public ::testing::TestWithParam<PlanCase> {};

void leave(const std::filesystem::path& file, Left left) {
    if (left == Left::Bookings) {
        test::writeBytes(file, "001100100,2026/11/01 10:00,1,2026/11/01 11:00,2,001,A,利用\r\n");
        return;
    }
    test::writeBytes(file, "");
    if (left == Left::EmptiedByDesk) {
        DayJournal journal(journalPathFor(file));
        ASSERT_FALSE(journal.load().error);
        const DateTime when = makeDateTime(Date{std::chrono::year{2026} / 11 / 1}, 10, 0);
        ASSERT_FALSE(saveDayJournaled(journal, file, "x\r\n", {JournalOp::Use, 0, when}).error);
        ASSERT_FALSE(saveDayJournaled(journal, file, "", {JournalOp::Delete, 0, when}).error);
    }
}

TEST_P(PurgePlanTest, AsksUnlessARecentDayShowsTheDeskAtWork) {
    const PlanCase& c = GetParam();
    test::TempDir dir;
    const Date today{std::chrono::year{2027}, std::chrono::month{1}, std::chrono::day{19}};
    for (const DayLeft& d : c.days)
        leave(dayFilePath(dir.path(), addDays(today, -d.age)), d.left);

    const PurgePlan plan = planPurge(dir.path(), today);
    EXPECT_EQ(plan.verdict, c.verdict);
    EXPECT_EQ(plan.lastDayWorked,
              c.lastDayWorked ? std::optional(addDays(today, -*c.lastDayWorked)) : std::nullopt);
    if (c.verdict == PurgeVerdict::Purge) {
        EXPECT_FALSE(purgeOldDayFiles(dir.path(), today).deleted.empty());
        return;
    }
    // However often the program starts, nothing is deleted unasked; the desk's yes deletes
    // what is due.
    for (int start = 0; start < 3; ++start)
        EXPECT_TRUE(purgeOldDayFiles(dir.path(), today).deleted.empty()) << start;
    EXPECT_EQ(purgeOldDayFiles(dir.path(), today, PurgeConsent::ConfirmedByDesk).deleted.empty(),
              c.verdict == PurgeVerdict::NothingToPurge);
}

INSTANTIATE_TEST_SUITE_P(
    Evidence, PurgePlanTest,
    ::testing::Values(
        PlanCase{
            "BookingsToday", {{35, Left::Bookings}, {0, Left::Bookings}}, PurgeVerdict::Purge, 0},
        PlanCase{"BookingsYesterday",
                 {{35, Left::Bookings}, {1, Left::Bookings}},
                 PurgeVerdict::Purge,
                 1},
        PlanCase{"ADayEmptiedByTheDesk",
                 {{35, Left::Bookings}, {2, Left::EmptiedByDesk}},
                 PurgeVerdict::Purge,
                 2},
        PlanCase{
            "SevenDaysBack", {{35, Left::Bookings}, {7, Left::Bookings}}, PurgeVerdict::Purge, 7},
        PlanCase{"EightDaysBack",
                 {{35, Left::Bookings}, {8, Left::Bookings}},
                 PurgeVerdict::AskFirst,
                 8},
        PlanCase{"EmptyFilesOnly",
                 {{35, Left::Bookings}, {0, Left::EmptyFile}, {1, Left::EmptyFile}},
                 PurgeVerdict::AskFirst,
                 35},
        PlanCase{"FutureFilesOnly",
                 {{35, Left::Bookings}, {-3, Left::Bookings}},
                 PurgeVerdict::AskFirst,
                 35},
        PlanCase{"NoDayWorkedAtAll", {{40, Left::EmptyFile}}, PurgeVerdict::AskFirst, {}},
        PlanCase{"NothingOld",
                 {{29, Left::Bookings}, {61, Left::Bookings}},
                 PurgeVerdict::NothingToPurge,
                 {}}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kavro
