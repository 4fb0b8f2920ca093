#pragma once
// The report's sales in the words of the window, the PDF and the printout.
#include "sales/report_sales.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kavro {

// "売上 123,456円（31組・客単価 3,982円）　前期 120,000円　前期比 102.9%", or empty when
// nothing was sold in either period and no sales file is there.
QString salesTotalsLine(const ReportSales& sales);
// Where the sales came from when it matters: the summary file (no rooms or hours), or the
// sales file that could not be read.
QStringList salesNoteLines(const ReportSales& sales);

QStringList salesTableHeaders();
// Amounts with separators, 前期比 with its sign, "—" without a previous figure.
std::vector<QStringList> salesTableRows(const ReportSales& sales);

} // namespace kavro
