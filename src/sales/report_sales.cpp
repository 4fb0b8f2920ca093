#include "sales/report_sales.h"

#include "charges/holidays.h"

#include "core/figures/report_csv.h"
#include "core/figures/summary_file.h"
#include "core/records/record.h"

#include <cstdio>

namespace kavro {

namespace {

// A period's takings from the summary file's lines: by day and by method only.
SalesPeriod fromSummary(const SummaryFile& summary, const Period& period, bool& any) {
    SalesPeriod p;
    p.first = period.first;
    p.last = period.last;
    p.byDay.resize(static_cast<std::size_t>(std::max(period.dayCount(), 0)));
    for (std::size_t i = 0; i < p.byDay.size(); ++i) {
        const auto line = summary.days.find(addDays(period.first, static_cast<int>(i)));
        if (line == summary.days.end() || !line->second.sales)
            continue;
        any = true;
        const DaySales& s = *line->second.sales;
        p.byDay[i] = {s.parties, s.amount};
        p.total.parties += s.parties;
        p.total.amount += s.amount;
        for (std::size_t m = 0; m < kMethodCount; ++m) {
            p.byMethod[m].parties += s.methodParties[m];
            p.byMethod[m].amount += s.methodAmounts[m];
        }
    }
    return p;
}

std::string hourLabel(int index) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d時台", (index + 6) % 24);
    return buf;
}

SalesRow row(const std::string& section, const std::string& item, const Takings& now,
             const std::optional<Takings>& before) {
    SalesRow r{section, item, std::to_string(now.parties), std::to_string(now.amount),
               std::to_string(now.perParty())};
    if (!before) {
        r.insert(r.end(), {"", "", ""});
        return r;
    }
    const auto ratio = againstPrevious(now.amount, before->amount);
    r.insert(r.end(), {std::to_string(before->parties), std::to_string(before->amount),
                       ratio ? fixed(*ratio, 1) : ""});
    return r;
}

} // namespace

Period previousPeriodOf(const Period& period) { return shiftPeriod(period, -1); }

std::optional<double> againstPrevious(long long current, long long previous) {
    if (previous <= 0)
        return std::nullopt;
    return 100.0 * static_cast<double>(current) / static_cast<double>(previous);
}

ReportSales loadReportSales(const std::filesystem::path& dir, const Period& period) {
    ReportSales r;
    r.period = period;
    r.previousPeriod = previousPeriodOf(period);
    std::error_code ec;
    if (std::filesystem::exists(dir / kSalesFileName, ec)) {
        SalesLedger::Opened opened = SalesLedger::open(dir);
        if (opened.ledger) {
            auto now = salesOver(*opened.ledger, r.period.first, r.period.last);
            auto before = salesOver(*opened.ledger, r.previousPeriod.first, r.previousPeriod.last);
            if (!now.error && !before.error) {
                r.source = SalesSource::SalesFile;
                r.current = std::move(now.value);
                r.previous = std::move(before.value);
                return r;
            }
            r.error = now.error ? now.error : before.error;
        } else {
            r.error = opened.error;
        }
    }
    const SummaryRead summary = readSummaryFile(dir);
    bool any = false;
    r.current = fromSummary(summary.file, r.period, any);
    r.previous = fromSummary(summary.file, r.previousPeriod, any);
    r.source = any ? SalesSource::Summary : SalesSource::None;
    return r;
}

SalesRow salesHeader() {
    return {"区分",       "項目",      "組数",          "売上(円)",
            "客単価(円)", "前期 組数", "前期 売上(円)", "前期比(%)"};
}

std::vector<SalesRow> salesRows(const ReportSales& s) {
    std::vector<SalesRow> rows;
    if (s.source == SalesSource::None)
        return rows;
    rows.push_back(row("合計", "売上", s.current.total, s.previous.total));
    for (std::size_t m = 0; m < kMethodCount; ++m)
        rows.push_back(row("支払方法", std::string(methodWord(kPaymentMethods[m])),
                           s.current.byMethod[m], s.previous.byMethod[m]));
    // A day is set against the day at the same place in the period before (the same
    // weekday for a week, the same date for a month of the same length).
    for (std::size_t i = 0; i < s.current.byDay.size(); ++i) {
        std::optional<Takings> before;
        if (i < s.previous.byDay.size())
            before = s.previous.byDay[i];
        rows.push_back(row("日別", shortDayLabel(addDays(s.period.first, static_cast<int>(i))),
                           s.current.byDay[i], before));
    }
    if (!s.hasRoomsAndHours())
        return rows;
    for (int r = 0; r < kRoomCount; ++r)
        rows.push_back(row("部屋別", roomCode(r), s.current.byRoom[static_cast<std::size_t>(r)],
                           s.previous.byRoom[static_cast<std::size_t>(r)]));
    for (int h = 0; h < 24; ++h)
        rows.push_back(row("時間帯別", hourLabel(h), s.current.byHour[static_cast<std::size_t>(h)],
                           s.previous.byHour[static_cast<std::size_t>(h)]));
    return rows;
}

std::string salesCsv(const ReportSales& sales) {
    std::string out(kUtf8Bom);
    auto line = [&out](const SalesRow& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? "," : "") + cells[i]; // no cell holds a comma, a quote or a line break
        out += "\r\n";
    };
    line(salesHeader());
    for (const SalesRow& r : salesRows(sales))
        line(r);
    return out;
}

} // namespace kavro
