#pragma once
// A window drawn at a fixed design size that a small screen cannot hold (a laptop's
// 768 rows less the desktop's top bar and the title bar) is shrunk as a whole: every
// control, font and painted stroke by the same factor, so that it still reads as the
// same window. Logical sizes that code derives from a widget's size (the board's units,
// its hit areas) follow by themselves.
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace kavro {

// Below this the window's smallest text (9.75 pt, 13 pixels) would fall under 10 pixels;
// a screen that needs more shrinking gets this and shows the rest off its edge.
inline constexpr double kMinimumWindowScale = 0.8;

// The factor by which a window of `design` size inside its frame must shrink to fit the
// screen's available area: 1 when it fits, never below kMinimumWindowScale.
double fittingScale(QSize design, QMargins frame, QRect available);

// Sizes `window` and everything in it at `factor` times the design (the geometry and
// fonts they had when the window was first scaled, or now). A factor of 1 on a window
// never scaled touches nothing.
void scaleWindow(QWidget* window, double factor);

// Fits the window to the screen it is on now and again whenever it is shown (when the
// window manager's frame is known): design size where the screen holds it.
void fitWindowToScreen(QWidget* window);

} // namespace kavro
