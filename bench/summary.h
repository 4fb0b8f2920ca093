#pragma once
// The table of figures against the budgets, as the README shows it.
#include "startup_probe.h"

#include <map>
#include <optional>
#include <string>

namespace kavro::bench {

// Medians in milliseconds by "BM_Name" or "BM_Name/arg".
using Medians = std::map<std::string, double>;

std::string summaryTable(const Medians& medians, const std::optional<StartupFigures>& startup,
                         double benchPeakRssMb);

} // namespace kavro::bench
