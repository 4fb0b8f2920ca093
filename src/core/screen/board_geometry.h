#pragma once
// Where things sit on a board half, in board units. x counts the minutes of the three-hour
// window from boardStart (0 to 180); y runs down the 17 room rows (0 to 355.5). Drawing,
// the hover read-out and clicks all go through these, so the picture and the pointer agree.
#include "core/records/civil_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

inline constexpr int kBoardWindowMinutes = 180;
// The window starts this long before the time it is placed around (the clock).
inline constexpr long kBoardLeadMinutes = 90;
inline constexpr int kRowsPerHalf = 17;
inline constexpr int kGridLineCount = kRowsPerHalf + 1;
// Vertical time lines run from the first grid line to the bottom of the drawing.
inline constexpr double kTimeLineTop = 13.0;
inline constexpr double kTimeLineBottom = 355.0;
inline constexpr double kHourNumberY = 2.0;

// ---- rows ----
struct BoardRow {
    int half = 0; // 0 left (rooms 001-017), 1 right (rooms 018-034)
    int row = 0;  // 0 at the top
};
BoardRow boardRowOfRoom(int roomIndex);
int roomIndexAt(int half, int row);

double gridLineY(int k); // k = 0..17, the lines that bound the row bands
double barTop(int row);  // the bar sits three units inside its row band
double barBottom(int row);
// Where a row's bars and their texts may leave ink: the band with a margin, for the texts
// reach a little past it. A repaint of the row covers this; a paint of an area draws the rows
// whose ink can reach it.
double rowInkTop(int row);
double rowInkBottom(int row);

// A click or pointer at y hits row r when 16 + 20r <= y <= 32 + 20r; the 4-unit gaps
// between the bands, and anything above or below them, hit no row.
std::optional<int> rowAt(double y);

// ---- time ----
// Minute boundaries passed from boardStart to t: negative before the window, above 180
// after it.
long minuteX(DateTime boardStart, DateTime t);

// A whole number of minutes under a pointer x, halves to even.
long minutesAt(double x);
// The date-time under a pointer x (it keeps the seconds of boardStart).
DateTime timeAt(DateTime boardStart, double x);

struct TimeLine {
    long x = 0;
    bool hour = false;  // an hour line carries its number; otherwise a half-hour line
    int hourNumber = 0; // 0-23, the hour that begins at the line
};
// The dotted lines of the window, left to right.
std::vector<TimeLine> timeLines(DateTime boardStart);

// The current-time line is drawn only while the real clock lies in the shown business day.
bool nowLineShown(DateTime dayStart, DateTime dayEnd, DateTime now);

// ---- bars ----
struct BarTextAnchor {
    double x = 0;       // both texts start 14 units left of the bar's middle
    double nameY = 0;   // the guest name
    double detailY = 0; // "(people)  hh:nn"
};
BarTextAnchor barTextAnchor(double xs, double xe, int row);
// "(2)  23:30": the people and the end time of the bar.
std::string barDetailText(std::string_view people, DateTime end);

struct StatusColours {
    std::uint32_t bar = 0;  // 0xRRGGBB
    std::uint32_t text = 0; // 0xRRGGBB
};
// The colours of the five status words; nothing for any other word.
std::optional<StatusColours> statusColours(std::string_view status);

// ---- hover read-out ----
// The read-out follows the pointer only inside 10 <= x <= 170, 14 <= y <= 355.
bool inReadoutArea(double x, double y);
// Above the pointer, flipped to its left near the right edge so that it stays inside.
double readoutLeft(double x);
double readoutTop(double y);

// ---- click pop-up ----
struct PopupPosition {
    long left = 0; // shared left edge of the three buttons
    long y = 0;    // top of the middle button; the others sit 20 units above and below
};
// Beside the pointer, kept inside the half near its edges; rounded halves to even.
PopupPosition popupPosition(double x, double y);

} // namespace kavro
