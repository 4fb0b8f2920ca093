#include "window/report/heat_map.h"

#include "core/figures/report_csv.h"
#include "core/records/record.h"

#include <QHelpEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QToolTip>
#include <algorithm>

namespace kavro {

namespace {

QColor cellColour(double value, double maximum) {
    const double t = maximum > 0 ? std::clamp(value / maximum, 0.0, 1.0) : 0.0;
    // White to a deep blue: readable on paper in grey as well.
    return QColor::fromRgbF(1.0 - 0.85 * t, 1.0 - 0.65 * t, 1.0 - 0.25 * t);
}

} // namespace

QString HeatMap::valueText(double value) const {
    return QString::number(value, 'f', inMinutes ? 0 : 1)
        .replace(QRegularExpression(QStringLiteral("\\.0$")), QString());
}

QString HeatMap::legend() const {
    return inMinutes
               ? QStringLiteral("色の濃さ: 1時間のうち使われた分数（0〜60分）")
               : QStringLiteral("色の濃さ: 1時間の平均利用室数（0〜%1室）").arg(valueText(maximum));
}

QString HeatMap::cellToolTip(int row, int hour) const {
    const QString hours = QStringLiteral("%1時〜%2時").arg((hour + 6) % 24).arg((hour + 7) % 24);
    const double value = values[row][hour];
    if (inMinutes)
        return QStringLiteral("部屋 %1　%2\n利用 %3分")
            .arg(rows.value(row), hours, valueText(value));
    const QString name =
        rows.size() == 7 ? rows.value(row) + QStringLiteral("曜日") : rows.value(row);
    return QStringLiteral("%1　%2\n平均 %3室").arg(name, hours, QString::number(value, 'f', 1));
}

HeatMap heatMapOf(const PeriodReport& report) {
    HeatMap map;
    const PeriodFigures& p = report.figures;
    if (report.period.dayCount() == 1 && !p.days.empty()) {
        const DayFigures& d = p.days.front();
        if (d.hasRoomHours) {
            map.title = QStringLiteral("部屋別・時間帯別の利用（分）");
            map.maximum = 60;
            map.inMinutes = true;
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

HeatMapLayout::HeatMapLayout(const QRectF& area, const QFontMetricsF& fm, const HeatMap& map)
    : left(area.left()), lineHeight(fm.height()), rows(static_cast<int>(map.values.size())) {
    labelWidth = fm.horizontalAdvance(QStringLiteral("全室 ")) + lineHeight * 0.5;
    top = area.top() + lineHeight * 2.2;
    const double legend = map.note.isEmpty() ? lineHeight * 1.5 : lineHeight * 2.7;
    cellWidth = (area.width() - labelWidth) / kHoursPerDay;
    cellHeight = rows > 0 ? std::max(1.0, (area.bottom() - legend - top) / rows) : 0;
}

QRectF HeatMapLayout::cell(int row, int hour) const {
    return {left + labelWidth + hour * cellWidth, top + row * cellHeight, cellWidth, cellHeight};
}

std::optional<std::pair<int, int>> HeatMapLayout::cellAt(const QPointF& point) const {
    const double x = (point.x() - left - labelWidth) / cellWidth;
    const double y = cellHeight > 0 ? (point.y() - top) / cellHeight : -1;
    if (x < 0 || y < 0 || x >= kHoursPerDay || y >= rows)
        return std::nullopt;
    return std::pair{static_cast<int>(y), static_cast<int>(x)};
}

void paintHeatMap(QPainter& painter, const QRectF& area, const HeatMap& map) {
    painter.save();
    const HeatMapLayout at(area, QFontMetricsF(painter.font()), map);
    const double lineHeight = at.lineHeight;
    painter.drawText(QRectF(area.left(), area.top(), area.width(), lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, map.title);

    for (int h = 0; h < kHoursPerDay; h += 2)
        painter.drawText(
            QRectF(at.cell(0, h).left(), at.top - lineHeight * 1.1, at.cellWidth * 2, lineHeight),
            Qt::AlignLeft | Qt::AlignVCenter, QString::number((h + 6) % 24));
    // The values in the cells, in a smaller type, where the widest of them fits.
    QFont small = painter.font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    const QFontMetricsF smallMetrics(small);
    const bool writeValues =
        smallMetrics.height() <= at.cellHeight &&
        smallMetrics.horizontalAdvance(map.valueText(map.maximum)) + 2 <= at.cellWidth;
    const QFont labelFont = painter.font();
    painter.setFont(small);
    for (int r = 0; r < at.rows; ++r)
        for (int h = 0; h < kHoursPerDay; ++h) {
            const double value = map.values[r][h];
            const QRectF cell = at.cell(r, h);
            painter.fillRect(cell, cellColour(value, map.maximum));
            painter.setPen(QColor(0xC0, 0xC0, 0xC0));
            painter.drawRect(cell);
            if (!writeValues || map.valueText(value) == QStringLiteral("0"))
                continue;
            painter.setPen(value > map.maximum * 0.55 ? Qt::white : Qt::black);
            painter.drawText(cell, Qt::AlignCenter, map.valueText(value));
        }
    painter.setFont(labelFont);
    painter.setPen(Qt::black);
    // Room labels get smaller with 34 rows; print every row while they still fit.
    const double cellH = at.cellHeight;
    const int every = cellH >= lineHeight * 0.9 ? 1 : (cellH * 2 >= lineHeight * 0.9 ? 2 : 4);
    for (int r = 0; r < at.rows; r += every)
        painter.drawText(QRectF(area.left(), at.top + r * cellH, at.labelWidth, cellH),
                         Qt::AlignLeft | Qt::AlignVCenter, map.rows.value(r));

    const double legendTop = at.top + at.rows * cellH + lineHeight * 0.3;
    const double swatch = lineHeight * 0.8;
    for (int i = 0; i <= 4; ++i)
        painter.fillRect(
            QRectF(area.left() + at.labelWidth + i * swatch, legendTop, swatch, swatch),
            cellColour(i / 4.0, 1.0));
    painter.drawText(QRectF(area.left() + at.labelWidth + 5.5 * swatch,
                            legendTop - lineHeight * 0.1, area.width(), lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, map.legend());
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

QRectF HeatMapWidget::mapArea() const { return QRectF(rect()).adjusted(8, 8, -8, -8); }

void HeatMapWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintHeatMap(painter, mapArea(), map_);
}

QString HeatMapWidget::toolTipAt(const QPoint& point) const {
    const auto cell = HeatMapLayout(mapArea(), QFontMetricsF(font()), map_).cellAt(point);
    return cell ? map_.cellToolTip(cell->first, cell->second) : QString();
}

bool HeatMapWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = toolTipAt(help->pos());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this);
    return true;
}

} // namespace kavro
