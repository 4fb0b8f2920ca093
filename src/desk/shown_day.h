#pragma once
// Which business day the desk shows and edits, against the business day the clock is in.
#include "core/records/civil_time.h"

namespace kavro {

struct ShownDay {
    Date date{};      // the shown business date
    Date today{};     // the business date the desk started with, or moved to at 06:00
    int offset = 0;   // date minus today, in days: < 0 past, 0 today, > 0 future
    DateTime start{}; // 06:00 of the shown date
    DateTime end{};   // 06:00 of the next date

    static ShownDay of(Date shown, Date today) {
        return {shown, today, daysBetween(today, shown), businessDayStart(shown),
                businessDayEnd(shown)};
    }
    friend bool operator==(const ShownDay&, const ShownDay&) = default;
};

} // namespace kavro
