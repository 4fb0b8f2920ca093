#pragma once
// Which business day the window may show, and the clock as seen from the shown day.
#include "core/records/civil_time.h"

namespace kavro {

// A date this many days or more before today's business date cannot be shown: its file is
// deleted (or about to be) at start-up, which counts from the business date as well.
inline constexpr int kViewLimitDays = 30;
bool isBeyondViewLimit(Date picked, Date businessToday);

// The real time of day carried onto the shown business day: the shown date from 06:00,
// the day after it before 06:00.
DateTime projectedClock(Date shownDate, DateTime now);

} // namespace kavro
