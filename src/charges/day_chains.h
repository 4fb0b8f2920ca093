#pragma once
// The bookings of a day file as chains: the records that share the first seven characters
// of their ID (room code of the ID and group number), by sub-number 00, 01, ... A chain is
// what is billed: its arrival is its first record's start, its end the last record's end.
//
// The 06:00 carry copies a stay that runs past the day's end into the next day's file
// under a new group number, keeping the text after the ID (a copied extension may keep its
// sub-number, so a chain of the new day can begin with a continuation). Billed on the new
// day from that copy alone, the stay would look as if it had begun at the copied record's
// start. So a chain of the new day that begins before the day's 06:00, or begins with a
// continuation, is joined to the previous day's chain whose record it copies: the record
// with the same text after the ID but for the status word (a copy settled or extended on
// the new day changes its status), or failing that (a copy corrected on the new day) the
// record of the same room with the same start. The joined chain is that chain's records
// up to the copied one, then the new day's.
#include "core/records/civil_time.h"

#include <string>
#include <string_view>
#include <vector>

namespace kavro {

// How the arrival of a chain is known.
enum class Arrival {
    ThisDay,     // the chain begins in this day's file
    PreviousDay, // it continues a stay of the previous day's file, joined from there
    Unjoined,    // it continues an earlier stay that the previous day's lines do not show:
                 // its bill covers only what this day's file holds
};

struct BookingChain {
    std::vector<std::string_view> records; // in order, the previous day's first when joined
    std::string_view id;                   // of its first record in this day's file
    int room = 0;                          // room index of its last record (where it ends)
    DateTime start;                        // arrival
    DateTime end;                          // end of its last record
    long minutes = 0;
    int people = 0;          // the most that any of its records gives
    std::string_view status; // of its last record
    Arrival arrival = Arrival::ThisDay;
    bool runsPastDay = false; // ends after the day's end: the carry continues it tomorrow
};

// The chains of the business day's record lines (UTF-8, as the ledger reads them; lines
// that are no well-formed record are left out), in the order of their first line. The
// chains view the lines: they are valid while the lines are.
std::vector<BookingChain> chainsOfDay(Date businessDate, const std::vector<std::string>& lines);
// The same, joining the chains that continue a stay of the previous business day.
std::vector<BookingChain> chainsOfDay(Date businessDate, const std::vector<std::string>& lines,
                                      const std::vector<std::string>& previousDay);

} // namespace kavro
