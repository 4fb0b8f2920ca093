#pragma once
// The period a report covers, and its figures gathered from the day files and, for days
// whose file is gone, from the summary file. Reading only: no file is created or written.
#include "core/figures/day_figures.h"
#include "core/figures/summary_file.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kavro {

enum class PeriodKind { Day, Week, Month, Range };

struct Period {
    PeriodKind kind = PeriodKind::Day;
    Date first{};
    Date last{}; // inclusive

    int dayCount() const;
    friend bool operator==(const Period&, const Period&) = default;
};

// The day, the week (Monday to Sunday) or the calendar month that holds the date. A range
// starts as the one day.
Period periodContaining(PeriodKind kind, Date date);
// A range between two dates in either order.
Period rangeBetween(Date a, Date b);
// The period before (steps < 0) or after: the neighbouring day, week or month; a range
// moves by its own length.
Period shiftPeriod(const Period& period, int steps);

struct PeriodReport {
    Period period;
    PeriodFigures figures;
    std::vector<std::string> errors;   // day files or the summary file that could not be read
    std::vector<int> summaryKeptLines; // unreadable lines of the summary file
};

// Day files where they exist, summary lines for the days whose files are gone (or were
// made again empty by showing the day). Days after today (the business date) have no
// figures yet.
PeriodReport loadPeriod(const std::filesystem::path& dir, const Period& period, Date today);

} // namespace kavro
