#include "support/form_fixture.h"
#include "window/timetable_board.h"

#include <QPushButton>

namespace kavro::test {
namespace {

class TimeShortcuts : public FormTest {
protected:
    void expectWindow(DateTime ref) {
        EXPECT_EQ(board().span().reference, ref);
        EXPECT_EQ(board().span().start, addMinutes(ref, -90));
    }
    bool follows() const { return board().span().followsClock; }
};

TEST_F(TimeShortcuts, BackStepsWholeHoursUntilTheDayStartIsPassed) {
    setNow(at(2026, 12, 5, 7, 20, 15));
    start();
    click(backButton());
    expectWindow(at(2026, 12, 5, 6, 20, 15));
    EXPECT_EQ(board().span().start, at(2026, 12, 5, 4, 50, 15));
    EXPECT_FALSE(follows());
    click(backButton());
    expectWindow(at(2026, 12, 5, 5, 20, 15));
    click(backButton());
    expectWindow(at(2026, 12, 5, 5, 20, 15));
}

TEST_F(TimeShortcuts, ForwardStepsWholeHoursUntilTheDayEndIsPassed) {
    setNow(at(2026, 12, 6, 5, 40, 0));
    start();
    ASSERT_EQ(model().shownDay().end, at(2026, 12, 6, 6, 0, 0));
    click(forwardButton());
    expectWindow(at(2026, 12, 6, 6, 40, 0));
    EXPECT_FALSE(follows());
    click(forwardButton());
    expectWindow(at(2026, 12, 6, 6, 40, 0));
}

TEST_F(TimeShortcuts, StepRefusedAtTheLimitStillStopsFollowingTheClock) {
    // Started at 06:00:00 the window follows a clock exactly at the day's start: not later
    // than it.
    setNow(at(2026, 12, 5, 6, 0, 0));
    start();
    ASSERT_TRUE(follows());
    click(backButton());
    EXPECT_FALSE(follows());
    expectWindow(at(2026, 12, 5, 6, 0, 0));
}

TEST_F(TimeShortcuts, TickStopsScrollingAfterAStepAndResumesAfterNow) {
    setNow(at(2026, 12, 5, 21, 0, 0));
    start();
    click(backButton());
    expectWindow(at(2026, 12, 5, 20, 0, 0));

    tickAt(at(2026, 12, 5, 21, 30, 0));
    expectWindow(at(2026, 12, 5, 20, 0, 0));
    EXPECT_EQ(model().clock(), at(2026, 12, 5, 21, 30, 0));

    setNow(at(2026, 12, 5, 21, 31, 5));
    click(nowButton());
    EXPECT_TRUE(follows());
    expectWindow(at(2026, 12, 5, 21, 31, 5));

    tickAt(at(2026, 12, 5, 22, 0, 0));
    expectWindow(at(2026, 12, 5, 22, 0, 0));
}

TEST_F(TimeShortcuts, AWindowPlacedByHandStaysThereUntilNow) {
    setNow(at(2026, 12, 5, 21, 0, 0));
    start();
    board().showAt(at(2026, 12, 5, 14, 20, 30));
    EXPECT_FALSE(follows());
    expectWindow(at(2026, 12, 5, 14, 20, 30));
    tickAt(at(2026, 12, 5, 21, 0, 30));
    expectWindow(at(2026, 12, 5, 14, 20, 30));
    click(nowButton());
    expectWindow(at(2026, 12, 5, 21, 0, 30));
}

TEST_F(TimeShortcuts, NowDoesNothingWhileAnotherDayIsShown) {
    setNow(at(2026, 12, 5, 21, 0, 0));
    start();
    click(forwardButton());
    pickDate(ymd(2026, 12, 8)); // the window goes to the time of day on the 8th
    expectWindow(at(2026, 12, 8, 21, 0, 0));
    setNow(at(2026, 12, 5, 21, 10, 0));
    click(nowButton());
    EXPECT_FALSE(follows());
    expectWindow(at(2026, 12, 8, 21, 0, 0));

    pickDate(ymd(2026, 12, 5));
    click(nowButton());
    EXPECT_TRUE(follows());
    expectWindow(at(2026, 12, 5, 21, 10, 0));
}

} // namespace
} // namespace kavro::test
