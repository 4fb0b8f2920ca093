// A day file is replaced only while it is still what this program last read or wrote.
#include "ledger/cp932.h"
#include "ledger/day_file.h"
#include "support/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kavro {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

const std::string kLoaded = "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,利用";
const std::string kAdded = "002100200,2026/12/05 20:00,1,2026/12/05 21:00,2,002,鈴木,利用";

struct OutsideChange {
    const char* name;
    std::function<void(const std::filesystem::path&)> change;
    std::optional<SaveFailure> refusal; // nullopt: the save goes ahead
};
void PrintTo(const OutsideChange& c, std::ostream* os) { *os << c.name; }

class DayFileGuard : public ::testing::TestWithParam<OutsideChange> {};

TEST_P(DayFileGuard, ReplacesOnlyTheFileItRead) {
    TempDir dir;
    const auto file = dir / "20261205.txt";
    writeBytes(file, *encodeCp932(kLoaded) + "\r\n");
    auto read = readDayFile(file);
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.identity, identityOf(readBytes(file)));
    RoomGrid grid;
    placeRecords(grid, read.content);
    grid.at(1, 0) = kAdded;

    GetParam().change(file);
    const bool existed = std::filesystem::exists(file);
    const std::string before = readBytes(file);
    auto saved = saveDayFile(file, grid, read.content.kept, read.identity);

    std::size_t entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, existed || !GetParam().refusal ? 1u : 0u) << "no temporary file is left";
    if (!GetParam().refusal) {
        ASSERT_FALSE(saved.error) << saved.error->text;
        EXPECT_EQ(saved.identity, readDayFile(file).identity) << "the next save starts from it";
        EXPECT_EQ(readDayFile(file).content.records.size(), 2u);
        return;
    }
    ASSERT_TRUE(saved.error);
    EXPECT_EQ(saved.error->kind, *GetParam().refusal) << saved.error->text;
    EXPECT_EQ(std::filesystem::exists(file), existed);
    EXPECT_EQ(readBytes(file), before) << "the file is left as the other program made it";
}

void appendLine(const std::filesystem::path& f) {
    writeBytes(f, readBytes(f) + *encodeCp932(kAdded) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Changes, DayFileGuard,
    ::testing::Values(
        OutsideChange{"Untouched", [](const auto&) {}, std::nullopt},
        OutsideChange{"RewrittenWithTheSameBytes",
                      [](const auto& f) { writeBytes(f, readBytes(f)); }, std::nullopt},
        OutsideChange{"LineAdded", appendLine, SaveFailure::ChangedOutside},
        OutsideChange{"LineEndsChanged",
                      [](const auto& f) { writeBytes(f, *encodeCp932(kLoaded) + "\n"); },
                      SaveFailure::ChangedOutside},
        OutsideChange{"Deleted", [](const auto& f) { std::filesystem::remove(f); },
                      SaveFailure::ChangedOutside},
        OutsideChange{"MadeReadOnly", [](const auto& f) { ::chmod(f.c_str(), 0444); },
                      SaveFailure::ReadOnly}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DayFileGuard, ACreatedFileIsKnownAsEmptyAndAMissingOneAsMissing) {
    TempDir dir;
    const auto file = dir / "20261206.txt";
    RoomGrid grid;
    grid.at(0, 0) = kLoaded;
    EXPECT_FALSE(saveDayFile(file, grid, {}, kMissingFile).error) << "a new file may be made";
    EXPECT_EQ(readDayFile(dir / "20261207.txt").identity, identityOf(""));
    auto refused = saveDayFile(file, grid, {}, kMissingFile);
    ASSERT_TRUE(refused.error) << "but not over one made meanwhile";
    EXPECT_EQ(refused.error->kind, SaveFailure::ChangedOutside);
}

TEST(DayFileGuard, ARecordTheFileCannotHoldExactlyIsUnstorable) {
    TempDir dir;
    const auto file = dir / "20261205.txt";
    const auto id = readDayFile(file).identity;
    RoomGrid grid;
    grid.at(0, 0) = "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田〜,利用";
    auto saved = saveDayFile(file, grid, {}, id);
    ASSERT_TRUE(saved.error);
    EXPECT_EQ(saved.error->kind, SaveFailure::Unstorable);
    EXPECT_EQ(readBytes(file), "");
}

} // namespace
} // namespace kavro
