#include "core/figures/report_period.h"

#include "core/retention/day_evidence.h"

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

namespace {

// A day still to come has no figures (its file holds reservations at most): it must not
// lower the period's rates and averages. Otherwise the day file, unless it tells nothing
// (a day shown after its purge) and the summary kept the day's line.
DayFigures figuresOn(const std::filesystem::path& dir, Date d, Date today,
                     const SummaryFile& summary, std::vector<std::string>& errors) {
    DayFigures none;
    none.date = d;
    if (d > today)
        return none;
    const auto path = dayFilePath(dir, d);
    const auto line = summary.days.find(d);
    const bool lineKept = line != summary.days.end();
    if (auto file = readExistingDayFile(path, false)) {
        if (file->error)
            errors.push_back(*file->error + "\r\n" + path.string());
        else if (!lineKept || !tellsNothing(file->content, path))
            return figuresOfDay(d, file->content);
    }
    return lineKept ? line->second.figures : none;
}

} // namespace

PeriodReport loadPeriod(const std::filesystem::path& dir, const Period& period, Date today) {
    PeriodReport report;
    report.period = period;
    const SummaryRead summary = readSummaryFile(dir);
    if (summary.error)
        report.errors.push_back(*summary.error);
    for (const auto& k : summary.file.kept)
        report.summaryKeptLines.push_back(k.lineNumber);

    std::vector<DayFigures> days;
    days.reserve(static_cast<std::size_t>(std::max(period.dayCount(), 0)));
    for (Date d = period.first; d <= period.last; d = addDays(d, 1))
        days.push_back(figuresOn(dir, d, today, summary.file, report.errors));
    report.figures = aggregate(std::move(days));
    return report;
}

} // namespace kavro
