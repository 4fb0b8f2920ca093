#include "core/screen/board_geometry.h"

#include "core/records/record.h"
#include "core/rules/day_totals.h"

namespace kavro {

BoardRow boardRowOfRoom(int roomIndex) {
    const int half = roomIndex < kRowsPerHalf ? 0 : 1;
    return {half, roomIndex - kRowsPerHalf * half};
}

int roomIndexAt(int half, int row) { return row + kRowsPerHalf * half; }

double gridLineY(int k) { return 20.0 * k + 13.0; }
double barTop(int row) { return 20.0 * row + 16.0; }
double barBottom(int row) { return 20.0 * row + 30.0; }
double rowInkTop(int row) { return gridLineY(row) - 4.0; }
double rowInkBottom(int row) { return gridLineY(row + 1) + 10.0; }

std::optional<int> rowAt(double y) {
    for (int r = 0; r < kRowsPerHalf; ++r)
        if (16.0 + 20.0 * r <= y && y <= 32.0 + 20.0 * r)
            return r;
    return std::nullopt;
}

long minuteX(DateTime boardStart, DateTime t) { return minuteDiff(boardStart, t); }

long minutesAt(double x) { return roundHalfEven(x); }

DateTime timeAt(DateTime boardStart, double x) { return addMinutes(boardStart, minutesAt(x)); }

std::vector<TimeLine> timeLines(DateTime boardStart) {
    std::vector<TimeLine> lines;
    const int f = minuteOf(boardStart);
    for (int m = f; m <= f + kBoardWindowMinutes; ++m) {
        if (m % 60 == 0)
            lines.push_back({m - f, true, hourOf(addMinutes(boardStart, m))});
        else if (m % 30 == 0)
            lines.push_back({m - f, false, 0});
    }
    return lines;
}

bool nowLineShown(DateTime dayStart, DateTime dayEnd, DateTime now) {
    return dayStart <= now && now <= dayEnd;
}

BarTextAnchor barTextAnchor(double xs, double xe, int row) {
    const double top = barTop(row);
    return {xs + (xe - xs) / 2.0 - 14.0, top + 1.0, top + 7.0};
}

std::string barDetailText(std::string_view people, DateTime end) {
    return "(" + std::string(people) + ")  " + formatHhNn(end);
}

std::optional<StatusColours> statusColours(std::string_view status) {
    if (status == kStatusUse)
        return StatusColours{0x00FFFF, 0x0000FF};
    if (status == kStatusExtended)
        return StatusColours{0x8080FF, 0xFFFF00};
    if (status == kStatusNotified)
        return StatusColours{0xFF0000, 0xFFFFFF};
    if (status == kStatusSettled)
        return StatusColours{0x0000FF, 0xFFFFFF};
    if (status == kStatusReserved)
        return StatusColours{0x00FF00, 0x0000FF};
    return std::nullopt;
}

bool inReadoutArea(double x, double y) {
    return 10.0 <= x && x <= 170.0 && 14.0 <= y && y <= 355.0;
}

double readoutLeft(double x) { return x > 140.0 ? x - 30.0 : x; }

double readoutTop(double y) { return y - 15.0; }

PopupPosition popupPosition(double x, double y) {
    const double px = x > 140.0 ? x - 40.0 : x + 10.0;
    double py = y;
    if (y < 30.0)
        py = y + 20.0;
    else if (y > 335.0)
        py = y - 25.0;
    return {roundHalfEven(px), roundHalfEven(py)};
}

} // namespace kavro
