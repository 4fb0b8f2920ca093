#include "core/journal/journal_file.h"
#include "core/records/cp932.h"
#include "core/retention/day_purge.h"
#include "core/rules/step_plan.h"
#include "core/storage/day_file.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace kavro {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

const Date kDay{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};
const DateTime kNow = makeDateTime(kDay, 20, 0);

std::string line(int room, const char* name, const char* status = "利用") {
    char text[96];
    std::snprintf(text, sizeof text, "%03d100%d00,2026/12/05 20:00,1,2026/12/05 21:00,2,%03d,",
                  room, room % 10, room);
    return *encodeCp932(std::string(text) + name + "," + status);
}

std::string file(std::initializer_list<std::string> lines) { return joinDayLines(DayLines(lines)); }

struct JournalFile : ::testing::Test {
    test::TempDir dir;
    fs::path day = dayFilePath(dir.path(), kDay);
    DayJournal journal{journalPathFor(day)};

    JournaledSave save(const std::string& bytes, JournalOp op = JournalOp::Use,
                       const FileOps& ops = posixFileOps()) {
        return saveDayJournaled(journal, day, bytes, {op, 0, kNow}, std::nullopt, ops);
    }
    // What a fresh start sees.
    DayCheck restart() {
        journal = DayJournal(journalPathFor(day));
        EXPECT_FALSE(journal.load().error);
        return reconcileDay(journal, day, kNow);
    }
};

FileOps failing(bool write, bool rename) {
    FileOps ops = posixFileOps();
    if (write)
        ops.write = [](int, const void*, std::size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        };
    if (rename)
        ops.rename = [](const char*, const char*) {
            errno = EACCES;
            return -1;
        };
    return ops;
}

TEST_F(JournalFile, EachSaveIsJournaledAndUndoRedoGiveTheFilesBackByteForByte) {
    const std::string a = file({line(4, "山田")});
    const std::string b = file({line(4, "山田"), line(5, "佐藤")});
    const std::string c = file({line(4, "山田", "精算"), line(5, "佐藤")});
    for (const auto& bytes : {a, b, c})
        ASSERT_TRUE(save(bytes).written);
    EXPECT_EQ(journalPathFor(day).filename(), "20261205.jnl");
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
    ASSERT_EQ(journal.entries().size(), 3u);

    for (const auto& expected : {b, a, std::string()}) {
        const StepPlan p = planUndo(journal.entries(), splitDayLines(readBytes(day)), {kDay, kNow});
        ASSERT_FALSE(p.refusal);
        ASSERT_TRUE(saveDayJournaled(journal, day, joinDayLines(p.lines),
                                     {JournalOp::Undo, p.target->number, kNow})
                        .written);
        EXPECT_EQ(readBytes(day), expected);
    }
    for (const auto& expected : {a, b, c}) {
        const StepPlan p = planRedo(journal.entries(), splitDayLines(readBytes(day)), {kDay, kNow});
        ASSERT_FALSE(p.refusal);
        saveDayJournaled(journal, day, joinDayLines(p.lines),
                         {JournalOp::Redo, p.target->number, kNow});
        EXPECT_EQ(readBytes(day), expected);
    }
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
    EXPECT_EQ(journal.entries().size(), 9u);
    EXPECT_EQ(joinDayLines(replayJournal(journal.entries()).lines), c);
}

TEST_F(JournalFile, AFailedJournalWriteLeavesBothFilesAsTheyWere) {
    save(file({line(4, "山田")}));
    const std::string dayBefore = readBytes(day), journalBefore = readBytes(journal.path());
    const JournaledSave s = save(file({line(5, "佐藤")}), JournalOp::Use, failing(true, false));
    ASSERT_TRUE(s.error);
    EXPECT_NE(s.error->find("ディスクの空き容量"), std::string::npos) << *s.error;
    EXPECT_EQ(readBytes(day), dayBefore);
    EXPECT_EQ(readBytes(journal.path()), journalBefore);
}

TEST_F(JournalFile, AFailedReplaceTakesItsEntryOffTheJournal) {
    save(file({line(4, "山田")}));
    const std::string journalBefore = readBytes(journal.path());
    ASSERT_TRUE(save(file({line(5, "佐藤")}), JournalOp::Use, failing(false, true)).error);
    EXPECT_EQ(readBytes(journal.path()), journalBefore);
    EXPECT_EQ(journal.entries().size(), 1u);
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
}

TEST_F(JournalFile, ADayFileNotAsExpectedIsLeftAlone) {
    save(file({line(4, "山田")}));
    const JournaledSave s = saveDayJournaled(journal, day, file({}), {JournalOp::Delete, 0, kNow},
                                             identityOf("what the window read"));
    EXPECT_TRUE(s.changedOutside);
    EXPECT_EQ(readBytes(day), file({line(4, "山田")}));
    EXPECT_EQ(journal.entries().size(), 1u);
}

TEST_F(JournalFile, AnOutsideChangeMetAtASaveIsJournaledFirstEvenWhenTheSaveChangesNothing) {
    save(file({line(4, "山田")}));
    const std::string outside = file({line(4, "山田"), line(9, "外部")});
    writeBytes(day, outside);
    EXPECT_FALSE(save(outside).written);
    ASSERT_EQ(journal.entries().size(), 2u);
    EXPECT_EQ(journal.entries()[1].op, JournalOp::Outside);
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
}

TEST_F(JournalFile, AChangeJournaledButNotWrittenIsFinishedAtTheNextStart) {
    const std::string before = file({line(4, "山田")}), after = file({line(4, "山田", "精算")});
    save(before);
    // The kill came between the two writes: the entry is whole, the file untouched.
    JournalEntry e;
    e.op = JournalOp::Settle;
    e.when = kNow;
    e.before = identityOf(before);
    e.after = identityOf(after);
    e.diff = diffLines(splitDayLines(before), splitDayLines(after));
    ASSERT_FALSE(journal.append(e));
    const DayCheck c = restart();
    EXPECT_EQ(c.kind, DayCheck::Kind::Finished);
    EXPECT_NE(c.message->find("12/05 20:00 精算 004 山田"), std::string::npos) << *c.message;
    EXPECT_EQ(readBytes(day), after);
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
    EXPECT_TRUE(journal.entries().back().done);
}

TEST_F(JournalFile, ACopyPutBackByHandIsKeptAsAnOutsideChangeNotFinishedAsASave) {
    const std::string first = file({line(4, "山田")});
    save(first);
    save(file({line(4, "山田"), line(5, "佐藤")}));
    writeBytes(day, first); // the copy taken before the second check-in, put back
    const DayCheck c = restart();
    EXPECT_EQ(c.kind, DayCheck::Kind::OutsideRecorded);
    EXPECT_EQ(readBytes(day), first);
    EXPECT_EQ(journal.entries().back().op, JournalOp::Outside);
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep); // told once
    EXPECT_EQ(readBytes(day), first);
}

// The marker is written after the replace, without an fsync: a kill or a power cut may take
// it, whole or in part. The file then holds the entry's "after", and the next start marks it.
TEST_F(JournalFile, AMarkerLostOrCutIsWrittenAgainAtTheNextStart) {
    save(file({line(4, "山田")}));
    const std::string marked = readBytes(journal.path());
    const std::string done = doneLine(1);
    ASSERT_TRUE(marked.ends_with(done));
    for (std::size_t keep = 0; keep < done.size(); ++keep) {
        writeBytes(journal.path(), marked.substr(0, marked.size() - done.size() + keep));
        journal = DayJournal(journalPathFor(day));
        const auto loaded = journal.load();
        EXPECT_FALSE(loaded.notice) << keep;
        EXPECT_FALSE(journal.entries().back().done);
        EXPECT_EQ(reconcileDay(journal, day, kNow).kind, DayCheck::Kind::InStep);
        EXPECT_EQ(readBytes(journal.path()), marked) << keep;
    }
}

// A journal of the first version: read, rewritten once under the new header with the same
// entries, its last entry marked when the day file already holds it.
TEST_F(JournalFile, AVersionOneJournalIsUpgradedOnceWithItsEntriesUnchanged) {
    const std::string a = file({line(4, "山田")}), b = file({line(4, "山田"), line(5, "佐藤")});
    save(a);
    save(b);
    std::string v1 = readBytes(journal.path());
    for (const std::string& marker : {doneLine(1), doneLine(2)})
        v1.erase(v1.find(marker), marker.size());
    v1.replace(0, journalHeader().size(), "KAVRO-JOURNAL 1\r\n");
    for (const bool fileHoldsTheLast : {true, false}) {
        SCOPED_TRACE(fileHoldsTheLast);
        writeBytes(journal.path(), v1);
        writeBytes(day, fileHoldsTheLast ? b : a);
        journal = DayJournal(journalPathFor(day));
        ASSERT_FALSE(journal.load().error);
        const std::string upgraded = readBytes(journal.path());
        EXPECT_EQ(upgraded.substr(0, journalHeader().size()), journalHeader());
        EXPECT_EQ(upgraded.substr(journalHeader().size()),
                  v1.substr(journalHeader().size()) + (fileHoldsTheLast ? doneLine(2) : ""));
        EXPECT_EQ(journal.entries().size(), 2u);
        // An entry of the old version whose file is at its "before": the crash came between
        // the writes, and the change is finished as it always was.
        EXPECT_EQ(reconcileDay(journal, day, kNow).kind,
                  fileHoldsTheLast ? DayCheck::Kind::InStep : DayCheck::Kind::Finished);
        EXPECT_EQ(readBytes(day), b);
    }
}

TEST_F(JournalFile, AnOutsideChangeIsJournaledAndReportedOnce) {
    save(file({line(4, "山田")}));
    writeBytes(day, file({line(4, "山田"), line(9, "外部")}));
    const DayCheck first = restart();
    EXPECT_EQ(first.kind, DayCheck::Kind::OutsideRecorded);
    ASSERT_EQ(journal.entries().size(), 2u);
    EXPECT_EQ(journal.entries()[1].op, JournalOp::Outside);
    EXPECT_EQ(journal.entries()[1].diff.added.size(), 1u);
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
    // A day file older than its journal is taken in without a word.
    fs::remove(journal.path());
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
    EXPECT_EQ(journal.entries().size(), 1u);
}

TEST_F(JournalFile, AMissingOrEmptyDayFileIsRebuiltOnlyWhenAsked) {
    const std::string last = file({line(4, "山田"), line(5, "佐藤")});
    save(file({line(4, "山田")}));
    save(last);
    for (bool empty : {false, true}) {
        if (empty)
            writeBytes(day, "");
        else
            fs::remove(day);
        const DayCheck c = restart();
        ASSERT_EQ(c.kind, DayCheck::Kind::RebuildOffered) << empty;
        EXPECT_EQ(joinDayLines(c.rebuilt), last);
        EXPECT_EQ(fs::exists(day), empty); // nothing written before the desk says yes
        ASSERT_FALSE(rebuildDayFile(journal, day, kNow));
        EXPECT_TRUE(journal.entries().back().done);
        EXPECT_EQ(readBytes(day), last);
        EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
    }
    EXPECT_EQ(journal.entries().back().op, JournalOp::Rebuild);
}

TEST_F(JournalFile, ATornLastEntryIsCutOffBeforeTheNextIsWritten) {
    save(file({line(4, "山田")}));
    const std::string whole = readBytes(journal.path());
    writeBytes(journal.path(), whole + "entry 2 2026/12/05 20:01:00 ");
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
    EXPECT_EQ(readBytes(journal.path()), whole);
    save(file({}), JournalOp::Delete);
    EXPECT_EQ(restart().kind, DayCheck::Kind::InStep);
    EXPECT_EQ(journal.entries().size(), 2u);
}

TEST_F(JournalFile, AJournalDamagedInTheMiddleIsKeptAsideAndItsWholeEntriesGoOn) {
    save(file({line(4, "山田")}));
    const std::size_t firstEnd = readBytes(journal.path()).size();
    save(file({line(4, "山田"), line(5, "佐藤")}));
    save(file({line(5, "佐藤")}), JournalOp::Delete);
    std::string bytes = readBytes(journal.path());
    bytes[firstEnd + 40] ^= 0x01;
    writeBytes(journal.path(), bytes);
    journal = DayJournal(journalPathFor(day));
    const auto loaded = journal.load();
    ASSERT_TRUE(loaded.notice);
    EXPECT_EQ(journal.entries().size(), 1u);
    EXPECT_EQ(readBytes(dir / "20261205.jnl.damaged"), bytes);
    // The day file is past the entries kept: an outside change from there on.
    EXPECT_EQ(reconcileDay(journal, day, kNow).kind, DayCheck::Kind::OutsideRecorded);
}

TEST_F(JournalFile, BytesAfterTheLastEntryThatNoCrashLeavesAreKeptAside) {
    save(file({line(4, "山田")}));
    save(file({line(4, "山田"), line(5, "佐藤")}));
    const std::string bytes = readBytes(journal.path()) + "entry 3 (edited by hand)\r\n";
    writeBytes(journal.path(), bytes);
    journal = DayJournal(journalPathFor(day));
    const auto loaded = journal.load();
    ASSERT_TRUE(loaded.notice);
    EXPECT_NE(loaded.notice->find("20261205.jnl.damaged"), std::string::npos);
    EXPECT_EQ(readBytes(dir / "20261205.jnl.damaged"), bytes);
    EXPECT_EQ(journal.entries().size(), 2u);
    EXPECT_EQ(reconcileDay(journal, day, kNow).kind, DayCheck::Kind::InStep);
}

TEST(DayPurgeWithJournals, AJournalGoesWithItsDayFileAndNeverBefore) {
    test::TempDir dir;
    const Date today{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{6}};
    auto dayOf = [&](int age) { return dayFilePath(dir.path(), addDays(today, -age)); };
    for (int age : {29, 30, 31, 45})
        writeBytes(journalPathFor(dayOf(age)), journalHeader());
    for (int age : {29, 30})
        writeBytes(dayOf(age), "x\r\n");
    fs::create_directories(dayOf(31) / "stuck"); // a day file that cannot be deleted
    writeBytes(dir / "20261031.jnl.damaged", "x");
    writeBytes(dayOf(0), "x\r\n"); // today's file: the clock is trusted

    purgeOldDayFiles(dir.path(), today);
    EXPECT_TRUE(fs::exists(journalPathFor(dayOf(29))));
    EXPECT_FALSE(fs::exists(dayOf(30)));
    EXPECT_FALSE(fs::exists(journalPathFor(dayOf(30))));
    EXPECT_TRUE(fs::exists(journalPathFor(dayOf(31))));
    EXPECT_FALSE(fs::exists(journalPathFor(dayOf(45)))); // its day file went before
    EXPECT_FALSE(fs::exists(dir / "20261031.jnl.damaged"));
}

} // namespace
} // namespace kavro
