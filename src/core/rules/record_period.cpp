#include "core/rules/record_period.h"

#include "core/rules/day_totals.h"
#include "core/rules/time_entry.h"

namespace kavro {

namespace {

bool sameTime(std::optional<DateTime> t, std::string_view hhnn) {
    return t && formatHhNn(*t) == hhnn;
}

} // namespace

DateTime endFollowing(DateTime start, std::string_view unitText, std::string_view endText) {
    const auto [hour, minute] = *parseHhNn(endText);
    const long unitMinutes = roundHalfEven(leadingNumber(unitText) * 60.0);
    Date endDate = dateOf(addMinutes(start, unitMinutes));
    // A hand-typed end after midnight must not land before its own start.
    if (hour < 6 && hourOf(start) >= 6)
        endDate = addDays(dateOf(start), 1);
    return makeDateTime(endDate, hour, minute);
}

BookingPeriod periodKeepingDates(Date businessDate, std::optional<DateTime> knownStart,
                                 std::optional<DateTime> knownEnd, std::string_view startText,
                                 std::string_view unitText, std::string_view endText) {
    BookingPeriod p = bookingPeriod(businessDate, startText, unitText, endText);
    if (!sameTime(knownStart, startText))
        return p;
    p.start = *knownStart;
    p.end = sameTime(knownEnd, endText) ? *knownEnd : endFollowing(p.start, unitText, endText);
    p.startField = formatRecordTime(p.start);
    p.endField = formatRecordTime(p.end);
    return p;
}

} // namespace kavro
