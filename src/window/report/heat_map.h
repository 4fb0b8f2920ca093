#pragma once
// The heat map of the rooms in use by hour: for one day per room and hour, for a longer
// period per weekday and hour (the average over the period's days of that weekday).
#include "core/figures/report_period.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class QPainter;

namespace kavro {

struct HeatMap {
    QString title;
    QStringList rows;                        // room codes or weekdays
    std::vector<std::vector<double>> values; // rows x 24 hours from 06:00
    double maximum = 1;                      // the value drawn darkest
    QString note;                            // what is missing, when something is
};

HeatMap heatMapOf(const PeriodReport& report);

// Labels left, hours on top, one cell per value, a legend below. Scales to the rectangle.
void paintHeatMap(QPainter& painter, const QRectF& area, const HeatMap& map);

class HeatMapWidget : public QWidget {
public:
    explicit HeatMapWidget(QWidget* parent = nullptr);
    void setMap(HeatMap map);
    const HeatMap& map() const { return map_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HeatMap map_;
};

} // namespace kavro
