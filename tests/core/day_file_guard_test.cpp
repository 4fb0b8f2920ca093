// A day file is replaced only while it is still what this program last read or wrote.
#include "core/records/cp932.h"
#include "core/storage/day_file.h"
#include "support/desk_save.h"
#include "support/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

namespace kavro {
namespace {

using test::readBytes;
using test::saveAsTheDesk;
using test::strayFiles;
using test::TempDir;
using test::writeBytes;

const std::string kLoaded = "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,利用";
const std::string kAdded = "002100200,2026/12/05 20:00,1,2026/12/05 21:00,2,002,鈴木,利用";

// How a refused save is told apart: the desk reads the file again after an outside change,
// and only reports the others.
enum class Refusal { None, ChangedOutside, ReadOnly };

struct OutsideChange {
    const char* name;
    std::function<void(const std::filesystem::path&)> change;
    Refusal refusal;
};
void PrintTo(const OutsideChange& c, std::ostream* os) { *os << c.name; }

// The other program is done before the save starts, or quicker than it: it changes the file
// once the save's journal entry is durable, while the new content is synced beside the file.
class DayFileGuard : public ::testing::TestWithParam<std::tuple<OutsideChange, bool>> {};

TEST_P(DayFileGuard, ReplacesOnlyTheFileItRead) {
    const auto& [outside, duringTheSave] = GetParam();
    TempDir dir;
    const auto file = dir / "20261205.txt";
    writeBytes(file, *encodeCp932(kLoaded) + "\r\n");
    auto read = readDayFile(file);
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.identity, identityOf(readBytes(file)));
    RoomGrid grid;
    placeRecords(grid, read.content);
    grid.set(1, 0, kAdded);
    // Journaled at the reading, as the desk does: the save then trusts the bytes it read and
    // meets the other program only at its check before the rename.
    {
        DayJournal journal(journalPathFor(file));
        ASSERT_FALSE(journal.load().error);
        reconcileDay(
            journal, file,
            makeDateTime(Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}},
                         19, 0));
    }
    const std::string journalAtRead = readBytes(journalPathFor(file));

    bool changed = false, existed = false;
    std::string before;
    auto changeNow = [&] {
        changed = true;
        outside.change(file);
        existed = std::filesystem::exists(file);
        before = readBytes(file);
    };
    FileOps ops = posixFileOps();
    if (duringTheSave)
        ops.fsync = [&](int fd) {
            if (!changed && !test::isJournal(fd))
                changeNow();
            return ::fsync(fd);
        };
    else
        changeNow();
    const auto saved =
        saveAsTheDesk(file, grid, read.content.kept, read.identity, ops, &read.bytes);
    ASSERT_TRUE(changed);

    EXPECT_TRUE(strayFiles(file).empty()) << "no temporary file is left";
    switch (outside.refusal) {
    case Refusal::None:
        ASSERT_FALSE(saved.error) << *saved.error;
        ASSERT_TRUE(saved.written);
        EXPECT_EQ(readDayFile(file).content.records.size(), 2u);
        EXPECT_EQ(identityOf(renderDayFile(grid, read.content.kept).bytes),
                  readDayFile(file).identity)
            << "the next save starts from the bytes rendered";
        return;
    case Refusal::ChangedOutside:
        EXPECT_TRUE(saved.changedOutside);
        EXPECT_FALSE(saved.error) << *saved.error;
        break;
    case Refusal::ReadOnly:
        EXPECT_FALSE(saved.changedOutside);
        ASSERT_TRUE(saved.error);
        EXPECT_NE(saved.error->find("読み取り専用"), std::string::npos) << *saved.error;
        break;
    }
    EXPECT_FALSE(saved.written);
    EXPECT_EQ(readBytes(journalPathFor(file)), journalAtRead)
        << "a refused save leaves the journal as it was";
    EXPECT_EQ(std::filesystem::exists(file), existed);
    EXPECT_EQ(readBytes(file), before) << "the file is left as the other program made it";
}

void appendLine(const std::filesystem::path& f) {
    writeBytes(f, readBytes(f) + *encodeCp932(kAdded) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Changes, DayFileGuard,
    ::testing::Combine(
        ::testing::Values(
            OutsideChange{"Untouched", [](const auto&) {}, Refusal::None},
            OutsideChange{"RewrittenWithTheSameBytes",
                          [](const auto& f) { writeBytes(f, readBytes(f)); }, Refusal::None},
            OutsideChange{"LineAdded", appendLine, Refusal::ChangedOutside},
            OutsideChange{"LineEndsChanged",
                          [](const auto& f) { writeBytes(f, *encodeCp932(kLoaded) + "\n"); },
                          Refusal::ChangedOutside},
            OutsideChange{"Deleted", [](const auto& f) { std::filesystem::remove(f); },
                          Refusal::ChangedOutside},
            OutsideChange{"MadeReadOnly", [](const auto& f) { ::chmod(f.c_str(), 0444); },
                          Refusal::ReadOnly}),
        ::testing::Bool()),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) +
               (std::get<1>(row.param) ? "DuringTheSave" : "BeforeTheSave");
    });

TEST(DayFileGuard, ACreatedFileIsKnownAsEmptyAndAMissingOneAsMissing) {
    TempDir dir;
    const auto file = dir / "20261206.txt";
    RoomGrid grid;
    grid.set(0, 0, kLoaded);
    EXPECT_TRUE(saveAsTheDesk(file, grid, {}, kMissingFile).written) << "a new file may be made";
    EXPECT_EQ(readDayFile(dir / "20261207.txt").identity, identityOf(""));
    const auto refused = saveAsTheDesk(file, grid, {}, kMissingFile);
    EXPECT_TRUE(refused.changedOutside) << "but not over one made meanwhile";
    EXPECT_FALSE(refused.written);
}

TEST(DayFileGuard, ARecordTheFileCannotHoldExactlyIsUnstorable) {
    TempDir dir;
    const auto file = dir / "20261205.txt";
    const auto id = readDayFile(file).identity;
    RoomGrid grid;
    grid.set(0, 0, "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田〜,利用");
    const auto saved = saveAsTheDesk(file, grid, {}, id);
    ASSERT_TRUE(saved.error);
    EXPECT_NE(saved.error->find("シフトJISで保存できない"), std::string::npos) << *saved.error;
    EXPECT_EQ(readBytes(file), "");
    EXPECT_TRUE(strayFiles(file).empty()) << "nothing is journaled either";
}

} // namespace
} // namespace kavro
