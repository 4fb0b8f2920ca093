#include "ledger/cp932.h"
#include "ledger/day_purge.h"
#include "ledger/report_csv.h"
#include "ledger/report_period.h"
#include "ledger/summary_file.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>

#ifndef KAVRO_TEST_DATA_DIR
#error "KAVRO_TEST_DATA_DIR names the folder of the golden files"
#endif

namespace kavro {
namespace {

namespace fs = std::filesystem;
using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

Date date(unsigned d) { return Date{year{2026}, month{12}, day{d}}; }

std::string dayBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines)
        bytes += *encodeCp932(l) + "\r\n";
    return bytes;
}

// Room 004 from 05:00 to 07:00 across the 06:00 of 5/6 December, an overlap in room 001,
// a chain of extensions in room 002, a reservation and an odd line.
const std::string kDay5 = dayBytes({
    "001100100,2026/12/05 10:00,1,2026/12/05 11:00,2,001,山田,利用",
    "001100200,2026/12/05 10:30,1.5,2026/12/05 12:00,3,001,佐藤,精算",
    "002100300,2026/12/05 11:00,1,2026/12/05 12:00,4,002,高橋,延長",
    "002100301,2026/12/05 12:00,1.5,2026/12/05 13:30,4,002,高橋,精算",
    "003100400,2026/12/05 12:00,1,2026/12/05 13:00,2,003,田中,予約",
    "004100500,2026/12/06 05:00,2,2026/12/06 07:00,2,004,伊藤,通知",
    "this line is no record",
});
const std::string kDay6 = dayBytes({
    "004100200,2026/12/06 05:00,2,2026/12/06 07:00,2,004,伊藤,通知",
});

// A day the desk worked, which tells the purge that the clock is right.
const std::string kWorked = dayBytes({
    "001100100,2027/01/04 10:00,1,2027/01/04 11:00,2,001,山田,利用",
});

class SummaryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(dir / "20261205.txt", kDay5);
        writeBytes(dir / "20261206.txt", kDay6);
    }
    fs::path summary() const { return summaryFilePath(dir.path()); }
    TempDir dir;
};

TEST_F(SummaryFileTest, LineReadsBackAsWritten) {
    auto update = refreshSummary(dir.path());
    ASSERT_FALSE(update.error);
    const SummaryRead read = readSummaryFile(dir.path());
    ASSERT_EQ(read.file.days.size(), 2u);
    const SummaryEntry& e = read.file.days.at(date(5));
    EXPECT_EQ(parseSummaryLine(summaryLine(e)), e);
    EXPECT_EQ(e.dayFile, identityOf(kDay5));
    DayFigures fromFile = figuresOfDay(date(5), parseDayFile(kDay5));
    EXPECT_EQ(e.figures.parties, fromFile.parties);
    EXPECT_EQ(e.figures.hourRoomMinutes, fromFile.hourRoomMinutes);
    EXPECT_EQ(e.figures.rooms, fromFile.rooms);
    EXPECT_FALSE(e.figures.hasRoomHours);
    EXPECT_EQ(readBytes(summary()).find("山田"), std::string::npos) << "no names";
}

TEST_F(SummaryFileTest, UpdateIsIdempotentAndNoticesAChangedDayFile) {
    ASSERT_TRUE(refreshSummary(dir.path()).written);
    const std::string first = readBytes(summary());
    const auto again = refreshSummary(dir.path());
    EXPECT_FALSE(again.written);
    EXPECT_TRUE(again.summarised.empty());
    EXPECT_FALSE(summariseDays(dir.path(), {date(5), date(6)}).written);
    EXPECT_EQ(readBytes(summary()), first);

    writeBytes(dir / "20261206.txt",
               kDay6 + dayBytes({"010100300,2026/12/06 09:00,1,2026/12/06 10:00,5,010,x,利用"}));
    const auto changed = refreshSummary(dir.path());
    EXPECT_TRUE(changed.written);
    EXPECT_EQ(changed.summarised, std::vector<Date>{date(6)});
    EXPECT_EQ(readSummaryFile(dir.path()).file.days.at(date(6)).figures.people, 5);
}

TEST_F(SummaryFileTest, OddLinesAreKeptByteForByteAndReported) {
    const std::string odd = "2 2030-01-01 from a later program\xff";
    writeBytes(summary(), std::string(kSummaryHeader) + "\n" + odd + "\r\n");
    const auto update = refreshSummary(dir.path());
    ASSERT_FALSE(update.error);
    EXPECT_EQ(update.keptLineNumbers, std::vector<int>{2});
    const std::string bytes = readBytes(summary());
    EXPECT_NE(bytes.find("\n" + odd + "\n"), std::string::npos);
    EXPECT_EQ(readSummaryFile(dir.path()).file.days.size(), 2u);
    EXPECT_FALSE(refreshSummary(dir.path()).written);
}

TEST_F(SummaryFileTest, OutlivesThePurgeAndStandsInForTheGoneDays) {
    ASSERT_TRUE(refreshSummary(dir.path()).written);
    const PeriodReport before = loadPeriod(dir.path(), rangeBetween(date(5), date(6)));
    // 5 January 2027: 5 and 6 December are 31 and 30 days back; the desk ran yesterday.
    writeBytes(dir.path() / "20270104.txt", kWorked);
    ASSERT_TRUE(refreshSummary(dir.path()).written);
    const auto purged = purgeOldDayFiles(dir.path(), Date{year{2027}, month{1}, day{5}});
    ASSERT_EQ(purged.deleted.size(), 2u);
    ASSERT_TRUE(fs::exists(summary()));
    EXPECT_FALSE(refreshSummary(dir.path()).written) << "gone days keep their lines";

    const PeriodReport after = loadPeriod(dir.path(), rangeBetween(date(5), date(7)));
    EXPECT_EQ(after.figures.daysFromSummary, 2);
    EXPECT_EQ(after.figures.daysWithoutFigures, 1);
    EXPECT_EQ(after.figures.parties, before.figures.parties);
    EXPECT_EQ(after.figures.occupiedMinutes, before.figures.occupiedMinutes);
    EXPECT_EQ(after.figures.rooms, before.figures.rooms);
    EXPECT_FALSE(after.figures.days[0].hasRoomHours);
    EXPECT_FALSE(fs::exists(dir / "20261207.txt")) << "a report creates no day file";
}

TEST_F(SummaryFileTest, ThePurgeStoresTheFiguresFirstAndDeletesNothingWhenItCannot) {
    const Date today{year{2027}, month{1}, day{5}};
    writeBytes(dir.path() / "20270104.txt", kWorked); // the desk ran yesterday
    FileOps failing = posixFileOps();
    failing.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    const auto refused =
        purgeOldDayFilesKeepingFigures(dir.path(), today, PurgeConsent::IfClockTrusted, failing);
    EXPECT_TRUE(refused.summary.error);
    EXPECT_TRUE(refused.purge.deleted.empty());
    EXPECT_TRUE(fs::exists(dir / "20261205.txt"));

    const auto done = purgeOldDayFilesKeepingFigures(dir.path(), today);
    EXPECT_EQ(done.purge.deleted.size(), 2u);
    EXPECT_EQ(done.summary.summarised, (std::vector<Date>{date(6), date(5)}));
    EXPECT_EQ(readSummaryFile(dir.path()).file.days.size(), 2u);
}

TEST_F(SummaryFileTest, FailedWriteLeavesTheOldFile) {
    ASSERT_TRUE(summariseDays(dir.path(), {date(5)}).written);
    const std::string before = readBytes(summary());
    FileOps failing = posixFileOps();
    failing.write = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    const auto update = summariseDays(dir.path(), {date(6)}, failing);
    ASSERT_TRUE(update.error);
    EXPECT_NE(update.error->find("空き容量"), std::string::npos);
    EXPECT_FALSE(update.written);
    EXPECT_EQ(readBytes(summary()), before);
}

TEST_F(SummaryFileTest, AnUnreadableSummaryIsNeverWrittenOver) {
    fs::create_directory(summary());
    const auto update = refreshSummary(dir.path());
    EXPECT_TRUE(update.error);
    EXPECT_TRUE(fs::is_directory(summary()));
    EXPECT_FALSE(loadPeriod(dir.path(), rangeBetween(date(5), date(5))).errors.empty());
}

// The CSV of the two days and their rooms, compared with files checked by hand.
TEST_F(SummaryFileTest, CsvMatchesTheGoldenFiles) {
    const PeriodReport r = loadPeriod(dir.path(), rangeBetween(date(5), date(7)));
    const fs::path golden = KAVRO_TEST_DATA_DIR;
    EXPECT_EQ(daysCsv(r.figures), readBytes(golden / "report_days.csv"));
    EXPECT_EQ(roomsCsv(r.figures), readBytes(golden / "report_rooms.csv"));
}

} // namespace
} // namespace kavro
