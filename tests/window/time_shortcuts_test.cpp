#include "support/form_fixture.h"

#include <QPushButton>

namespace kavro::test {
namespace {

class TimeShortcuts : public FormTest {
protected:
    void expectWindow(DateTime ref) {
        EXPECT_EQ(form().board.reference, ref);
        EXPECT_EQ(form().board.start, addMinutes(ref, -90));
    }
};

TEST_F(TimeShortcuts, BackStepsWholeHoursUntilTheDayStartIsPassed) {
    setNow(at(2026, 12, 5, 7, 20, 15));
    start();
    form().boardBackButton->click();
    expectWindow(at(2026, 12, 5, 6, 20, 15));
    EXPECT_EQ(form().board.start, at(2026, 12, 5, 4, 50, 15));
    EXPECT_FALSE(form().board.followsClock);
    form().moveBoardBack();
    expectWindow(at(2026, 12, 5, 5, 20, 15));
    form().moveBoardBack();
    expectWindow(at(2026, 12, 5, 5, 20, 15));
}

TEST_F(TimeShortcuts, ForwardStepsWholeHoursUntilTheDayEndIsPassed) {
    setNow(at(2026, 12, 6, 5, 40, 0));
    start();
    ASSERT_EQ(form().shownDay.end, at(2026, 12, 6, 6, 0, 0));
    form().boardForwardButton->click();
    expectWindow(at(2026, 12, 6, 6, 40, 0));
    EXPECT_FALSE(form().board.followsClock);
    form().moveBoardForward();
    expectWindow(at(2026, 12, 6, 6, 40, 0));
}

TEST_F(TimeShortcuts, StepRefusedAtTheLimitStillStopsFollowingTheClock) {
    setNow(at(2026, 12, 6, 5, 40, 0));
    start();
    form().board.reference = at(2026, 12, 6, 6, 0, 0); // exactly the day's end: not later than it
    form().board.start = addMinutes(form().board.reference, -90);
    form().moveBoardForward();
    EXPECT_FALSE(form().board.followsClock);
    expectWindow(at(2026, 12, 6, 6, 0, 0));
}

TEST_F(TimeShortcuts, TickStopsScrollingAfterAStepAndResumesAfterNow) {
    setNow(at(2026, 12, 5, 21, 0, 0));
    start();
    form().moveBoardBack();
    expectWindow(at(2026, 12, 5, 20, 0, 0));

    setNow(at(2026, 12, 5, 21, 30, 0));
    form().tick();
    expectWindow(at(2026, 12, 5, 20, 0, 0));
    EXPECT_EQ(form().clockNow, at(2026, 12, 5, 21, 30, 0));

    setNow(at(2026, 12, 5, 21, 31, 5));
    form().boardNowButton->click();
    EXPECT_TRUE(form().board.followsClock);
    expectWindow(at(2026, 12, 5, 21, 31, 5));

    setNow(at(2026, 12, 5, 22, 0, 0));
    form().tick();
    expectWindow(at(2026, 12, 5, 22, 0, 0));
}

TEST_F(TimeShortcuts, NowDoesNothingWhileAnotherDayIsShown) {
    setNow(at(2026, 12, 5, 21, 0, 0));
    start();
    form().moveBoardForward();
    form().shownDay.offset = 3;
    setNow(at(2026, 12, 5, 21, 10, 0));
    form().moveBoardToNow();
    EXPECT_FALSE(form().board.followsClock);
    expectWindow(at(2026, 12, 5, 22, 0, 0));

    form().shownDay.offset = 0;
    form().moveBoardToNow();
    EXPECT_TRUE(form().board.followsClock);
    expectWindow(at(2026, 12, 5, 21, 10, 0));
}

} // namespace
} // namespace kavro::test
