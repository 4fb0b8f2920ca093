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

std::string ms(double v) { return fixed(v, v < 10 ? 2 : 1) + " ms"; }

const char* verdict(bool within) { return within ? "within" : "**MISSED**"; }

std::optional<double> find(const Medians& m, const std::string& key) {
    auto it = m.find(key);
    return it == m.end() ? std::nullopt : std::optional(it->second);
}

} // namespace

std::string summaryTable(const Medians& m, const std::optional<StartupFigures>& startup,
                         double benchPeakRssMb) {
    std::ostringstream out;
    const std::string full = "/" + std::to_string(kSlotsPerDay);
    auto ratio = [](std::optional<double> v, std::optional<double> floor) {
        return v && floor && *floor > 0 ? fixed(*v / *floor, 2) + " ×" : std::string("–");
    };
    auto msOr = [](std::optional<double> v) { return v ? ms(*v) : std::string("–"); };

    out << "| measurement (full day: 34 rooms × 48 records) | median | floor alongside | ratio "
           "to floor | budget | |\n"
        << "|---|---:|---:|---:|---|---|\n";
    if (auto v = find(m, "BM_LoadDay"))
        out << "| `loadDay` without the tick (read, decode CP932, parse, totals) | " << ms(*v)
            << " | | | < 2 ms | " << verdict(*v < 2.0) << " |\n";
    if (auto v = find(m, "BM_HistoryLoad"))
        out << "| history window of a busy day (2,000 changes): journal read, rows, painted | "
            << ms(*v) << " | | | < 50 ms | " << verdict(*v < 50.0) << " |\n";
    if (auto v = find(m, "BM_BillsOfDay"))
        out << "| charges: the bill of every booking of the day from its record lines | " << ms(*v)
            << " | | | < 1 ms | " << verdict(*v < 1.0) << " |\n";
    if (auto v = find(m, "BM_SettleToAccount"))
        out << "| 精算 at a priced desk: click to the 会計 window shown and painted | " << ms(*v)
            << " | | | < 50 ms | " << verdict(*v < 50.0) << " |\n";
    if (auto v = find(m, "BM_SaveDay")) {
        const auto floor = find(m, "BM_SaveDay#floor");
        out << "| `saveDay` (encode, atomic replace with fsync) | " << ms(*v) << " | "
            << msOr(floor) << " | " << ratio(v, floor) << " | | |\n";
    }
    if (auto v = find(m, "BM_Floor"))
        out << "| floor alone: the day's bytes to a temporary file, fsync, rename, fsync of the "
               "folder, read back | "
            << ms(*v) << " | | | | |\n";
    if (auto v = find(m, "BM_Tick" + full))
        out << "| clock tick, both halves painted at design size | " << ms(*v) << " | | | < 4 ms | "
            << verdict(*v < 4.0) << " |\n";
    if (auto v = find(m, "BM_CheckIn" + full)) {
        const auto floor = find(m, "BM_CheckIn" + full + "#floor");
        const double small = find(m, "BM_CheckIn" + full + "#small").value_or(0.0);
        const bool withinFloor = !floor || *v <= 2 * (*floor + small) + 4.0;
        out << "| check-in \"利用\" with its journal entry: click to board painted after the "
               "closing sequence | "
            << ms(*v) << " | " << msOr(floor) << " + " << ms(small) << " | " << ratio(v, floor)
            << " | ≤ 2 × (floor + small fsync) + 4 ms"
            << (floor ? " (" + ms(2 * (*floor + small) + 4.0) + ")" : std::string()) << " | "
            << verdict(withinFloor) << " |\n";
        out << "| the same check-in against one frame at 60 Hz | " << ms(*v) << " | | | < 16 ms | "
            << verdict(*v < 16.0) << " |\n";
        if (floor)
            out << "| the check-in's own time beyond its floor (check-in − floor alongside) | "
                << ms(*v - *floor) << " | | | | |\n";
    }
    if (startup) {
        out << "| start-up to the first painted window (" << startup->platform << ", median of "
            << startup->runs << " fresh processes) | " << ms(startup->startupMs)
            << " | | | < 500 ms | " << verdict(startup->startupMs < 500.0) << " |\n";
        out << "| peak memory: start-up, then " << startup->checkInsPerRun
            << " check-ins and ticks (max RSS) | " << fixed(startup->peakRssMb, 1)
            << " MB | | | < 80 MB | " << verdict(startup->peakRssMb < 80.0) << " |\n";
    }
    out << "| peak memory of the benchmark process (max RSS) | " << fixed(benchPeakRssMb, 1)
        << " MB | | | | |\n";

    out << "\n| records per room | records in the day | tick + both halves | check-in \"利用\" "
           "| floor alongside | check-in / floor |\n|---:|---:|---:|---:|---:|---:|\n";
    for (int perRoom : {0, kSlotsPerDay / 4, kSlotsPerDay}) {
        const std::string arg = "/" + std::to_string(perRoom);
        const auto tick = find(m, "BM_Tick" + arg);
        const auto op = find(m, "BM_CheckIn" + arg);
        const auto floor = find(m, "BM_CheckIn" + arg + "#floor");
        if (!tick && !op)
            continue;
        out << "| " << perRoom << " | " << perRoom * 34 << " | " << msOr(tick) << " | " << msOr(op)
            << " | " << msOr(floor) << " | " << ratio(op, floor) << " |\n";
    }

    out << "\n| report 集計 over | figures alone (worker thread) | window from day files: "
           "figures, tables, chart, heat map | window from summary lines | budget |\n"
           "|---:|---:|---:|---:|---|\n";
    for (int days : {1, 7, 31, 365}) {
        const std::string arg = "/" + std::to_string(days);
        const auto load = find(m, "BM_LoadPeriod" + arg);
        const auto files = find(m, "BM_ReportFromDayFiles" + arg);
        const auto summary = find(m, "BM_ReportFromSummary" + arg);
        if (!load && !files && !summary)
            continue;
        std::string budget;
        if (days == 31 && files)
            budget = "< 150 ms from day files: " + std::string(verdict(*files < 150.0));
        if (days == 365 && summary)
            budget = "< 50 ms from summary lines: " + std::string(verdict(*summary < 50.0));
        out << "| " << days << (days == 1 ? " day" : " days") << " | " << msOr(load) << " | "
            << msOr(files) << " | " << msOr(summary) << " | " << budget << " |\n";
    }

    const auto year = find(m, "BM_SalesYearReport");
    const auto close = find(m, "BM_SalesDayClose");
    const auto check = find(m, "BM_SalesStartUpCheck");
    if (year || close || check) {
        out << "\n| sales file: two years of a busy shop (34 rooms × 5 parties a day, 124,100 "
               "sales) | median | budget |\n|---|---:|---|\n";
        if (year)
            out << "| a year's sales for the report (the file opened; by day, room, hour and "
                   "method, with the year before) | "
                << ms(*year) << " | < 100 ms: " << verdict(*year < 100.0) << " |\n";
        out << "| the day's close (日計) | " << msOr(close) << " | |\n"
            << "| the start-up's reconciliation (open intents, live sales of 60 days) | "
            << msOr(check) << " | |\n";
    }
    return out.str();
}

} // namespace kavro::bench
