#include "window/report/report_chart.h"

#include "window/qt_date.h"
#include "window/report/report_text.h"

#include <QDateTime>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <functional>

namespace kavro {

namespace {

const QColor kPartiesColour(0x50, 0x80, 0xC0);
const QColor kOccupancyColour(0xD0, 0x50, 0x20);

QValueAxis* valueAxis(QChart* chart, const QString& title, double maximum, double floor,
                      double ceiling, Qt::Alignment side) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setRange(0, std::min(ceiling, std::max(floor, maximum * 1.15)));
    axis->applyNiceNumbers();
    chart->addAxis(axis, side);
    return axis;
}

// One line per run of days with figures: a day without them ends a run, so the line
// stops there instead of joining its neighbours. A run of one day shows as a dot.
void addLineRuns(QChart* chart, const PeriodFigures& p, const QString& name, const QColor& colour,
                 const std::function<double(std::size_t)>& x,
                 const std::function<double(const DayFigures&)>& y,
                 const std::vector<QAbstractAxis*>& axes) {
    bool first = true;
    for (std::size_t i = 0; i < p.days.size();) {
        if (p.days[i].source == FiguresSource::None) {
            ++i;
            continue;
        }
        auto* run = new QLineSeries;
        run->setName(name);
        run->setColor(colour);
        for (; i < p.days.size() && p.days[i].source != FiguresSource::None; ++i)
            run->append(x(i), y(p.days[i]));
        run->setPointsVisible(run->count() == 1 || p.days.size() <= kMaxBarDays);
        chart->addSeries(run);
        for (auto* axis : axes)
            run->attachAxis(axis);
        // The legend names each line once.
        for (auto* marker : chart->legend()->markers(run))
            marker->setVisible(first);
        first = false;
    }
}

QBarSeries* addBars(QChart* chart, const QString& name, const QColor& colour,
                    const std::vector<double>& values) {
    auto* set = new QBarSet(name);
    set->setColor(colour);
    for (double v : values)
        *set << v;
    auto* bars = new QBarSeries;
    bars->append(set);
    chart->addSeries(bars);
    return bars;
}

QBarCategoryAxis* categoryAxis(QChart* chart, const QStringList& categories, int labelAngle) {
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    axis->setLabelsAngle(labelAngle);
    chart->addAxis(axis, Qt::AlignBottom);
    return axis;
}

// One day: bars of the average rooms in use in each hour from 06:00 to 05:00.
void fillHours(QChart* chart, const DayFigures& d) {
    std::vector<double> rooms;
    QStringList hours;
    for (int h = 0; h < kHoursPerDay; ++h) {
        rooms.push_back(d.hourRoomMinutes[h] / 60.0);
        hours << QString::number((h + 6) % 24);
    }
    auto* bars = addBars(chart, QStringLiteral("利用室数（1時間の平均）"), kPartiesColour, rooms);
    auto* axis = categoryAxis(chart, hours, 0);
    axis->setTitleText(QStringLiteral("時"));
    const double most = *std::max_element(rooms.begin(), rooms.end());
    bars->attachAxis(axis);
    bars->attachAxis(
        valueAxis(chart, QStringLiteral("利用室数"), most, 5, kRoomCount, Qt::AlignLeft));
}

} // namespace

QChart* newReportChart() {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

QChart* makeUsageChart(const PeriodFigures& p) {
    auto* chart = newReportChart();
    if (p.days.size() == 1) {
        fillHours(chart, p.days.front());
        return chart;
    }

    long maxParties = 0;
    double maxOccupancy = 0;
    for (const DayFigures& d : p.days) {
        maxParties = std::max(maxParties, d.parties);
        maxOccupancy = std::max(maxOccupancy, d.occupancy() * 100);
    }
    auto* partiesAxis = valueAxis(chart, QStringLiteral("組数"), static_cast<double>(maxParties),
                                  10, 1e9, Qt::AlignLeft);
    auto* occupancyAxis =
        valueAxis(chart, QStringLiteral("稼働率（%）"), maxOccupancy, 10, 100, Qt::AlignRight);
    const auto occupancyOf = [](const DayFigures& d) { return d.occupancy() * 100; };

    if (static_cast<int>(p.days.size()) <= kMaxBarDays) {
        std::vector<double> parties;
        QStringList categories;
        for (const DayFigures& d : p.days) {
            parties.push_back(static_cast<double>(d.parties));
            categories << dayLabel(d.date);
        }
        auto* bars = addBars(chart, QStringLiteral("組数"), kPartiesColour, parties);
        auto* days = categoryAxis(chart, categories,
                                  static_cast<int>(p.days.size()) > kLevelDateLabels ? -90 : 0);
        bars->attachAxis(days);
        bars->attachAxis(partiesAxis);
        addLineRuns(chart, p, QStringLiteral("稼働率"), kOccupancyColour,
                    [](std::size_t i) { return static_cast<double>(i); }, occupancyOf,
                    {days, occupancyAxis});
        return chart;
    }

    // The date axis names the weekday in Japanese, whatever the desktop's language.
    chart->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    chart->setLocalizeNumbers(true);
    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy/MM/dd(ddd)"));
    dates->setTickCount(7);
    dates->setRange(QDateTime(toQDate(p.days.front().date), QTime(0, 0)),
                    QDateTime(toQDate(p.days.back().date), QTime(23, 59)));
    chart->addAxis(dates, Qt::AlignBottom);
    const auto noonOf = [&p](std::size_t i) {
        return static_cast<double>(
            QDateTime(toQDate(p.days[i].date), QTime(12, 0)).toMSecsSinceEpoch());
    };
    addLineRuns(chart, p, QStringLiteral("組数"), kPartiesColour, noonOf,
                [](const DayFigures& d) { return static_cast<double>(d.parties); },
                {dates, partiesAxis});
    addLineRuns(chart, p, QStringLiteral("稼働率"), kOccupancyColour, noonOf, occupancyOf,
                {dates, occupancyAxis});
    return chart;
}

} // namespace kavro
