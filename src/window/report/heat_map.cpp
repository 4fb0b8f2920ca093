#include "window/report/heat_map.h"

#include "core/figures/report_csv.h"
#include "core/records/record.h"

#include <QPainter>
#include <algorithm>

namespace kavro {

namespace {

QColor cellColour(double value, double maximum) {
    const double t = maximum > 0 ? std::clamp(value / maximum, 0.0, 1.0) : 0.0;
    // White to a deep blue: readable on paper in grey as well.
    return QColor::fromRgbF(1.0 - 0.85 * t, 1.0 - 0.65 * t, 1.0 - 0.25 * t);
}

} // namespace

HeatMap heatMapOf(const PeriodReport& report) {
    HeatMap map;
    const PeriodFigures& p = report.figures;
    if (report.period.dayCount() == 1 && !p.days.empty()) {
        const DayFigures& d = p.days.front();
        if (d.hasRoomHours) {
            map.title = QStringLiteral("部屋別・時間帯別の利用（分）");
            map.maximum = 60;
            for (int r = 0; r < kRoomCount; ++r) {
                map.rows << QString::fromStdString(roomCode(r));
                map.values.emplace_back(d.roomHourMinutes[r].begin(), d.roomHourMinutes[r].end());
            }
            return map;
        }
        // The day file is gone: the summary keeps only the hours of all rooms together.
        map.title = QStringLiteral("時間帯別の利用室数（平均）");
        map.maximum = kRoomCount;
        map.rows << QStringLiteral("全室");
        std::vector<double> hours;
        for (long m : d.hourRoomMinutes)
            hours.push_back(m / 60.0);
        map.values.push_back(std::move(hours));
        map.note = d.source == FiguresSource::None
                       ? QStringLiteral("この日の記録はありません。")
                       : QStringLiteral("この日の日付ファイルは削除済みのため、部屋別・時間帯別の"
                                        "記録はありません（集計ファイルの全室合計のみ）。");
        return map;
    }
    map.title = QStringLiteral("曜日別・時間帯別の平均利用室数");
    map.maximum = 1;
    for (int wd = 0; wd < 7; ++wd) {
        map.rows << QString::fromStdString(weekdayName(wd));
        map.values.emplace_back(p.weekdayHourRooms[wd].begin(), p.weekdayHourRooms[wd].end());
        for (double v : map.values.back())
            map.maximum = std::max(map.maximum, v);
    }
    if (p.daysFromSummary > 0)
        map.note = QStringLiteral("日付ファイルが削除済みの%1日分は集計ファイルの値です。")
                       .arg(p.daysFromSummary);
    return map;
}

void paintHeatMap(QPainter& painter, const QRectF& area, const HeatMap& map) {
    painter.save();
    const QFontMetricsF fm(painter.font());
    const double lineHeight = fm.height();
    const double labelWidth = fm.horizontalAdvance(QStringLiteral("全室 ")) + lineHeight * 0.5;
    painter.drawText(QRectF(area.left(), area.top(), area.width(), lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, map.title);
    const int rows = static_cast<int>(map.values.size());
    const double top = area.top() + lineHeight * 2.2;
    const double legend = map.note.isEmpty() ? lineHeight * 1.5 : lineHeight * 2.7;
    const double cellW = (area.width() - labelWidth) / kHoursPerDay;
    const double cellH = rows > 0 ? std::max(1.0, (area.bottom() - legend - top) / rows) : 0;

    for (int h = 0; h < kHoursPerDay; h += 2)
        painter.drawText(QRectF(area.left() + labelWidth + h * cellW, top - lineHeight * 1.1,
                                cellW * 2, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number((h + 6) % 24));
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    for (int r = 0; r < rows; ++r) {
        const double y = top + r * cellH;
        for (int h = 0; h < kHoursPerDay; ++h) {
            const QRectF cell(area.left() + labelWidth + h * cellW, y, cellW, cellH);
            painter.fillRect(cell, cellColour(map.values[r][h], map.maximum));
            painter.drawRect(cell);
        }
    }
    painter.setPen(Qt::black);
    // Room labels get smaller with 34 rows; print every row while they still fit.
    const int every = cellH >= lineHeight * 0.9 ? 1 : (cellH * 2 >= lineHeight * 0.9 ? 2 : 4);
    for (int r = 0; r < rows; r += every)
        painter.drawText(QRectF(area.left(), top + r * cellH, labelWidth, cellH),
                         Qt::AlignLeft | Qt::AlignVCenter, map.rows.value(r));

    const double legendTop = top + rows * cellH + lineHeight * 0.3;
    const double swatch = lineHeight * 0.8;
    for (int i = 0; i <= 4; ++i)
        painter.fillRect(QRectF(area.left() + labelWidth + i * swatch, legendTop, swatch, swatch),
                         cellColour(i / 4.0, 1.0));
    painter.drawText(QRectF(area.left() + labelWidth + 5.5 * swatch, legendTop - lineHeight * 0.1,
                            area.width(), lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("0 〜 %1").arg(map.maximum, 0, 'f', map.maximum < 10 ? 1 : 0));
    if (!map.note.isEmpty())
        painter.drawText(
            QRectF(area.left(), legendTop + lineHeight * 1.1, area.width(), lineHeight),
            Qt::AlignLeft | Qt::AlignVCenter, map.note);
    painter.restore();
}

HeatMapWidget::HeatMapWidget(QWidget* parent) : QWidget(parent) { setMinimumSize(480, 260); }

void HeatMapWidget::setMap(HeatMap map) {
    map_ = std::move(map);
    update();
}

void HeatMapWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintHeatMap(painter, QRectF(rect()).adjusted(8, 8, -8, -8), map_);
}

} // namespace kavro
