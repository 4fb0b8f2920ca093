// Start-up: business date, day file, totals, the purge. What the day keeps through saves
// that fail is the desk model's (tests/desk).
#include "support/form_fixture.h"
#include "window/timetable_board.h"

#include <QDateEdit>
#include <QLabel>

namespace kavro::test {
namespace {

class StartupTest : public FormTest {};

TEST_F(StartupTest, BeforeSixTheBusinessDayIsYesterday) {
    setNow(at(2026, 12, 6, 5, 59, 59));
    start();
    EXPECT_EQ(model().shownDay().date, ymd(2026, 12, 5));
    EXPECT_EQ(datePicker()->date(), QDate(2026, 12, 5));
    EXPECT_EQ(model().shownDay().today, ymd(2026, 12, 5));
    EXPECT_EQ(formatDateTime(model().shownDay().start), "2026/12/05 06:00:00");
    EXPECT_EQ(formatDateTime(model().shownDay().end), "2026/12/06 06:00:00");
    EXPECT_EQ(model().dayFile().filename(), "20261205.txt");
    EXPECT_TRUE(std::filesystem::exists(dayFile(ymd(2026, 12, 5))));
    EXPECT_EQ(model().shownDay().offset, 0);
    EXPECT_TRUE(board().span().followsClock);
}

TEST_F(StartupTest, AtSixTheBusinessDayIsToday) {
    setNow(at(2026, 12, 6, 6, 0, 0));
    start();
    EXPECT_EQ(model().shownDay().date, ymd(2026, 12, 6));
    EXPECT_EQ(datePicker()->date(), QDate(2026, 12, 6));
    EXPECT_EQ(model().dayFile().filename(), "20261206.txt");
}

TEST_F(StartupTest, EmptyDayShowsZeroTotals) {
    start();
    EXPECT_EQ(minutesLabel()->text(), "0：00");
    EXPECT_EQ(peopleLabel()->text(), "0人");
    EXPECT_EQ(groupsLabel()->text(), "0組");
    EXPECT_EQ(model().maxGroupNo(), 100000);
}

TEST_F(StartupTest, LoadsTheDayIntoTheGridWithTotals) {
    writeDay(ymd(2026, 12, 5), {"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,延長",
                                "001100101,2026/12/05 23:30,0.5,2026/12/06 00:00,2,001,山田,利用",
                                "005100200,2026/12/05 20:00,1,2026/12/05 21:00,3,005,佐藤,予約"});
    start();
    EXPECT_EQ(model().records().recordCount(0), 2);
    EXPECT_EQ(model().records().at(4, 0).substr(0, 9), "005100200");
    EXPECT_EQ(minutesLabel()->text(), "3：00");
    EXPECT_EQ(peopleLabel()->text(), "5人");
    EXPECT_EQ(groupsLabel()->text(), "2組");
    EXPECT_TRUE(world().messages.empty());
}

TEST_F(StartupTest, PurgesOldDayFilesCountedFromTheCalendarDate) {
    setNow(at(2026, 12, 6, 3, 0, 0)); // business day is the 5th; the purge counts from the 6th
    for (int age : {29, 30, 60, 61})
        writeBytes(dir() / (formatYmd(addDays(ymd(2026, 12, 6), -age)) + ".txt"), "");
    writeBytes(dir() / "20261204.txt", ""); // a desk in use: the clock has not jumped
    start();
    EXPECT_TRUE(world().messages.empty());
    EXPECT_TRUE(std::filesystem::exists(dir() / "20261107.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir() / "20261106.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir() / "20261007.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir() / "20261006.txt"));
}

TEST_F(StartupTest, AClockAMonthAheadDeletesNothingAndSaysSo) {
    for (int day = 1; day <= 5; ++day)
        writeDay(ymd(2026, 12, day), {});
    setNow(at(2027, 1, 6, 9, 0, 0)); // 31 days after the last day the desk worked
    start();
    EXPECT_EQ(lastMessageTitle(), "時計の確認");
    for (int day = 1; day <= 5; ++day)
        EXPECT_TRUE(std::filesystem::exists(dayFile(ymd(2026, 12, day)))) << day;
}

} // namespace
} // namespace kavro::test
