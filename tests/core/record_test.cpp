#include "core/records/record.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

const std::string kLine = "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,利用";

TEST(RecordLine, SplitsAndJoinsTheEightFields) {
    auto f = parseFields(kLine);
    EXPECT_EQ(f.id, "001100100");
    EXPECT_EQ(f.start, "2026/12/05 22:00");
    EXPECT_EQ(f.unit, "1.5");
    EXPECT_EQ(f.name, "山田");
    EXPECT_EQ(f.status, "利用");
    EXPECT_EQ(joinRecord(f), kLine);
}

TEST(RecordLine, StatusIsTheLastTwoCharactersInAnyScript) {
    EXPECT_EQ(statusOf(kLine), "利用");
    EXPECT_EQ(withStatus(kLine, kStatusExtended),
              "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,延長");
    EXPECT_EQ(statusOf("ab"), "ab");
    EXPECT_EQ(statusOf("x"), "x");
}

TEST(RecordLine, IdNumbersAndRoomCodes) {
    EXPECT_EQ(idNumber(kLine), 1100100);
    EXPECT_EQ(groupNumberOf("012100503,..."), 100503);
    EXPECT_EQ(formatId(1100101), "001100101");
    EXPECT_EQ(roomIndexOfCode("001"), 0);
    EXPECT_EQ(roomIndexOfCode("034"), 33);
    for (const char* bad : {"000", "035", "1", "01", "0010", "a01", ""})
        EXPECT_FALSE(roomIndexOfCode(bad)) << bad;
    EXPECT_EQ(roomCode(16), "017");
}

struct FormCase {
    std::string line;
    bool wellFormed;
};

class WellFormed : public ::testing::TestWithParam<FormCase> {};

TEST_P(WellFormed, Judges) {
    EXPECT_EQ(isWellFormedRecord(GetParam().line), GetParam().wellFormed);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WellFormed,
    ::testing::Values(
        FormCase{kLine, true},
        FormCase{"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,,予約", true},
        FormCase{"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,他", true},
        FormCase{"034100100,2026/12/05 22:00,x,2026/12/05 23:30,26,034,a,利用", true},
        FormCase{"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山,田,利用", false},
        FormCase{"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田", false},
        FormCase{"00110010,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,利用", false},
        FormCase{"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,035,山田,利用", false},
        FormCase{"001100100,2026/12/05,1.5,2026/12/05 23:30,2,001,山田,利用", false},
        FormCase{"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2.5,001,山田,利用", false},
        FormCase{"001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,-2,001,山田,利用", false},
        FormCase{"", false}));

// The views the painter and the loader read must give exactly the copied fields.
class FieldViews : public ::testing::TestWithParam<std::string> {};

TEST_P(FieldViews, MatchTheCopiedFields) {
    const std::string& line = GetParam();
    const RecordFields copied = parseFields(line);
    const RecordView viewed = viewFields(line);
    EXPECT_EQ(viewed.id, copied.id);
    EXPECT_EQ(viewed.start, copied.start);
    EXPECT_EQ(viewed.unit, copied.unit);
    EXPECT_EQ(viewed.end, copied.end);
    EXPECT_EQ(viewed.people, copied.people);
    EXPECT_EQ(viewed.room, copied.room);
    EXPECT_EQ(viewed.name, copied.name);
    EXPECT_EQ(viewed.status, copied.status);
    EXPECT_EQ(fieldCount(line), splitFields(line).size());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FieldViews,
    ::testing::Values(kLine, "", "abc", "a,b", ",,,,,,,", "1,2,3,4,5,6,7,8,9,10",
                      "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山,田,利用",
                      "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,",
                      "001100100,2026/12/05 22:00"));

} // namespace
} // namespace kavro
