#pragma once
// The chart of parties (bars) and occupancy (line) per day over the period.
#include "core/figures/day_figures.h"

#include <QtCharts/QChart>

namespace kavro {

// Bars with a date under each up to this many days; a longer period shows both as lines
// against a date axis, where 365 bars would be unreadable.
inline constexpr int kMaxBarDays = 62;

// A new chart (the caller owns it).
QChart* makeUsageChart(const PeriodFigures& figures);

} // namespace kavro
