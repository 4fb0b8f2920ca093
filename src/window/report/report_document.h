#pragma once
// The report on paper: A4 portrait pages with the totals, the chart and the heat map, the
// table of the days (as many pages as it needs), the table of the rooms, and the sales
// with their chart and table when there are any. The same painting serves the PDF file and
// the printer.
#include "core/figures/report_period.h"
#include "sales/report_sales.h"

#include <QString>

class QPagedPaintDevice;

namespace kavro {

// Rows of the day table on one page.
inline constexpr int kDayRowsPerPage = 40;

// The pages the report takes: the overview, the days, the rooms, the sales.
int reportPageCount(const PeriodReport& report, const ReportSales& sales = {});

// Paints every page; the device must be set to A4 already. False when it cannot be painted
// on (a printer that went away, a file that cannot be written).
bool paintReportDocument(QPagedPaintDevice& device, const PeriodReport& report,
                         const ReportSales& sales = {});

// A4, Japanese fonts embedded. An error text (Japanese) on failure, empty on success.
QString saveReportPdf(const QString& path, const PeriodReport& report,
                      const ReportSales& sales = {});

} // namespace kavro
