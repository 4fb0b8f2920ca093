#pragma once
// One half of the timetable board. It owns no logic: painting and mouse events go to the
// main window's handlers with the half's index, positions in board units.
#include <QFrame>
#include <QHash>
#include <QPointF>
#include <QStaticText>
#include <QTransform>

namespace kavro {

class Form1;

// Board units: 180 across (one per minute of the window), 355.5 down.
inline constexpr double kBoardUnitsX = 180.0;
inline constexpr double kBoardUnitsY = 355.5;

class BoardHalf : public QFrame {
    Q_OBJECT
public:
    BoardHalf(Form1* form, int index, QWidget* parent);

    int index() const { return index_; }
    // Board units to widget pixels (the drawable area inside the border).
    QTransform unitTransform() const;
    QPointF toUnits(QPointF pixel) const;
    QPointF toPixels(QPointF units) const;
    // Places a child control at a position given in board units.
    void placeChild(QWidget* child, double xUnits, double yUnits);
    // The bar texts laid out at earlier repaints: laying a text out costs more than
    // drawing it, and the board shows mostly the same texts at every tick.
    QHash<QString, QStaticText>& barTexts() { return barTexts_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Form1* form_;
    int index_;
    QHash<QString, QStaticText> barTexts_;
};

} // namespace kavro
