#include "core/screen/board_geometry.h"

#include <gtest/gtest.h>

#include <optional>

namespace kavro {
namespace {

DateTime when(int d, int hh, int mm, int ss = 0) {
    using namespace std::chrono;
    return makeDateTime(Date{year{2026}, month{12}, day{static_cast<unsigned>(d)}}, hh, mm, ss);
}

// ---- rows under the pointer ----
struct RowCase {
    double y;
    std::optional<int> row;
};
void PrintTo(const RowCase& c, std::ostream* os) { *os << "y=" << c.y; }
class RowAt : public ::testing::TestWithParam<RowCase> {};
TEST_P(RowAt, HitsTheBandOrNothing) { EXPECT_EQ(rowAt(GetParam().y), GetParam().row); }
INSTANTIATE_TEST_SUITE_P(Bands, RowAt,
                         ::testing::Values(RowCase{15.9, std::nullopt}, RowCase{16, 0},
                                           RowCase{32, 0}, RowCase{33, std::nullopt},
                                           RowCase{35.9, std::nullopt}, RowCase{36, 1},
                                           RowCase{336, 16}, RowCase{352, 16},
                                           RowCase{352.5, std::nullopt},
                                           RowCase{-1, std::nullopt}));

TEST(BoardRows, RoomsSplitOverTheHalves) {
    EXPECT_EQ(boardRowOfRoom(0).half, 0);
    EXPECT_EQ(boardRowOfRoom(16).half, 0);
    EXPECT_EQ(boardRowOfRoom(16).row, 16);
    EXPECT_EQ(boardRowOfRoom(17).half, 1);
    EXPECT_EQ(boardRowOfRoom(17).row, 0);
    EXPECT_EQ(boardRowOfRoom(33).row, 16);
    for (int room = 0; room < 34; ++room)
        EXPECT_EQ(roomIndexAt(boardRowOfRoom(room).half, boardRowOfRoom(room).row), room);
    EXPECT_EQ(roomIndexAt(1, *rowAt(352)), 33) << "the right half's last row is room 034";
}

// ---- click pop-up ----
struct PopupCase {
    double x, y;
    long left, middle;
};
void PrintTo(const PopupCase& c, std::ostream* os) { *os << "x=" << c.x << " y=" << c.y; }
class PopupAt : public ::testing::TestWithParam<PopupCase> {};
TEST_P(PopupAt, StaysInsideTheHalf) {
    const auto p = popupPosition(GetParam().x, GetParam().y);
    EXPECT_EQ(p.left, GetParam().left);
    EXPECT_EQ(p.y, GetParam().middle);
}
INSTANTIATE_TEST_SUITE_P(Edges, PopupAt,
                         ::testing::Values(PopupCase{140, 100, 150, 100},
                                           PopupCase{140.5, 100, 100, 100}, // 100.5 to even
                                           PopupCase{141.5, 100, 102, 100}, // 101.5 to even
                                           PopupCase{2.5, 100, 12, 100}, PopupCase{50, 29, 60, 49},
                                           PopupCase{50, 30, 60, 30}, PopupCase{50, 335, 60, 335},
                                           PopupCase{50, 336, 60, 311},
                                           PopupCase{50, 100.5, 60, 100}));

// ---- the time under the pointer ----
struct TimeCase {
    double x;
    const char* hhnn;
};
void PrintTo(const TimeCase& c, std::ostream* os) { *os << "x=" << c.x; }
class TimeAt : public ::testing::TestWithParam<TimeCase> {};
TEST_P(TimeAt, RoundsToWholeMinutesHalvesToEven) {
    EXPECT_EQ(formatHhNn(timeAt(when(5, 20, 17, 40), GetParam().x)), GetParam().hhnn);
}
INSTANTIATE_TEST_SUITE_P(BoardStart201740, TimeAt,
                         ::testing::Values(TimeCase{12.4, "20:29"}, TimeCase{12.5, "20:29"},
                                           TimeCase{12.6, "20:30"}, TimeCase{13, "20:30"},
                                           TimeCase{13.5, "20:31"}, TimeCase{0, "20:17"},
                                           TimeCase{180, "23:17"}, TimeCase{-0.4, "20:17"}));

TEST(TimeAt, KeepsTheSecondsOfTheWindowStart) {
    EXPECT_EQ(timeAt(when(5, 20, 17, 40), 102.6), when(5, 22, 0, 40));
}

TEST(MinuteX, CountsMinuteBoundariesIgnoringSeconds) {
    EXPECT_EQ(minuteX(when(5, 20, 17, 40), when(5, 20, 18)), 1);
    EXPECT_EQ(minuteX(when(5, 20, 17, 40), when(5, 20, 17)), 0);
    EXPECT_EQ(minuteX(when(5, 20, 17, 40), when(5, 19, 0)), -77);
    EXPECT_EQ(minuteX(when(5, 23, 0), when(6, 2, 0)), 180);
}

// ---- hour and half-hour lines ----
TEST(TimeLines, SitOnWholeAndHalfHours) {
    const auto lines = timeLines(when(5, 20, 17, 40));
    ASSERT_EQ(lines.size(), 6u);
    const long xs[] = {13, 43, 73, 103, 133, 163};
    const bool hour[] = {false, true, false, true, false, true};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].x, xs[i]);
        EXPECT_EQ(lines[i].hour, hour[i]);
    }
    EXPECT_EQ(lines[1].hourNumber, 21);
    EXPECT_EQ(lines[3].hourNumber, 22);
    EXPECT_EQ(lines[5].hourNumber, 23);
}

TEST(TimeLines, WindowStartingOnTheHourHasLinesAtBothEdges) {
    const auto lines = timeLines(when(5, 20, 0));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.front().x, 0);
    EXPECT_EQ(lines.front().hourNumber, 20);
    EXPECT_EQ(lines[1].x, 30);
    EXPECT_FALSE(lines[1].hour);
    EXPECT_EQ(lines.back().x, 180);
    EXPECT_EQ(lines.back().hourNumber, 23);
}

TEST(TimeLines, HourNumbersWrapAtMidnight) {
    const auto lines = timeLines(when(5, 23, 10));
    std::vector<int> hours;
    for (const auto& l : lines)
        if (l.hour)
            hours.push_back(l.hourNumber);
    EXPECT_EQ(hours, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(lines.front().x, 20); // 23:30
}

TEST(NowLine, ShownOnlyInsideTheBusinessDayBoundsIncluded) {
    const DateTime start = when(5, 6, 0), end = when(6, 6, 0);
    EXPECT_TRUE(nowLineShown(start, end, start));
    EXPECT_TRUE(nowLineShown(start, end, end));
    EXPECT_FALSE(nowLineShown(start, end, when(5, 5, 59, 59)));
    EXPECT_FALSE(nowLineShown(start, end, when(6, 6, 0, 1)));
}

// ---- bars ----
TEST(BarText, StartsFourteenUnitsLeftOfTheMiddle) {
    const auto a = barTextAnchor(13, 133, 2);
    EXPECT_DOUBLE_EQ(a.x, 59);
    EXPECT_DOUBLE_EQ(a.nameY, 57);
    EXPECT_DOUBLE_EQ(a.detailY, 63);
    EXPECT_DOUBLE_EQ(barTextAnchor(40, 40, 0).x, 26); // a zero-length stay
    EXPECT_DOUBLE_EQ(barTextAnchor(13, 14, 0).x, -0.5);
    EXPECT_EQ(barDetailText("2", when(5, 23, 30)), "(2)  23:30");
}

} // namespace
} // namespace kavro
