#pragma once
// The chart of the period. One day: the rooms in use in each hour of the business day.
// Longer: parties (bars) and occupancy (line) per day; a day without figures breaks the
// line rather than being bridged, so that a closed day never looks like a busy one.
#include "core/figures/day_figures.h"

#include <QtCharts/QChart>

namespace kavro {

// Bars with a date under each up to this many days; a longer period shows both as lines
// against a date axis, where 365 bars would be unreadable.
inline constexpr int kMaxBarDays = 62;
// Up to this many days the dates stand level under the bars; more are turned upright so
// that each keeps its whole text.
inline constexpr int kLevelDateLabels = 7;

// A new chart (the caller owns it).
QChart* makeUsageChart(const PeriodFigures& figures);
// An empty chart as every chart of the report starts: still (a printed chart has no time to
// animate), its legend below, narrow margins.
QChart* newReportChart();

} // namespace kavro
