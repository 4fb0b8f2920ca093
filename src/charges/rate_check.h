#pragma once
// Whether a rate book can price every stay the same way twice: tables in date order, every
// room in one class at most, a rest for every class and day type, an overnight stay that
// can end after it began. The problems name the lines the items were read from (0 for a
// book made in memory).
#include "charges/rate_file.h"

#include <vector>

namespace kavro {

std::vector<RateProblem> checkRateBook(const RateBook& book);

} // namespace kavro
