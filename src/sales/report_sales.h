#pragma once
// The sales a report shows beside the rooms' figures: the period's and the period before
// it (the day, week or month before; a range of the same length just before), from the
// sales file. Without a sales file, or when it cannot be read, the takings the summary
// file kept per day: totals, days and payment methods, but no rooms or hours.
//
// As in the day's close, every sale counts on the business day it was made and every void
// (取消) on the day it was made, so the report's days add up to what the closes showed.
#include "core/figures/report_period.h"
#include "sales/sales_queries.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kavro {

enum class SalesSource { None, SalesFile, Summary };

struct ReportSales {
    SalesSource source = SalesSource::None;
    Period period, previousPeriod;
    SalesPeriod current, previous;
    std::optional<std::string> error; // the sales file could not be read (Japanese)

    bool hasRoomsAndHours() const { return source == SalesSource::SalesFile; }
};

// Reading only: the sales file is never created here.
ReportSales loadReportSales(const std::filesystem::path& dir, const Period& period);

// The period before, as the report's 前期.
Period previousPeriodOf(const Period& period);

// The sales table: a header, then rows of 区分, 項目, then per period (this, previous)
// 組数, 売上, and 客単価 and 前期比 of this period. Sections: 合計, 支払方法, 日別,
// 部屋別 and 時間帯別 (the last two only from the sales file). Numbers without separators;
// 前期比 empty when the previous period sold nothing.
using SalesRow = std::vector<std::string>;
SalesRow salesHeader();
std::vector<SalesRow> salesRows(const ReportSales& sales);
// The same as CSV (UTF-8 with a byte-order mark, CR LF), for spreadsheets.
std::string salesCsv(const ReportSales& sales);

// 前期比 in percent, or nothing when the previous period sold nothing.
std::optional<double> againstPrevious(long long current, long long previous);

} // namespace kavro
