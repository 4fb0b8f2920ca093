#pragma once
// The period stored for a record that an operation rewrites (修正) or continues (入力). The
// panel shows only "hh:nn"; deriving the date from it again by the business-day rule would
// move a stay of the small hours by a day (a stay carried into the new day's file, or one
// that ends at 06:00 and is extended).
#include "core/rules/booking_rules.h"

#include <optional>
#include <string_view>

namespace kavro {

// The end that follows a start: on the date of start + unit, except that an end before
// 06:00 after a start from 06:00 on lies on the day after the start.
DateTime endFollowing(DateTime start, std::string_view unitText, std::string_view endText);

// A start whose "hh:nn" is that of knownStart keeps that date-time exactly; so does an end
// whose "hh:nn" is that of knownEnd, as long as the start was kept. A start typed anew lies
// in the business day as for a new booking, and an end typed anew follows the start.
// 修正 passes the stored start and end; 入力 passes the end of the record it continues as
// the start, so that an extension begins exactly where that record ends.
BookingPeriod periodKeepingDates(Date businessDate, std::optional<DateTime> knownStart,
                                 std::optional<DateTime> knownEnd, std::string_view startText,
                                 std::string_view unitText, std::string_view endText);

} // namespace kavro
