// Start-up: business date, day file, totals, odd lines reported once, failing saves.
#include "support/form_fixture.h"

#include "ledger/cp932.h"

#include <QDateEdit>
#include <QLabel>

namespace kavro::test {
namespace {

class StartupTest : public FormTest {};

TEST_F(StartupTest, BeforeSixTheBusinessDayIsYesterday) {
    setNow(at(2026, 12, 6, 5, 59, 59));
    start();
    EXPECT_EQ(form().shownDate(), ymd(2026, 12, 5));
    EXPECT_EQ(form().shownDay.today, ymd(2026, 12, 5));
    EXPECT_EQ(formatDateTime(form().shownDay.start), "2026/12/05 06:00:00");
    EXPECT_EQ(formatDateTime(form().shownDay.end), "2026/12/06 06:00:00");
    EXPECT_EQ(form().dayFilePath.filename(), "20261205.txt");
    EXPECT_TRUE(std::filesystem::exists(dayFile(ymd(2026, 12, 5))));
    EXPECT_EQ(form().shownDay.offset, 0);
    EXPECT_TRUE(form().board.followsClock);
}

TEST_F(StartupTest, AtSixTheBusinessDayIsToday) {
    setNow(at(2026, 12, 6, 6, 0, 0));
    start();
    EXPECT_EQ(form().shownDate(), ymd(2026, 12, 6));
    EXPECT_EQ(form().dayFilePath.filename(), "20261206.txt");
}

TEST_F(StartupTest, EmptyDayShowsZeroTotals) {
    start();
    EXPECT_EQ(form().minutesLabel->text(), "0：00");
    EXPECT_EQ(form().peopleLabel->text(), "0人");
    EXPECT_EQ(form().groupsLabel->text(), "0組");
    EXPECT_EQ(form().maxGroupNo, 100000);
}

TEST_F(StartupTest, LoadsTheDayIntoTheGridWithTotals) {
    writeDay(ymd(2026, 12, 5), {"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,延長",
                                "001100101,2026/12/05 23:30,0.5,2026/12/06 00:00,2,001,山田,利用",
                                "005100200,2026/12/05 20:00,1,2026/12/05 21:00,3,005,佐藤,予約"});
    start();
    EXPECT_EQ(form().roomGrid.recordCount(0), 2);
    EXPECT_EQ(form().roomGrid.at(4, 0).substr(0, 9), "005100200");
    EXPECT_EQ(form().minutesLabel->text(), "3：00");
    EXPECT_EQ(form().peopleLabel->text(), "5人");
    EXPECT_EQ(form().groupsLabel->text(), "2組");
    EXPECT_TRUE(world().messages.empty());
}

TEST_F(StartupTest, OddLinesAreReportedOnceAndSurviveEverySave) {
    const std::string odd = "this is not a record";
    writeBytes(dayFile(ymd(2026, 12, 5)),
               *encodeCp932("001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,利用") +
                   "\r\n" + odd + "\r\n\x81\r\n");
    start();
    ASSERT_EQ(world().messages.size(), 1u);
    EXPECT_TRUE(lastMessageText().contains("20261205.txt"));
    EXPECT_TRUE(lastMessageText().contains("2, 3"));

    ASSERT_TRUE(form().saveDay(JournalOp::Modify));
    form().loadDay();
    EXPECT_EQ(world().messages.size(), 1u) << "not reported again after a save and reload";
    const std::string bytes = readBytes(dayFile(ymd(2026, 12, 5)));
    const std::string tail = odd + "\r\n\x81\r\n";
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    EXPECT_EQ(readDay(ymd(2026, 12, 5)).size(), 3u);
}

TEST_F(StartupTest, AFailedSaveKeepsTheGridAndTheFile) {
    writeDay(ymd(2026, 12, 5), {"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,利用"});
    start();
    const std::string before = readBytes(dayFile(ymd(2026, 12, 5)));
    form().roomGrid.at(1, 0) = "002100200,2026/12/05 20:00,1,2026/12/05 21:00,2,002,鈴木,利用";
    // Another program puts a folder where the file was: the save cannot replace it.
    std::filesystem::rename(dayFile(ymd(2026, 12, 5)), dir() / "moved.txt");
    std::filesystem::create_directory(dayFile(ymd(2026, 12, 5)));

    EXPECT_FALSE(form().saveAndReload(JournalOp::Modify));
    EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
    EXPECT_EQ(form().roomGrid.recordCount(1), 1) << "the change is still on screen";
    EXPECT_EQ(form().roomGrid.recordCount(0), 1);

    std::filesystem::remove(dayFile(ymd(2026, 12, 5)));
    std::filesystem::rename(dir() / "moved.txt", dayFile(ymd(2026, 12, 5)));
    EXPECT_EQ(readBytes(dayFile(ymd(2026, 12, 5))), before);
    EXPECT_TRUE(form().saveAndReload(JournalOp::Modify));
    EXPECT_EQ(readDay(ymd(2026, 12, 5)).size(), 2u) << "the next save writes the kept change";
}

TEST_F(StartupTest, ADayThatCouldNotBeReadIsNeverOverwritten) {
    std::filesystem::create_directory(dayFile(ymd(2026, 12, 5)));
    start();
    EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
    EXPECT_FALSE(form().saveDay(JournalOp::Modify));
    EXPECT_TRUE(std::filesystem::is_directory(dayFile(ymd(2026, 12, 5))));
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
