#include "support/form_fixture.h"

#include <QPushButton>

namespace kavro::test {
namespace {

class TimeShortcuts : public FormTest {
protected:
    void expectWindow(DateTime ref) {
        EXPECT_EQ(form().refNow, ref);
        EXPECT_EQ(form().boardStart, addMinutes(ref, -90));
    }
};

TEST_F(TimeShortcuts, BackStepsWholeHoursUntilTheDayStartIsPassed) {
    setNow(at(2026, 12, 5, 7, 20, 15));
    start();
    form().Command11->click();
    expectWindow(at(2026, 12, 5, 6, 20, 15));
    EXPECT_EQ(form().boardStart, at(2026, 12, 5, 4, 50, 15));
    EXPECT_FALSE(form().followClock);
    form().Command11_Click();
    expectWindow(at(2026, 12, 5, 5, 20, 15));
    form().Command11_Click();
    expectWindow(at(2026, 12, 5, 5, 20, 15));
}

TEST_F(TimeShortcuts, ForwardStepsWholeHoursUntilTheDayEndIsPassed) {
    setNow(at(2026, 12, 6, 5, 40, 0));
    start();
    ASSERT_EQ(form().dayEnd, at(2026, 12, 6, 6, 0, 0));
    form().Command13->click();
    expectWindow(at(2026, 12, 6, 6, 40, 0));
    EXPECT_FALSE(form().followClock);
    form().Command13_Click();
    expectWindow(at(2026, 12, 6, 6, 40, 0));
}

TEST_F(TimeShortcuts, StepRefusedAtTheLimitStillStopsFollowingTheClock) {
    setNow(at(2026, 12, 6, 5, 40, 0));
    start();
    form().refNow = at(2026, 12, 6, 6, 0, 0); // exactly the day's end: not later than it
    form().boardStart = addMinutes(form().refNow, -90);
    form().Command13_Click();
    EXPECT_FALSE(form().followClock);
    expectWindow(at(2026, 12, 6, 6, 0, 0));
}

TEST_F(TimeShortcuts, TickStopsScrollingAfterAStepAndResumesAfterNow) {
    setNow(at(2026, 12, 5, 21, 0, 0));
    start();
    form().Command11_Click();
    expectWindow(at(2026, 12, 5, 20, 0, 0));

    setNow(at(2026, 12, 5, 21, 30, 0));
    form().Timer1_Timer();
    expectWindow(at(2026, 12, 5, 20, 0, 0));
    EXPECT_EQ(form().clockNow, at(2026, 12, 5, 21, 30, 0));

    setNow(at(2026, 12, 5, 21, 31, 5));
    form().Command12->click();
    EXPECT_TRUE(form().followClock);
    expectWindow(at(2026, 12, 5, 21, 31, 5));

    setNow(at(2026, 12, 5, 22, 0, 0));
    form().Timer1_Timer();
    expectWindow(at(2026, 12, 5, 22, 0, 0));
}

TEST_F(TimeShortcuts, NowDoesNothingWhileAnotherDayIsShown) {
    setNow(at(2026, 12, 5, 21, 0, 0));
    start();
    form().Command13_Click();
    form().dayOffset = 3;
    setNow(at(2026, 12, 5, 21, 10, 0));
    form().Command12_Click();
    EXPECT_FALSE(form().followClock);
    expectWindow(at(2026, 12, 5, 22, 0, 0));

    form().dayOffset = 0;
    form().Command12_Click();
    EXPECT_TRUE(form().followClock);
    expectWindow(at(2026, 12, 5, 21, 10, 0));
}

} // namespace
} // namespace kavro::test
