#include "core/screen/day_view.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

Date d(int y, unsigned m, unsigned dd) { return Date{year{y}, month{m}, day{dd}}; }

struct LimitCase {
    Date picked;
    bool refused;
};

class ViewLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ViewLimit, ThirtyCalendarDaysBackAndEarlierAreRefused) {
    EXPECT_EQ(isBeyondViewLimit(GetParam().picked, d(2026, 12, 6)), GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(Days, ViewLimit,
                         ::testing::Values(LimitCase{d(2026, 11, 7), false},
                                           LimitCase{d(2026, 11, 6), true},
                                           LimitCase{d(2025, 12, 6), true},
                                           LimitCase{d(2026, 12, 6), false},
                                           LimitCase{d(2027, 3, 1), false}));

TEST(ProjectedClock, TheTimeOfDayLandsInTheShownBusinessDay) {
    EXPECT_EQ(projectedClock(d(2026, 12, 1), makeDateTime(d(2026, 12, 6), 14, 20, 5)),
              makeDateTime(d(2026, 12, 1), 14, 20, 5));
    EXPECT_EQ(projectedClock(d(2026, 12, 1), makeDateTime(d(2026, 12, 6), 6, 0)),
              makeDateTime(d(2026, 12, 1), 6, 0));
    EXPECT_EQ(projectedClock(d(2026, 11, 30), makeDateTime(d(2026, 12, 6), 2, 15)),
              makeDateTime(d(2026, 12, 1), 2, 15));
}

} // namespace
} // namespace kavro
