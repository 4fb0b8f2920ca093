#pragma once
// Start-up and memory are measured in fresh processes: the benchmark process itself has
// long been warm and has run thousands of operations.
#include <optional>
#include <string>

namespace kavro::bench {

inline constexpr const char* kProbeFlag = "--kavro_startup_probe=";

// The child side (the benchmark executable started again with kProbeFlag and a program
// directory): starts the window as main() does, waits until both board halves are on the
// screen, then works a while at the desk (check-ins, ticks) and prints its figures.
int runStartupProbe(int argc, char** argv, const std::string& dir, long long spawnedAtNs);

struct StartupFigures {
    double startupMs = 0; // median, from the spawn to both halves painted
    double peakRssMb = 0; // highest of the runs
    std::string platform; // the Qt platform the probes ran on
    int runs = 0;
    int checkInsPerRun = 0; // stored by the session of each run (out of 100)
};

// The parent side: runs the probe `runs` times on the given Qt platform.
std::optional<StartupFigures> measureStartup(const std::string& executable,
                                             const std::string& platform, int runs);

long long monotonicNs();

} // namespace kavro::bench
