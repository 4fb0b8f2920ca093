#pragma once
// Drawing one board half: the grid, the time lines, the current-time line and the bars of its
// rooms, from the desk model's records as they stand. The painter arrives in board units,
// clipped to the half's drawable area.
#include "core/records/civil_time.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace kavro {

class BoardBars;
class DeskModel;

struct BoardScene {
    const DeskModel& model;
    DateTime windowStart; // the left edge of the three-hour window
    int half = 0;         // 0: rooms 001-017, 1: rooms 018-034
    QFont font;           // the half's font, which the window's scale sizes
    // The bars worked out at earlier repaints, kept by the half between them.
    BoardBars& bars;
    // The part to paint, in board units: rows whose ink cannot reach it are not drawn.
    QRectF area{0, 0, 1e9, 1e9};
};

void paintBoardHalf(QPainter& painter, const BoardScene& scene);

} // namespace kavro
