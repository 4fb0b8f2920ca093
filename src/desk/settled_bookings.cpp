#include "desk/settled_bookings.h"

#include "core/records/record.h"
#include "core/storage/day_file.h"
#include "sales/sale.h"

namespace kavro {

std::map<std::string, BookingRef, std::less<>> settledBookings(Date date, const DayLines& lines) {
    std::map<std::string, BookingRef, std::less<>> last; // booking -> its last record
    std::map<std::string, bool, std::less<>> settled;
    for (const ReadRecord& r : parseDayFile(joinDayLines(lines)).records) {
        const std::string id(idOf(r.text));
        const std::string booking(bookingOf(id));
        BookingRef& ref = last[booking];
        if (!ref.recordId.empty() && id < ref.recordId)
            continue;
        const auto room = roomIndexOfCode(parseFields(r.text).room);
        ref = {date, id, room ? *room + 1 : 0};
        settled[booking] = statusOf(r.text) == kStatusSettled;
    }
    std::map<std::string, BookingRef, std::less<>> out;
    for (auto& [booking, ref] : last)
        if (settled[booking])
            out.emplace(booking, std::move(ref));
    return out;
}

std::vector<BookingRef> settledOnlyIn(const std::map<std::string, BookingRef, std::less<>>& from,
                                      const std::map<std::string, BookingRef, std::less<>>& to) {
    std::vector<BookingRef> out;
    for (const auto& [booking, ref] : from)
        if (!to.contains(booking))
            out.push_back(ref);
    return out;
}

} // namespace kavro
