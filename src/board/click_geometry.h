#pragma once
// Where a click on a board half lands, in board units: the row under it, the minute of
// the window, and where the half's pop-up buttons go. No Qt here.
#include <optional>

namespace kavro {

inline constexpr int kRowsPerHalf = 17;

// Row r is hit from 16 + 20r to 32 + 20r inclusive: the bar plus two units below it.
// The 4-unit gaps between rows, and above and below the rows, hit nothing.
std::optional<int> rowAt(double y);

// Room index of a row of a half: left half rooms 0-16, right half 17-33.
constexpr int roomIndexAt(int half, int row) {
    return row + kRowsPerHalf * half;
}

// Minutes from the window's start to the click (halves to even).
long clickMinutes(double x);

// The pop-up beside the pointer, flipped to its left near the right edge and kept
// inside the half near the top and bottom. The three buttons stack at
// top - 20 (延長), top (通知), top + 20 (精算).
struct PopupPosition {
    long left = 0;
    long top = 0;
};
PopupPosition popupPosition(double x, double y);

} // namespace kavro
