#include "ledger/day_file.h"
#include "ledger/day_purge.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

TEST(DayPurge, DeletesFilesThirtyToSixtyDaysOldCountedFromTheCalendarDate) {
    test::TempDir dir;
    const Date today{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{6}};
    for (int age : {0, 1, 29, 30, 45, 60, 61, 90})
        test::writeBytes(dayFilePath(dir.path(), addDays(today, -age)), "x\r\n");
    test::writeBytes(dir / ".kavro-tmp-20261206.txt.abc123", "half a save");
    test::writeBytes(dir / "notes.txt", "keep");

    auto deleted = purgeOldDayFiles(dir.path(), today);
    EXPECT_EQ(deleted.size(), 3u);
    for (int age : {0, 1, 29, 61, 90})
        EXPECT_TRUE(std::filesystem::exists(dayFilePath(dir.path(), addDays(today, -age)))) << age;
    for (int age : {30, 45, 60})
        EXPECT_FALSE(std::filesystem::exists(dayFilePath(dir.path(), addDays(today, -age)))) << age;
    EXPECT_FALSE(std::filesystem::exists(dir / ".kavro-tmp-20261206.txt.abc123"));
    EXPECT_TRUE(std::filesystem::exists(dir / "notes.txt"));
}

TEST(DayPurge, AnUndeletableEntryIsSkipped) {
    test::TempDir dir;
    const Date today{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{6}};
    auto stuck = dayFilePath(dir.path(), addDays(today, -30));
    std::filesystem::create_directories(stuck / "inside");
    test::writeBytes(dayFilePath(dir.path(), addDays(today, -31)), "x");
    EXPECT_EQ(purgeOldDayFiles(dir.path(), today).size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(stuck));
}

} // namespace
} // namespace kavro
