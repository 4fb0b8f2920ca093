#include "charges/day_bills.h"

#include <utility>

namespace kavro {

namespace {

std::vector<ChainBill> billAll(const RateBook& book, std::vector<BookingChain> chains) {
    // Nearly every chain began on the day itself; the few carried ones on the day before.
    std::vector<std::pair<Date, DayKind>> kinds;
    const auto kindOf = [&](Date date) {
        for (const auto& [d, kind] : kinds)
            if (d == date)
                return kind;
        kinds.emplace_back(date, dayKindOf(date, book.shopDaysOff));
        return kinds.back().second;
    };
    std::vector<ChainBill> out;
    out.reserve(chains.size());
    for (BookingChain& chain : chains) {
        const StayToPrice stay = stayOf(chain);
        Bill bill = billStay(book, stay, kindOf(businessDateAt(stay.start)));
        out.push_back({std::move(chain), std::move(bill)});
    }
    return out;
}

} // namespace

StayToPrice stayOf(const BookingChain& chain) {
    return {chain.room, chain.start, chain.end, chain.people};
}

std::vector<ChainBill> billsOfDay(const RateBook& book, Date businessDate,
                                  const std::vector<std::string>& lines) {
    return billAll(book, chainsOfDay(businessDate, lines));
}

std::vector<ChainBill> billsOfDay(const RateBook& book, Date businessDate,
                                  const std::vector<std::string>& lines,
                                  const std::vector<std::string>& previousDay) {
    return billAll(book, chainsOfDay(businessDate, lines, previousDay));
}

} // namespace kavro
