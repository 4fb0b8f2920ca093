#pragma once
// The heat map of the rooms in use by hour: for one day per room and hour, for a longer
// period per weekday and hour (the average over the period's days of that weekday).
#include "core/figures/report_period.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

class QFontMetricsF;
class QPainter;

namespace kavro {

struct HeatMap {
    QString title;
    QStringList rows;                        // room codes or weekdays
    std::vector<std::vector<double>> values; // rows x 24 hours from 06:00
    double maximum = 1;                      // the value drawn darkest
    bool inMinutes = false;                  // minutes of a room (else rooms in use)
    QString note;                            // what is missing, when something is

    QString valueText(double value) const; // "45" minutes, "1.5" rooms
    QString legend() const;                // what the colours mean, and their range
    QString cellToolTip(int row, int hour) const;
};

HeatMap heatMapOf(const PeriodReport& report);

// Where the cells stand in a rectangle, for painting and for finding the cell under a point.
struct HeatMapLayout {
    HeatMapLayout(const QRectF& area, const QFontMetricsF& metrics, const HeatMap& map);
    QRectF cell(int row, int hour) const;
    // The row and hour of the cell at the point, if any.
    std::optional<std::pair<int, int>> cellAt(const QPointF& point) const;

    double left, top, cellWidth, cellHeight, labelWidth, lineHeight;
    int rows;
};

// Labels left, hours on top, one cell per value (written in it where it fits), a legend
// below. Scales to the rectangle.
void paintHeatMap(QPainter& painter, const QRectF& area, const HeatMap& map);

class HeatMapWidget : public QWidget {
public:
    explicit HeatMapWidget(QWidget* parent = nullptr);
    void setMap(HeatMap map);
    const HeatMap& map() const { return map_; }
    // What the tooltip says over this point of the widget; empty off the cells.
    QString toolTipAt(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRectF mapArea() const;
    HeatMap map_;
};

} // namespace kavro
