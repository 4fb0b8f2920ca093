// A day file far larger than any day the desk makes (a disk error, a wrong file copied
// in its place) loads and saves without losing or changing a line.
#include "core/records/cp932.h"
#include "core/records/record.h"
#include "core/storage/day_file.h"
#include "support/desk_save.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace kavro::test {
namespace {

std::vector<std::string> nonBlankLines(const std::string& bytes) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto lf = bytes.find('\n', start);
        std::size_t end = lf == std::string::npos ? bytes.size() : lf;
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            out.push_back(std::move(line));
        start = end + 1;
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(LargeDayFile, EveryLineOfAHugeFileSurvivesLoadAndSave) {
    std::mt19937 rng(7);
    std::string bytes;
    // 100 records for each room: 48 find a place, the rest are kept as they are.
    for (int i = 0; i < 100; ++i)
        for (int room = 0; room < kRoomCount; ++room)
            bytes += *encodeCp932(formatId((room + 1) * 1000000L + (1001 + i) * 100L) +
                                  ",2026/12/05 22:00,1,2026/12/05 23:00,2," + roomCode(room) +
                                  ",客,精算") +
                     (i % 3 ? "\r\n" : "\n");
    // Lines no save writes, many times over: raw bytes of every value, NUL, lone CRs.
    while (bytes.size() < (8u << 20)) {
        std::string junk(1 + rng() % 300, '\0');
        for (auto& c : junk)
            c = static_cast<char>(rng() % 256);
        std::replace(junk.begin(), junk.end(), '\n', '\r');
        bytes += junk + (rng() % 2 ? "\r\n" : "\n");
    }
    bytes += std::string(1 << 20, 'x') + "\r\n"; // one line of a megabyte
    bytes += "last line without an end";

    TempDir dir;
    const auto file = dir / "20261205.txt";
    writeBytes(file, bytes);
    const auto started = std::chrono::steady_clock::now();
    auto read = readDayFile(file);
    ASSERT_FALSE(read.error);
    RoomGrid grid;
    placeRecords(grid, read.content);
    const JournaledSave stored = saveAsTheDesk(file, grid, read.content.kept, read.identity);
    ASSERT_FALSE(stored.error) << *stored.error;
    ASSERT_TRUE(stored.written);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    for (int room = 0; room < kRoomCount; ++room)
        EXPECT_EQ(grid.recordCount(room), kRecordsPerRoom);
    const std::string saved = readBytes(file);
    const auto lines = nonBlankLines(bytes);
    EXPECT_EQ(nonBlankLines(saved), lines) << "a line was lost, changed or added";
    std::printf("%zu bytes, %zu lines (%zu kept as they were) loaded and saved in %.2f s\n",
                bytes.size(), lines.size(), read.content.kept.size(), seconds);

    auto again = readDayFile(file);
    RoomGrid grid2;
    placeRecords(grid2, again.content);
    EXPECT_EQ(renderDayFile(grid2, again.content.kept).bytes, saved)
        << "a second load and save changes nothing";
}

} // namespace
} // namespace kavro::test
