#include "core/screen/unsaved_records.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

struct Cell {
    int room;
    int position;
    std::string line;
};

struct UnsavedCase {
    const char* name;
    std::vector<Cell> grid;
    StoredRecords stored;
    std::vector<std::pair<int, int>> unsaved; // room, position
    std::size_t dropped;
};
void PrintTo(const UnsavedCase& c, std::ostream* os) { *os << c.name; }

const std::string kA = "001100100,2026/12/05 20:00,1,2026/12/05 21:00,2,001,山田,利用";
const std::string kB = "005100200,2026/12/05 20:10,1,2026/12/05 21:10,2,005,鈴木,利用";
const std::string kBSettled = "005100200,2026/12/05 20:10,1,2026/12/05 21:10,2,005,鈴木,精算";

class Unsaved : public ::testing::TestWithParam<UnsavedCase> {};

TEST_P(Unsaved, MarksWhatTheFileDoesNotHold) {
    const UnsavedCase& c = GetParam();
    RoomGrid grid;
    for (const Cell& cell : c.grid)
        grid.set(cell.room, cell.position, cell.line);
    const UnsavedRecords result = unsavedRecords(grid, c.stored);
    std::vector<std::pair<int, int>> marked;
    for (int room = 0; room < kRoomCount; ++room)
        for (int pos = 0; pos < kRecordsPerRoom; ++pos)
            if (result.at(room, pos))
                marked.emplace_back(room, pos);
    EXPECT_EQ(marked, c.unsaved);
    EXPECT_EQ(result.dropped, c.dropped);
    EXPECT_EQ(result.any(), !c.unsaved.empty() || c.dropped > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Unsaved,
    ::testing::Values(UnsavedCase{"AsStored", {{0, 0, kA}, {4, 0, kB}}, {kB, kA}, {}, 0},
                      UnsavedCase{"ANewRecord", {{0, 0, kA}, {4, 0, kB}}, {kA}, {{4, 0}}, 0},
                      UnsavedCase{
                          "AChangedStatus", {{0, 0, kA}, {4, 0, kBSettled}}, {kA, kB}, {{4, 0}}, 1},
                      UnsavedCase{"ADeletion", {{0, 0, kA}}, {kA, kB}, {}, 1},
                      // The same line twice is stored once: one of the two is only on screen.
                      UnsavedCase{"ALineTwice", {{0, 0, kA}, {0, 1, kA}}, {kA}, {{0, 1}}, 0},
                      UnsavedCase{"NothingStored", {{0, 0, kA}}, {}, {{0, 0}}, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(StoredRecords, AreTheGridsRecordsInRoomOrder) {
    RoomGrid grid;
    grid.set(4, 0, kB);
    grid.set(0, 0, kA);
    EXPECT_EQ(storedRecordsOf(grid), (StoredRecords{kA, kB}));
    EXPECT_FALSE(unsavedRecords(grid, storedRecordsOf(grid)).any());
}

} // namespace
} // namespace kavro
