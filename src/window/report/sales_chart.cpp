#include "window/report/sales_chart.h"

#include "window/report/report_chart.h"
#include "window/report/report_text.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>

namespace kavro {

namespace {

// Bars with a label each up to this many places; a longer period shows lines whose axis
// labels only every so many days, where a year of bars would be one grey block.
constexpr int kMaxSalesBars = 62;

struct Places {
    bool hours = false; // one day's hours, whose short labels stand level
    QStringList labels;
    std::vector<long long> now, before; // yen per place
};

Places placesOf(const ReportSales& s) {
    Places p;
    if (s.period.dayCount() == 1 && s.hasRoomsAndHours()) {
        p.hours = true;
        for (int h = 0; h < 24; ++h) {
            p.labels << QString::number((h + 6) % 24);
            p.now.push_back(s.current.byHour[static_cast<std::size_t>(h)].amount);
            p.before.push_back(s.previous.byHour[static_cast<std::size_t>(h)].amount);
        }
        return p;
    }
    for (std::size_t i = 0; i < s.current.byDay.size(); ++i) {
        p.labels << dayLabel(addDays(s.period.first, static_cast<int>(i)));
        p.now.push_back(s.current.byDay[i].amount);
        p.before.push_back(i < s.previous.byDay.size() ? s.previous.byDay[i].amount : 0);
    }
    return p;
}

} // namespace

QChart* makeSalesChart(const ReportSales& s) {
    auto* chart = newReportChart();
    const Places places = placesOf(s);

    // In thousands of yen: a month's 1,000,000 reads as 1000, not as a row of zeros.
    const auto thousands = [](long long yen) { return static_cast<double>(yen) / 1000.0; };
    auto* yen = new QValueAxis;
    yen->setTitleText(QStringLiteral("売上（千円）"));
    yen->setLabelFormat(QStringLiteral("%g"));
    long long top = 0;
    for (std::size_t i = 0; i < places.now.size(); ++i)
        top = std::max({top, places.now[i], places.before[i]});
    yen->setRange(0, std::max(10.0, thousands(top) * 1.15));
    yen->applyNiceNumbers();
    chart->addAxis(yen, Qt::AlignLeft);

    auto* before = new QLineSeries;
    before->setName(QStringLiteral("前期"));
    before->setColor(QColor(0x90, 0x90, 0x90));
    for (std::size_t i = 0; i < places.before.size(); ++i)
        before->append(static_cast<double>(i), thousands(places.before[i]));

    auto* axis = new QBarCategoryAxis;
    axis->append(places.labels);
    if (!places.hours && places.labels.size() > kLevelDateLabels)
        axis->setLabelsAngle(-90); // upright, as the usage chart's, so that none is cut short
    chart->addAxis(axis, Qt::AlignBottom);
    if (places.labels.size() <= kMaxSalesBars) {
        auto* set = new QBarSet(QStringLiteral("売上"));
        set->setColor(QColor(0x40, 0x90, 0x60));
        for (long long v : places.now)
            *set << thousands(v);
        auto* bars = new QBarSeries;
        bars->append(set);
        chart->addSeries(bars);
        bars->attachAxis(axis);
        bars->attachAxis(yen);
    } else {
        auto* now = new QLineSeries;
        now->setName(QStringLiteral("売上"));
        now->setColor(QColor(0x40, 0x90, 0x60));
        for (std::size_t i = 0; i < places.now.size(); ++i)
            now->append(static_cast<double>(i), thousands(places.now[i]));
        chart->addSeries(now);
        now->attachAxis(axis);
        now->attachAxis(yen);
        axis->setLabelsVisible(false); // 365 labels cannot be read; the table has them
    }
    chart->addSeries(before);
    before->attachAxis(axis);
    before->attachAxis(yen);
    return chart;
}

} // namespace kavro
