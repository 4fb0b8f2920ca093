// "<", "NOW" and ">": moving the board's three-hour window by hand and back to the clock.
#include "app/form1.h"

namespace kavro {

namespace {
constexpr long kStepMinutes = 60;
constexpr long kWindowLead = 90; // the window starts this long before refNow
} // namespace

void Form1::Command11_Click() {
    followClock = false;
    // The limit is tested before the step, so the last step may go up to an hour past it.
    if (dayStart < refNow) {
        refNow = addMinutes(refNow, -kStepMinutes);
        boardStart = addMinutes(refNow, -kWindowLead);
    }
    repaintBoard();
}

void Form1::Command12_Click() {
    if (dayOffset != 0)
        return;
    refNow = platform_.now();
    boardStart = addMinutes(refNow, -kWindowLead);
    followClock = true;
    repaintBoard();
}

void Form1::Command13_Click() {
    followClock = false;
    if (dayEnd > refNow) {
        refNow = addMinutes(refNow, kStepMinutes);
        boardStart = addMinutes(refNow, -kWindowLead);
    }
    repaintBoard();
}

} // namespace kavro
