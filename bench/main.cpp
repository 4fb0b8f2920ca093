// The benchmarks of KAVRO: Google Benchmark inside a QApplication (offscreen), then the
// start-up probes in fresh processes, then the table of figures against the budgets.
//   kavro_bench [benchmark flags] [--kavro_startup_runs=N] [--kavro_report=FILE]
//   kavro_bench --kavro_dump_board=DIR   (board pictures, to check a painter change)
//   kavro_bench --kavro_dump_files=DIR   (day files and journals of check-ins, undone, redone)
#include "bench_registry.h"
#include "desk.h"
#include "startup_probe.h"
#include "summary.h"

#include "window/fonts.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace kavro::bench;

// The console output as usual, and the medians kept for the table.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            std::string key = run.run_name.function_name;
            if (!run.run_name.args.empty()) {
                const std::string& args = run.run_name.args;
                key += "/" + args.substr(args.find(':') + 1); // "records_per_room:48" -> "48"
            }
            const double value = toMs(run.GetAdjustedRealTime(), run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[key] = value;
                if (auto floor = run.counters.find("floor_ms"); floor != run.counters.end())
                    medians_[key + "#floor"] = floor->second.value;
                if (auto small = run.counters.find("small_fsync_ms"); small != run.counters.end())
                    medians_[key + "#small"] = small->second.value;
            } else if (run.run_type == Run::RT_Iteration && !medians_.count(key)) {
                // Used only when no repetitions were asked for.
                single_[key] = value;
                if (auto floor = run.counters.find("floor_ms"); floor != run.counters.end())
                    single_[key + "#floor"] = floor->second.value;
                if (auto small = run.counters.find("small_fsync_ms"); small != run.counters.end())
                    single_[key + "#small"] = small->second.value;
            }
        }
    }

    Medians medians() const {
        Medians all = single_;
        for (const auto& [k, v] : medians_)
            all[k] = v;
        return all;
    }

private:
    static double toMs(double v, benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond:
            return v / 1e6;
        case benchmark::kMicrosecond:
            return v / 1e3;
        case benchmark::kMillisecond:
            return v;
        case benchmark::kSecond:
            return v * 1e3;
        }
        return v;
    }

    Medians medians_;
    Medians single_;
};

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

std::string probePlatform() {
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty())
        return chosen.toStdString();
    return qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb";
}

} // namespace

int main(int argc, char** argv) {
    std::string probeDir;
    long long spawnedAt = 0;
    int startupRuns = 7;
    std::string reportFile;
    std::string dumpDir;
    std::string filesDir;
    std::vector<char*> args{argv[0]};
    bool repetitionsGiven = false, interleavingGiven = false, aggregatesGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (startsWith(a, kProbeFlag))
            probeDir = std::string(a.substr(std::string_view(kProbeFlag).size()));
        else if (startsWith(a, "--kavro_spawned_at="))
            spawnedAt = std::stoll(std::string(a.substr(19)));
        else if (startsWith(a, "--kavro_startup_runs="))
            startupRuns = std::stoi(std::string(a.substr(21)));
        else if (startsWith(a, "--kavro_dump_board="))
            dumpDir = std::string(a.substr(19));
        else if (startsWith(a, "--kavro_dump_files="))
            filesDir = std::string(a.substr(19));
        else if (startsWith(a, "--kavro_report="))
            reportFile = std::string(a.substr(15));
        else {
            repetitionsGiven |= startsWith(a, "--benchmark_repetitions");
            interleavingGiven |= startsWith(a, "--benchmark_enable_random_interleaving");
            aggregatesGiven |= startsWith(a, "--benchmark_report_aggregates_only") ||
                               startsWith(a, "--benchmark_display_aggregates_only");
            args.push_back(argv[i]);
        }
    }
    if (!probeDir.empty()) {
        int probeArgc = 1;
        return runStartupProbe(probeArgc, argv, probeDir, spawnedAt);
    }

    // Medians of repeated runs, the runs of different measurements interleaved so that a
    // slow moment of the disk falls on all of them alike.
    std::string repetitions = "--benchmark_repetitions=25";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    if (!repetitionsGiven)
        args.push_back(repetitions.data());
    if (!interleavingGiven)
        args.push_back(interleaving.data());
    if (!aggregatesGiven)
        args.push_back(aggregates.data());

    const std::string platformForProbes = probePlatform();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    kavro::installFontSubstitutions();

    int benchArgc = static_cast<int>(args.size());
    if (!dumpDir.empty()) {
        const int written = dumpBoards(dumpDir);
        std::cout << written << " images written to " << dumpDir << "\n";
        return written > 0 ? 0 : 1;
    }
    if (!filesDir.empty()) {
        const int written = dumpFiles(filesDir);
        std::cout << written << " files written to " << filesDir << "\n";
        return written > 0 ? 0 : 1;
    }

    benchmark::Initialize(&benchArgc, args.data());
    if (benchmark::ReportUnrecognizedArguments(benchArgc, args.data()))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    releaseDesks();
    benchmark::Shutdown();

    std::optional<StartupFigures> startup;
    if (startupRuns > 0)
        startup = measureStartup(QCoreApplication::applicationFilePath().toStdString(),
                                 platformForProbes, startupRuns);

    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const std::string table = summaryTable(reporter.medians(), startup, usage.ru_maxrss / 1024.0);
    std::cout << "\n" << table;
    if (!reportFile.empty())
        std::ofstream(reportFile) << table;
    return startupRuns > 0 && !startup ? 1 : 0;
}
