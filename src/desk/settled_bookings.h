#pragma once
// Which bookings of a day file stand settled, as the sales file names them: an undo, a redo
// or a 精算 that changes this must tell the sales file first.
#include "core/journal/journal.h"
#include "sales/reconciliation.h"

#include <map>
#include <string>
#include <vector>

namespace kavro {

// The settled bookings of the day's lines (as the file holds them, CP932), by the first
// seven characters of their ID; each named by its last record.
std::map<std::string, BookingRef, std::less<>> settledBookings(Date date, const DayLines& lines);

// The bookings settled in `from` that `to` no longer settles.
std::vector<BookingRef> settledOnlyIn(const std::map<std::string, BookingRef, std::less<>>& from,
                                      const std::map<std::string, BookingRef, std::less<>>& to);

} // namespace kavro
