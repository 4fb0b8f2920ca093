// "<", "NOW" and ">": moving the board's three-hour window by hand and back to the clock.
#include "app/form1.h"

namespace kavro {

namespace {
constexpr long kStepMinutes = 60;
} // namespace

void Form1::moveBoardBack() {
    board.followsClock = false;
    // The limit is tested before the step, so the last step may go up to an hour past it.
    if (shownDay.start < board.reference) {
        placeBoard(addMinutes(board.reference, -kStepMinutes));
    }
    repaintBoard();
}

void Form1::moveBoardToNow() {
    if (shownDay.offset != 0)
        return;
    placeBoard(platform_.now());
    board.followsClock = true;
    repaintBoard();
}

void Form1::moveBoardForward() {
    board.followsClock = false;
    if (shownDay.end > board.reference) {
        placeBoard(addMinutes(board.reference, kStepMinutes));
    }
    repaintBoard();
}

} // namespace kavro
