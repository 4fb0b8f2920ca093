#pragma once
// The chart of sales: this period's as bars (per hour for one day, per day otherwise), the
// previous period's as a line over the same places, so that 前期比 can be seen at a glance.
#include "sales/report_sales.h"

#include <QtCharts/QChart>

namespace kavro {

// A new chart (the caller owns it).
QChart* makeSalesChart(const ReportSales& sales);

} // namespace kavro
