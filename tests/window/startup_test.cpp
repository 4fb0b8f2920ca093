// Start-up: business date, day file, totals, the purge. What the day keeps through saves
// that fail is the desk model's (tests/desk).
#include "core/figures/summary_file.h"
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

std::string stayOn(Date d) {
    const std::string day = formatDate(d);
    return "005100100," + day + " 22:00,2," + day + " 23:59,2,005,山田,利用";
}

TEST_F(StartupTest, PurgesOldDayFilesCountedFromTheBusinessDate) {
    setNow(at(2026, 12, 6, 3, 0, 0)); // the business day is the 5th
    const Date today = ymd(2026, 12, 5);
    for (int age : {29, 30, 60, 61})
        writeDay(addDays(today, -age), {stayOn(addDays(today, -age))});
    writeDay(ymd(2026, 12, 4), {stayOn(ymd(2026, 12, 4))}); // worked yesterday: a right clock
    start();
    EXPECT_TRUE(world().questions.empty());
    EXPECT_TRUE(world().messages.empty());
    EXPECT_TRUE(std::filesystem::exists(dir() / "20261106.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir() / "20261105.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir() / "20261006.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir() / "20261005.txt"));
}

// The PC's clock 45 days ahead of the last days the desk worked, a guest still in room 005.
TEST_F(StartupTest, AClockFarAheadDeletesNothingUnaskedHoweverOftenTheProgramStarts) {
    const std::vector<Date> worked{ymd(2026, 12, 3), ymd(2026, 12, 4), ymd(2026, 12, 5)};
    std::vector<std::string> bytes;
    for (Date d : worked) {
        writeDay(d, {stayOn(d)});
        bytes.push_back(readBytes(dayFile(d)));
    }
    setNow(at(2027, 1, 19, 9, 0, 0));
    world().answer = false;
    for (int run = 1; run <= 2; ++run) {
        start();
        ASSERT_EQ(world().questions.size(), std::size_t(run)) << "asked at every start";
        EXPECT_EQ(world().questions.back().title, "時計の確認");
        EXPECT_NE(
            world().questions.back().text.indexOf("最後に記録のある営業日は 2026/12/05 です。"),
            -1);
        EXPECT_NE(world().questions.back().text.indexOf("今日の日付 2027/01/19 は正しいですか？"),
                  -1);
        EXPECT_EQ(lastMessageText(),
                  "パソコンの時計を正しい日付に合わせてから、もう一度起動してください。"
                  "古い日付ファイルは削除していません。");
        for (std::size_t i = 0; i < worked.size(); ++i)
            EXPECT_EQ(readBytes(dayFile(worked[i])), bytes[i]) << run;
    }
    EXPECT_EQ(world().messages.size(), 2u) << "one message for each いいえ, nothing else";

    world().answer = true; // the shop really was closed for six weeks
    start();
    for (Date d : worked)
        EXPECT_FALSE(std::filesystem::exists(dayFile(d)));
    EXPECT_EQ(readSummaryFile(dir().path()).file.days.at(ymd(2026, 12, 5)).figures.parties, 1);
}

} // namespace
} // namespace kavro::test
