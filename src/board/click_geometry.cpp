#include "board/click_geometry.h"

#include "ledger/day_totals.h"

namespace kavro {

std::optional<int> rowAt(double y) {
    for (int r = 0; r < kRowsPerHalf; ++r)
        if (16.0 + 20.0 * r <= y && y <= 32.0 + 20.0 * r)
            return r;
    return std::nullopt;
}

long clickMinutes(double x) {
    return roundHalfEven(x);
}

PopupPosition popupPosition(double x, double y) {
    const double px = x > 140 ? x - 40 : x + 10;
    const double py = y < 30 ? y + 20 : (y > 335 ? y - 25 : y);
    return {roundHalfEven(px), roundHalfEven(py)};
}

} // namespace kavro
