#include "core/screen/booking_list_line.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kavro {
namespace {

std::string line(const std::string& id, const std::string& start, const std::string& unit,
                 const std::string& end, const std::string& people, const std::string& name,
                 const std::string& status) {
    return id + "," + start + "," + unit + "," + end + "," + people + "," + id.substr(0, 3) + "," +
           name + "," + status;
}

TEST(BookingListLine, PiecesStandTwoBlanksApartWithTheIdFirst) {
    EXPECT_EQ(bookingListLine(line("001100101", "2026/12/05 23:30", "0.5", "2026/12/06 00:00", "2",
                                   "山田太", "延長")),
              "001100101  23:30  0.5  00:00   2  001    山田太  延長");
}

struct TextCase {
    const char* in;
    const char* out;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << '"' << c.in << '"'; }

class UnitText : public ::testing::TestWithParam<TextCase> {};
TEST_P(UnitText, ShowsOneDecimal) { EXPECT_EQ(unitWithOneDecimal(GetParam().in), GetParam().out); }
INSTANTIATE_TEST_SUITE_P(Units, UnitText,
                         ::testing::Values(TextCase{"2", "2.0"}, TextCase{"1.5", "1.5"},
                                           TextCase{"0.5", "0.5"}, TextCase{"5", "5.0"},
                                           TextCase{"1.25", "1.3"}, TextCase{"abc", "abc"},
                                           TextCase{"", ""}));

class PeopleText : public ::testing::TestWithParam<TextCase> {};
TEST_P(PeopleText, RightAlignedInTwo) { EXPECT_EQ(padLeft(GetParam().in, 2), GetParam().out); }
INSTANTIATE_TEST_SUITE_P(People, PeopleText,
                         ::testing::Values(TextCase{"3", " 3"}, TextCase{"12", "12"},
                                           TextCase{"123", "123"}));

class NameText : public ::testing::TestWithParam<TextCase> {};
TEST_P(NameText, RightAlignedInFiveCharacters) {
    EXPECT_EQ(padLeft(GetParam().in, 5), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Names, NameText,
                         ::testing::Values(TextCase{"山田", "   山田"},
                                           TextCase{"やまだたろ", "やまだたろ"},
                                           TextCase{"やまだたろう様", "やまだたろう様"},
                                           TextCase{"", "     "}));

TEST(BookingListLine, TimesThatAreNoDateTimeAreShownAsTheyAre) {
    EXPECT_EQ(timeTextOfField("2026/12/06 02:05"), "02:05");
    EXPECT_EQ(timeTextOfField("??"), "??");
}

TEST(BookingList, AnExtendedBookingIsListedByIdWhateverItsPositions) {
    RoomGrid grid;
    grid.set(4, 0,
             line("005100302", "2026/12/05 22:00", "0.5", "2026/12/05 22:30", "2", "B", "利用"));
    grid.set(4, 1,
             line("005100100", "2026/12/05 18:00", "1", "2026/12/05 19:00", "2", "X", "精算"));
    grid.set(4, 2,
             line("005100300", "2026/12/05 20:00", "1", "2026/12/05 21:00", "2", "B", "延長"));
    grid.set(4, 3,
             line("005100301", "2026/12/05 21:00", "1", "2026/12/05 22:00", "2", "B", "延長"));
    grid.set(5, 0,
             line("006100400", "2026/12/05 20:00", "1", "2026/12/05 21:00", "2", "C", "利用"));

    auto lines = bookingListLines(grid, "005100301");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 9), "005100300");
    EXPECT_EQ(lines[1].substr(0, 9), "005100301");
    EXPECT_EQ(lines[2].substr(0, 9), "005100302");
}

TEST(BookingList, OfTwoEqualIdsTheLaterVisitedStandsAbove) {
    RoomGrid grid;
    grid.set(33, 0,
             line("034100100", "2026/12/05 20:00", "1", "2026/12/05 21:00", "2", "A", "利用"));
    grid.set(33, 1,
             line("034100100", "2026/12/05 20:00", "1", "2026/12/05 21:00", "2", "B", "予約"));
    auto lines = bookingListLines(grid, "034100100");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("予約"), std::string::npos);
    EXPECT_NE(lines[1].find("利用"), std::string::npos);
}

TEST(BookingList, NothingIsListedForAnIdWithoutRecords) {
    RoomGrid grid;
    grid.set(0, 0,
             line("001100100", "2026/12/05 20:00", "1", "2026/12/05 21:00", "2", "A", "利用"));
    EXPECT_TRUE(bookingListLines(grid, "001100200").empty());
    EXPECT_TRUE(bookingListLines(grid, "").empty());
}

} // namespace
} // namespace kavro
