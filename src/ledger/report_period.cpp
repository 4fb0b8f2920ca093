#include "ledger/report_period.h"

#include <algorithm>

namespace kavro {

using namespace std::chrono;

int Period::dayCount() const { return daysBetween(first, last) + 1; }

Period periodContaining(PeriodKind kind, Date date) {
    switch (kind) {
    case PeriodKind::Week: {
        const Date monday = addDays(date, -weekdayIndex(date));
        return {kind, monday, addDays(monday, 6)};
    }
    case PeriodKind::Month:
        return {kind, date.year() / date.month() / day{1}, Date{date.year() / date.month() / last}};
    case PeriodKind::Day:
    case PeriodKind::Range:
        break;
    }
    return {kind, date, date};
}

Period rangeBetween(Date a, Date b) { return {PeriodKind::Range, std::min(a, b), std::max(a, b)}; }

Period shiftPeriod(const Period& p, int steps) {
    switch (p.kind) {
    case PeriodKind::Day:
        return periodContaining(p.kind, addDays(p.first, steps));
    case PeriodKind::Week:
        return periodContaining(p.kind, addDays(p.first, 7 * steps));
    case PeriodKind::Month: {
        const year_month ym = year_month{p.first.year(), p.first.month()} + months{steps};
        return periodContaining(p.kind, ym / day{1});
    }
    case PeriodKind::Range:
        break;
    }
    const int length = p.dayCount();
    return {p.kind, addDays(p.first, steps * length), addDays(p.last, steps * length)};
}

PeriodReport loadPeriod(const std::filesystem::path& dir, const Period& period) {
    PeriodReport report;
    report.period = period;
    const SummaryRead summary = readSummaryFile(dir);
    if (summary.error)
        report.errors.push_back(*summary.error);
    for (const auto& k : summary.file.kept)
        report.summaryKeptLines.push_back(k.lineNumber);

    std::vector<DayFigures> days;
    days.reserve(static_cast<std::size_t>(std::max(period.dayCount(), 0)));
    for (Date d = period.first; d <= period.last; d = addDays(d, 1)) {
        const auto path = dayFilePath(dir, d);
        if (auto file = readExistingDayFile(path, false)) {
            if (!file->error) {
                days.push_back(figuresOfDay(d, file->content));
                continue;
            }
            report.errors.push_back(*file->error + "\r\n" + path.string());
        }
        if (auto line = summary.file.days.find(d); line != summary.file.days.end()) {
            days.push_back(line->second.figures);
            continue;
        }
        DayFigures none;
        none.date = d;
        days.push_back(none);
    }
    report.figures = aggregate(std::move(days));
    return report;
}

} // namespace kavro
