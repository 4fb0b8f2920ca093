#pragma once
// One half of the timetable board: rooms 001-017 or 018-034 against the three-hour window.
// It paints itself from the desk model's records (read only) and says where it was pressed
// and where the pointer is, in board units.
#include "core/records/civil_time.h"
#include "window/board_bars.h"

#include <QFrame>
#include <QImage>
#include <QPointF>
#include <QTransform>

namespace kavro {

class DeskModel;
struct BoardWindow;

// Board units: 180 across (one per minute of the window), 355.5 down.
inline constexpr double kBoardUnitsX = 180.0;
inline constexpr double kBoardUnitsY = 355.5;

class BoardHalf : public QFrame {
    Q_OBJECT
public:
    BoardHalf(const DeskModel& model, const BoardWindow& span, int index, QWidget* parent);

    int index() const { return index_; }
    // Board units to widget pixels (the drawable area inside the border).
    QTransform unitTransform() const;
    QPointF toUnits(QPointF pixel) const;
    QPointF toPixels(QPointF units) const;
    // Places a child control at a position given in board units.
    void placeChild(QWidget* child, double xUnits, double yUnits);
    // The half drawn off-screen at its present size, through its own paint event.
    QImage render();

signals:
    void pressed(double xUnits, double yUnits);
    void hovered(double xUnits, double yUnits);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const DeskModel& model_;
    const BoardWindow& span_;
    int index_;
    BoardBars bars_;
};

} // namespace kavro
