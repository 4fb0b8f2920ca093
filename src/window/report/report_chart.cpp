#include "window/report/report_chart.h"

#include "window/qt_date.h"

#include <QDateTime>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>

namespace kavro {

QChart* makeUsageChart(const PeriodFigures& p) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));

    auto* partiesAxis = new QValueAxis;
    partiesAxis->setTitleText(QStringLiteral("組数"));
    partiesAxis->setLabelFormat(QStringLiteral("%d"));
    auto* occupancyAxis = new QValueAxis;
    occupancyAxis->setTitleText(QStringLiteral("稼働率（%）"));
    occupancyAxis->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(partiesAxis, Qt::AlignLeft);
    chart->addAxis(occupancyAxis, Qt::AlignRight);

    long maxParties = 0;
    double maxOccupancy = 0;
    for (const DayFigures& d : p.days) {
        maxParties = std::max(maxParties, d.parties);
        maxOccupancy = std::max(maxOccupancy, d.occupancy() * 100);
    }
    partiesAxis->setRange(0, std::max(10.0, maxParties * 1.15));
    occupancyAxis->setRange(0, std::min(100.0, std::max(10.0, maxOccupancy * 1.15)));
    partiesAxis->applyNiceNumbers();
    occupancyAxis->applyNiceNumbers();

    auto* occupancy = new QLineSeries;
    occupancy->setName(QStringLiteral("稼働率"));
    occupancy->setPointsVisible(p.days.size() <= kMaxBarDays);
    occupancy->setColor(QColor(0xD0, 0x50, 0x20));

    if (static_cast<int>(p.days.size()) <= kMaxBarDays) {
        auto* set = new QBarSet(QStringLiteral("組数"));
        set->setColor(QColor(0x50, 0x80, 0xC0));
        QStringList categories;
        for (std::size_t i = 0; i < p.days.size(); ++i) {
            const DayFigures& d = p.days[i];
            *set << d.parties;
            categories << toQDate(d.date).toString(p.days.size() > 10 ? QStringLiteral("d")
                                                                      : QStringLiteral("M/d"));
            if (d.source != FiguresSource::None)
                occupancy->append(static_cast<double>(i), d.occupancy() * 100);
        }
        auto* bars = new QBarSeries;
        bars->append(set);
        chart->addSeries(bars);
        chart->addSeries(occupancy);
        auto* days = new QBarCategoryAxis;
        days->append(categories);
        chart->addAxis(days, Qt::AlignBottom);
        bars->attachAxis(days);
        bars->attachAxis(partiesAxis);
        occupancy->attachAxis(days);
        occupancy->attachAxis(occupancyAxis);
        return chart;
    }

    auto* parties = new QLineSeries;
    parties->setName(QStringLiteral("組数"));
    parties->setColor(QColor(0x50, 0x80, 0xC0));
    for (const DayFigures& d : p.days) {
        if (d.source == FiguresSource::None)
            continue;
        const double x =
            static_cast<double>(QDateTime(toQDate(d.date), QTime(12, 0)).toMSecsSinceEpoch());
        parties->append(x, static_cast<double>(d.parties));
        occupancy->append(x, d.occupancy() * 100);
    }
    chart->addSeries(parties);
    chart->addSeries(occupancy);
    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy/MM/dd"));
    dates->setTickCount(7);
    if (!p.days.empty())
        dates->setRange(QDateTime(toQDate(p.days.front().date), QTime(0, 0)),
                        QDateTime(toQDate(p.days.back().date), QTime(23, 59)));
    chart->addAxis(dates, Qt::AlignBottom);
    parties->attachAxis(dates);
    parties->attachAxis(partiesAxis);
    occupancy->attachAxis(dates);
    occupancy->attachAxis(occupancyAxis);
    return chart;
}

} // namespace kavro
