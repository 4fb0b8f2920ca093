#include "core/screen/day_view.h"

namespace kavro {

bool isBeyondViewLimit(Date picked, Date businessToday) {
    return daysBetween(businessToday, picked) <= -kViewLimitDays;
}

DateTime projectedClock(Date shownDate, DateTime now) {
    const Date date = hourOf(now) < 6 ? addDays(shownDate, 1) : shownDate;
    return makeDateTime(date, hourOf(now), minuteOf(now), secondOf(now));
}

} // namespace kavro
