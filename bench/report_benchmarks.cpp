// The report window "集計" over full days: figures, tables, chart and heat map, from the
// day files and from the summary lines of days whose files are gone.
#include "desk.h"

#include "core/figures/report_period.h"
#include "core/figures/summary_file.h"
#include "window/report/heat_map.h"
#include "window/report/report_window.h"

#include <QEventLoop>
#include <QtCharts/QChartView>
#include <benchmark/benchmark.h>
#include <fstream>
#include <map>

namespace kavro::bench {

namespace {

// The last day of every period: the month of benchDate() ends on it.
Date lastDay() { return Date{benchDate().year() / benchDate().month() / std::chrono::last}; }

void writeDay(const std::filesystem::path& dir, Date date) {
    std::ofstream(dayFilePath(dir, date), std::ios::binary)
        << dayFileBytes(fullDayLines(date, kSlotsPerDay));
}

// A folder with full day files for the last `withFiles` days up to lastDay() and summary
// lines for the `days` before and including them; the older days' files are deleted, as
// the purge does.
struct ReportFolder {
    ScratchDir dir;
    ReportFolder(int days, int withFiles) {
        for (int i = 0; i < days; ++i)
            writeDay(dir.path(), addDays(lastDay(), -i));
        if (withFiles < days) {
            if (refreshSummary(dir.path()).error)
                throw std::runtime_error("summary not written");
            for (int i = withFiles; i < days; ++i)
                std::filesystem::remove(dayFilePath(dir.path(), addDays(lastDay(), -i)));
        }
        flushWrites(dir.path());
    }
};

// Folders are made once per kind: writing a year of day files takes a while.
ReportFolder& folder(int days, int withFiles) {
    static std::map<std::pair<int, int>, std::unique_ptr<ReportFolder>> all;
    auto& slot = all[{days, withFiles}];
    if (!slot)
        slot = std::make_unique<ReportFolder>(days, withFiles);
    return *slot;
}

Period periodOf(int days) { return rangeBetween(addDays(lastDay(), -(days - 1)), lastDay()); }

// Window opened on the period until its figures, tables, chart and heat map are painted.
void openReport(benchmark::State& state, int days, int withFiles) {
    ReportFolder& f = folder(days, withFiles);
    for (auto _ : state) {
        ReportWindow window(
            f.dir.path(), periodOf(days), [](const QString&, const QString&) {},
            [] { return lastDay(); });
        window.resize(920, 680);
        QEventLoop loop;
        QObject::connect(&window, &ReportWindow::loaded, &loop, &QEventLoop::quit);
        // The worker may be done already, its result still waiting in the event queue.
        if (!(window.report().period == window.period()))
            loop.exec();
        window.chartView()->resize(880, 480);
        window.heatMap()->resize(880, 480);
        benchmark::DoNotOptimize(window.chartView()->grab());
        benchmark::DoNotOptimize(window.heatMap()->grab());
        if (window.report().figures.daysWithFigures != days)
            state.SkipWithError("days missing from the report");
    }
}

// Day files for every day of the period (a year of them stands for the worst case).
void BM_ReportFromDayFiles(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    openReport(state, days, days);
}

// The days whose files are gone, from the summary file.
void BM_ReportFromSummary(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    openReport(state, days, 0);
}

// The figures alone, on the worker thread's side: read, decode, compute, sum.
void BM_LoadPeriod(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    ReportFolder& f = folder(days, days);
    for (auto _ : state)
        benchmark::DoNotOptimize(loadPeriod(f.dir.path(), periodOf(days), lastDay()));
}

} // namespace

BENCHMARK(BM_ReportFromDayFiles)
    ->ArgName("days")
    ->Arg(1)
    ->Arg(7)
    ->Arg(31)
    ->Arg(365)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_ReportFromSummary)
    ->ArgName("days")
    ->Arg(31)
    ->Arg(365)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(BM_LoadPeriod)
    ->ArgName("days")
    ->Arg(1)
    ->Arg(7)
    ->Arg(31)
    ->Arg(365)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

} // namespace kavro::bench
