#pragma once
// A day's takings for the summary file, read from the sales file.
#include "core/figures/day_sales.h"
#include "sales/sales_queries.h"

#include <filesystem>

namespace kavro {

// The close's net takings: sales less voids made that day, in all and per method.
DaySales takingsOf(const DayClose& close);

// Reads the sales file in dir on the calling thread: opened at the first day asked and
// only when it exists (asking never creates it); nothing is known when it cannot be read,
// so that a summary line keeps the takings it had.
DaySalesOf salesFileTakings(const std::filesystem::path& dir);

} // namespace kavro
