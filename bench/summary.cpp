#include "summary.h"

#include "full_day.h"

#include <cstdio>
#include <sstream>

namespace kavro::bench {

namespace {

std::string fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string ms(double v) {
    return fixed(v, v < 10 ? 2 : 1) + " ms";
}

const char *verdict(bool within) {
    return within ? "within" : "**MISSED**";
}

std::optional<double> find(const Medians &m, const std::string &key) {
    auto it = m.find(key);
    return it == m.end() ? std::nullopt : std::optional(it->second);
}

} // namespace

std::string summaryTable(const Medians &m, const std::optional<StartupFigures> &startup,
                         double benchPeakRssMb) {
    std::ostringstream out;
    const auto floor = find(m, "BM_Floor");
    const std::string full = "/" + std::to_string(kSlotsPerDay);
    auto ratio = [&](std::optional<double> v) {
        return v && floor && *floor > 0 ? fixed(*v / *floor, 2) + " ×" : std::string("–");
    };

    out << "| measurement (full day: 34 rooms × 48 records) | median | budget | ratio to floor | "
           "|\n"
        << "|---|---:|---|---:|---|\n";
    if (auto v = find(m, "BM_LoadDay"))
        out << "| `LoadDay` without the tick (read, decode CP932, parse, totals) | " << ms(*v)
            << " | < 2 ms | " << ratio(v) << " | " << verdict(*v < 2.0) << " |\n";
    if (auto v = find(m, "BM_SaveDay"))
        out << "| `SaveDay` (encode, atomic replace with fsync) | " << ms(*v) << " | | " << ratio(v)
            << " | |\n";
    if (floor)
        out << "| floor: same bytes to a temporary file, fsync, rename, fsync dir, read back | "
            << ms(*floor) << " | | 1 × | |\n";
    if (auto v = find(m, "BM_Tick" + full))
        out << "| clock tick, both halves painted at design size | " << ms(*v) << " | < 4 ms | "
            << ratio(v) << " | " << verdict(*v < 4.0) << " |\n";
    if (auto v = find(m, "BM_CheckIn" + full)) {
        const bool within = *v < 16.0 && (!floor || *v <= 2 * *floor + 4.0);
        out << "| check-in \"利用\": click to board painted after the closing sequence | " << ms(*v)
            << " | ≤ 2 × floor + 4 ms" << (floor ? " = " + ms(2 * *floor + 4.0) : std::string())
            << ", < 16 ms | " << ratio(v) << " | " << verdict(within) << " |\n";
    }
    if (startup) {
        out << "| start-up to the first painted window (" << startup->platform << ", median of "
            << startup->runs << " fresh processes) | " << ms(startup->startupMs)
            << " | < 500 ms | | " << verdict(startup->startupMs < 500.0) << " |\n";
        out << "| peak memory: start-up + " << startup->checkInsPerRun
            << " check-ins and ticks (max RSS) | " << fixed(startup->peakRssMb, 1)
            << " MB | < 80 MB | | " << verdict(startup->peakRssMb < 80.0) << " |\n";
    }
    out << "| peak memory of this benchmark process (max RSS) | " << fixed(benchPeakRssMb, 1)
        << " MB | | | |\n";

    out << "\n| records per room | records in the day | tick + both halves | check-in \"利用\" "
           "| check-in / floor |\n|---:|---:|---:|---:|---:|\n";
    for (int perRoom : {0, kSlotsPerDay / 4, kSlotsPerDay}) {
        const std::string arg = "/" + std::to_string(perRoom);
        const auto tick = find(m, "BM_Tick" + arg);
        const auto op = find(m, "BM_CheckIn" + arg);
        if (!tick && !op)
            continue;
        out << "| " << perRoom << " | " << perRoom * 34 << " | " << (tick ? ms(*tick) : "–")
            << " | " << (op ? ms(*op) : "–") << " | " << ratio(op) << " |\n";
    }
    return out.str();
}

} // namespace kavro::bench
