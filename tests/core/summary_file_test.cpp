#include "core/figures/report_csv.h"
#include "core/figures/report_period.h"
#include "core/figures/summary_file.h"
#include "core/journal/journal_file.h"
#include "core/records/cp932.h"
#include "core/retention/day_purge.h"
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
    const PeriodReport before = loadPeriod(dir.path(), rangeBetween(date(5), date(6)), date(31));
    // 5 January 2027: 5 and 6 December are 31 and 30 days back; the desk ran yesterday.
    writeBytes(dir.path() / "20270104.txt", kWorked);
    ASSERT_TRUE(refreshSummary(dir.path()).written);
    const auto purged = purgeOldDayFiles(dir.path(), Date{year{2027}, month{1}, day{5}});
    ASSERT_EQ(purged.deleted.size(), 2u);
    ASSERT_TRUE(fs::exists(summary()));
    EXPECT_FALSE(refreshSummary(dir.path()).written) << "gone days keep their lines";

    const PeriodReport after = loadPeriod(dir.path(), rangeBetween(date(5), date(7)), date(31));
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
    const auto refused = purgeOldDayFilesKeepingFigures(dir.path(), today,
                                                        PurgeConsent::IfClockTrusted, {}, failing);
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
    const auto update = summariseDays(dir.path(), {date(6)}, {}, failing);
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
    EXPECT_FALSE(loadPeriod(dir.path(), rangeBetween(date(5), date(5)), date(31)).errors.empty());
}

// What may stand in a day's place after its line was written.
enum class Then { FileGone, ShownEmpty, EmptiedByDesk, Changed };

struct KeptLineCase {
    const char* name;
    Then then;
    long parties; // in the summary line and in the report
    int daysFromSummary;
};
void PrintTo(const KeptLineCase& c, std::ostream* os) { *os << c.name; }

class SummaryKeptLine : public SummaryFileTest,
                        public ::testing::WithParamInterface<KeptLineCase> {};

TEST_P(SummaryKeptLine, OnlyADayReadOrSavedWithItsBookingsReplacesItsFigures) {
    const KeptLineCase& c = GetParam();
    const fs::path file = dir / "20261205.txt";
    ASSERT_EQ(summariseDays(dir.path(), {date(5)}).summarised, std::vector<Date>{date(5)});
    switch (c.then) {
    case Then::FileGone:
        fs::remove(file);
        break;
    case Then::ShownEmpty: // the file purged, then the day picked in the window
        fs::remove(file);
        ASSERT_FALSE(readDayFile(file).error);
        break;
    case Then::EmptiedByDesk: {
        DayJournal journal(journalPathFor(file));
        ASSERT_FALSE(journal.load().error);
        const DayChange deleted{JournalOp::Delete, 0, makeDateTime(date(5), 23, 0)};
        ASSERT_TRUE(saveDayJournaled(journal, file, "", deleted).written);
        break;
    }
    case Then::Changed:
        writeBytes(file, kDay6);
        break;
    }
    auto partiesKept = [&] {
        return readSummaryFile(dir.path()).file.days.at(date(5)).figures.parties;
    };
    ASSERT_FALSE(summariseDays(dir.path(), {date(5)}).error); // as the keeper does after a load
    EXPECT_EQ(partiesKept(), c.parties);
    ASSERT_FALSE(refreshSummary(dir.path()).error); // as the next start-up does
    EXPECT_EQ(partiesKept(), c.parties);
    const PeriodReport report =
        loadPeriod(dir.path(), periodContaining(PeriodKind::Day, date(5)), date(5));
    EXPECT_TRUE(report.errors.empty());
    EXPECT_EQ(report.figures.parties, c.parties);
    EXPECT_EQ(report.figures.daysFromSummary, c.daysFromSummary);
}

INSTANTIATE_TEST_SUITE_P(
    Days, SummaryKeptLine,
    ::testing::Values(KeptLineCase{"FileGone", Then::FileGone, 4, 1},
                      KeptLineCase{"ShownEmptyAfterThePurge", Then::ShownEmpty, 4, 1},
                      KeptLineCase{"EmptiedByTheDesk", Then::EmptiedByDesk, 0, 0},
                      KeptLineCase{"ChangedBookings", Then::Changed, 1, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SummaryFileTest, DaysAfterTodayCountInNoRateOrAverage) {
    writeBytes(dir / "20261207.txt",
               dayBytes({"005100100,2026/12/07 20:00,1,2026/12/07 21:00,2,005,客,予約"}));
    const PeriodReport past = loadPeriod(dir.path(), rangeBetween(date(5), date(6)), date(6));
    const PeriodReport withFuture = loadPeriod(dir.path(), rangeBetween(date(5), date(8)), date(6));
    EXPECT_EQ(withFuture.figures.daysWithFigures, 2);
    EXPECT_EQ(withFuture.figures.daysWithoutFigures, 2);
    EXPECT_DOUBLE_EQ(withFuture.figures.occupancy(), past.figures.occupancy());
    EXPECT_DOUBLE_EQ(withFuture.figures.turnover(), past.figures.turnover());
}

// Sales kept beside the figures: a line of format 1 is still read and written back as it
// was; takings come from the sales file when it knows them, and a line keeps its takings
// when it does not (no sales file), also when its day file changes.
TEST_F(SummaryFileTest, TakingsKeptInFormat2AndFormat1StillRead) {
    ASSERT_TRUE(summariseDays(dir.path(), {date(5)}).written);
    SummaryEntry old = readSummaryFile(dir.path()).file.days.at(date(5));
    old.format = 1;
    const std::string format1 = summaryLine(old);
    ASSERT_EQ(format1.substr(0, 2), "1 ");
    EXPECT_EQ(format1.find("noshow="), std::string::npos);
    writeBytes(summary(), "# kavro day summary, format 1\n" + format1 + "\n");
    const SummaryRead read = readSummaryFile(dir.path());
    ASSERT_TRUE(read.file.kept.empty());
    EXPECT_EQ(summaryLine(read.file.days.at(date(5))), format1);

    DaySales sold{3, -500, {2, 1, 0, 0}, {14000, -14500, 0, 0}};
    const DaySalesOf ledger = [&](Date d) -> std::optional<DaySales> {
        return d == date(5) ? std::optional(sold) : std::nullopt;
    };
    ASSERT_TRUE(summariseDays(dir.path(), {date(5)}, ledger).written);
    SummaryEntry now = readSummaryFile(dir.path()).file.days.at(date(5));
    EXPECT_EQ(now.format, 2);
    EXPECT_EQ(now.sales, sold);
    EXPECT_NE(summaryLine(now).find(" sales=3:-500 methods=2:14000,1:-14500,0:0,0:0"),
              std::string::npos);

    writeBytes(dir / "20261205.txt", kDay6); // changed bookings, no sales file to ask
    ASSERT_TRUE(refreshSummary(dir.path()).written);
    EXPECT_EQ(readSummaryFile(dir.path()).file.days.at(date(5)).sales, sold);
    sold.amount = 0;
    ASSERT_TRUE(summariseDays(dir.path(), {date(5)}, ledger).written); // a void, same file
    EXPECT_EQ(readSummaryFile(dir.path()).file.days.at(date(5)).sales, sold);
    const std::string good = summaryLine(now);
    const std::string methods = " methods=2:14000,1:-14500,0:0,0:0";
    const std::string at = good.substr(0, good.find(methods));
    for (const std::string& damaged :
         {at, at + " methods=2:14000", at + methods + ",0:0", good + " x=1",
          at.substr(0, at.find(" sales=")) + " sales=3" + methods})
        EXPECT_FALSE(parseSummaryLine(damaged)) << damaged;
}

// The CSV of the two days and their rooms, compared with files checked by hand.
TEST_F(SummaryFileTest, CsvMatchesTheGoldenFiles) {
    const PeriodReport r = loadPeriod(dir.path(), rangeBetween(date(5), date(7)), date(31));
    const fs::path golden = KAVRO_TEST_DATA_DIR;
    EXPECT_EQ(daysCsv(r.figures), readBytes(golden / "report_days.csv"));
    EXPECT_EQ(roomsCsv(r.figures), readBytes(golden / "report_rooms.csv"));
}

} // namespace
} // namespace kavro
