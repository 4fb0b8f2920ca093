#pragma once
// Every booking of a business day with its bill, straight from the day file's record
// lines: what the desk's tooltip, the settlement and the day's close read.
#include "charges/bill.h"
#include "charges/day_chains.h"

#include <string>
#include <vector>

namespace kavro {

struct ChainBill {
    BookingChain chain;
    Bill bill;
};

// The stay a chain stands for: its room, arrival, end and people.
StayToPrice stayOf(const BookingChain& chain);

// The chains of the day's lines (day_chains.h), each billed by the book.
std::vector<ChainBill> billsOfDay(const RateBook& book, Date businessDate,
                                  const std::vector<std::string>& lines);
// The same, a stay carried from the previous day billed from its arrival there.
std::vector<ChainBill> billsOfDay(const RateBook& book, Date businessDate,
                                  const std::vector<std::string>& lines,
                                  const std::vector<std::string>& previousDay);

} // namespace kavro
