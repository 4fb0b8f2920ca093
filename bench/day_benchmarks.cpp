// The measurements: each on a window over a day made by full_day.
#include "bench_registry.h"
#include "desk.h"

#include "core/journal/journal_file.h"
#include "core/storage/day_file.h"
#include "desk/business_day.h"
#include "window/history_window.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace kavro::bench {

namespace {

constexpr int kFullDay = kSlotsPerDay;
constexpr int kQuarterDay = kSlotsPerDay / 4;

std::map<std::pair<int, bool>, std::unique_ptr<Desk>>& desks() {
    static std::map<std::pair<int, bool>, std::unique_ptr<Desk>> all;
    return all;
}

// One window per kind of day, started once: the measurements run on a window that has
// been running, as at the desk.
Desk& desk(int recordsPerRoom, bool withCheckInSpot) {
    auto& slot = desks()[{recordsPerRoom, withCheckInSpot}];
    if (!slot)
        slot = std::make_unique<Desk>(recordsPerRoom, withCheckInSpot ? std::optional(checkInSpot())
                                                                      : std::nullopt);
    return *slot;
}

using Clock = std::chrono::steady_clock;

// Building the busy day's journal needs no durability: it only has to exist.
const FileOps& noSyncOps() {
    static const FileOps ops = [] {
        FileOps o = posixFileOps();
        o.fsync = [](int) { return 0; };
        return o;
    }();
    return ops;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool readAll(const std::filesystem::path& file, std::string& into) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    into.clear();
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        into.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return n == 0;
}

// The least any durable save and reload of these bytes can cost: write a temporary file,
// fsync it, rename it over the target, fsync the directory, read the file back.
bool floorWriteAndRead(const std::filesystem::path& dir, const std::string& bytes,
                       std::string& back) {
    const auto tmp = dir / "floor.tmp";
    const auto target = dir / "floor.txt";
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(tmp.c_str(), target.c_str()) != 0)
        return false;
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0)
        return false;
    const bool synced = ::fsync(dfd) == 0;
    ::close(dfd);
    return synced && readAll(target, back) && back.size() == bytes.size();
}

// The least a journal entry can cost: a small append to a file and its fsync.
bool smallAppendAndSync(const std::filesystem::path& dir) {
    static const std::string entry(200, 'x');
    const auto file = dir / "small.jnl";
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = writeAll(fd, entry) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// The shown day read from its file by the desk model, as a day picked or started is read
// (the window's repaint is not part of it).
void BM_LoadDay(benchmark::State& state) {
    Desk& d = desk(kFullDay, false);
    DeskModel model({[] { return benchClock(); }, d.dir(), [] { return false; }});
    model.startUp();
    for (auto _ : state)
        model.reload();
    state.counters["records"] = static_cast<double>(model.records().recordCount(0) * kRoomCount);
}

// The disk of a shared machine swings between fast and slow moments from one write to the
// next, so the measurements that write also write the floor right after each operation:
// "floor_ms" is the floor measured alongside, under the same conditions.
struct PairedFloor {
    double totalMs = 0;
    std::string back;

    bool measure(const std::filesystem::path& dir, const std::string& bytes) {
        const auto start = Clock::now();
        const bool ok = floorWriteAndRead(dir, bytes, back);
        totalMs += secondsSince(start) * 1e3;
        return ok;
    }
    void report(benchmark::State& state) const {
        state.counters["floor_ms"] =
            benchmark::Counter(totalMs, benchmark::Counter::kAvgIterations);
    }
};

// The shown day written to its file through its journal, as every operation ends (the
// records as read, so each save writes the same bytes).
void BM_SaveDay(benchmark::State& state) {
    Desk& d = desk(kFullDay, false);
    BusinessDay day(d.dir());
    day.open(benchDate());
    day.syncJournal(benchClock());
    day.read();
    const std::string bytes = renderDayFile(day.records(), day.keptLines()).bytes;
    PairedFloor floor;
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool saved = day.save(JournalOp::Use, {}, benchClock()).stored;
        state.SetIterationTime(secondsSince(start));
        if (!saved || !floor.measure(d.dir(), bytes)) {
            state.SkipWithError("the save or the floor beside it failed");
            break;
        }
    }
    // The window's day goes on from what the file holds now.
    d.restoreDay();
    floor.report(state);
}

void BM_Floor(benchmark::State& state) {
    Desk& d = desk(kFullDay, false);
    const std::string bytes = renderDayFile(d.model().records(), d.model().keptLines()).bytes;
    std::string back;
    back.reserve(bytes.size());
    for (auto _ : state) {
        if (!floorWriteAndRead(d.dir(), bytes, back)) {
            state.SkipWithError("writing or reading the floor file failed");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

void BM_Tick(benchmark::State& state) {
    Desk& d = desk(static_cast<int>(state.range(0)), false);
    for (auto _ : state)
        tickOnANewMinuteAndPaint(d.world(), d.window());
}

void BM_CheckIn(benchmark::State& state) {
    const FreeSpot spot = checkInSpot();
    Desk& d = desk(static_cast<int>(state.range(0)), true);
    PairedFloor floor;
    double smallMs = 0;
    std::string saved;
    for (auto _ : state) {
        const int before = d.model().records().recordCount(spot.room);
        const std::size_t messages = d.world().messages.size();
        const auto start = Clock::now();
        checkIn(d.window(), spot);
        state.SetIterationTime(secondsSince(start));
        if (d.model().records().recordCount(spot.room) != before + 1 ||
            d.world().messages.size() != messages) {
            state.SkipWithError(
                ("the check-in was not stored: " + d.world().messages.back().text.toStdString())
                    .c_str());
            break;
        }
        // The floor of this very save: the bytes it wrote, written and read back once.
        if (!readAll(d.dayFile(), saved) || !floor.measure(d.dir(), saved)) {
            state.SkipWithError("the floor beside the check-in failed");
            break;
        }
        // ... and of its journal entry.
        const auto smallStart = Clock::now();
        if (!smallAppendAndSync(d.dir())) {
            state.SkipWithError("the small fsync beside the check-in failed");
            break;
        }
        smallMs += secondsSince(smallStart) * 1e3;
        // Every check-in runs on the same day: the file goes back as it was, durably.
        d.restoreDay();
    }
    floor.report(state);
    state.counters["small_fsync_ms"] =
        benchmark::Counter(smallMs, benchmark::Counter::kAvgIterations);
}

// A busy day's journal: 2,000 changes (check-ins, settlements, undos) on a full day.
void BM_HistoryLoad(benchmark::State& state) {
    Desk& d = desk(kFullDay, false);
    const auto journalFile = d.dir() / "history.jnl";
    {
        std::filesystem::remove(journalFile);
        DayJournal journal(journalFile);
        journal.load();
        DayLines lines = splitDayLines(d.dayBytes());
        JournalEntry e;
        e.when = benchClock();
        e.op = JournalOp::Outside;
        e.diff = diffLines({}, lines);
        journal.append(e);
        for (int i = 1; i < 2000; ++i) {
            const std::size_t at = static_cast<std::size_t>(i * 7) % lines.size();
            DayLines next = lines;
            std::string& l = next[at];
            l = l.substr(0, l.size() - 4) + (i % 2 ? "\x90\xB8\x8E\x5A" : "\x97\x98\x97\x70");
            e.op = i % 3 == 0 ? JournalOp::Undo : (i % 2 ? JournalOp::Settle : JournalOp::Use);
            e.target = e.op == JournalOp::Undo ? i : 0;
            e.diff = diffLines(lines, next);
            journal.append(e, noSyncOps());
            lines = std::move(next);
        }
    }
    for (auto _ : state) {
        DayJournal journal(journalFile);
        journal.load();
        HistoryWindow window(businessDateAt(benchClock()), journal.entries(), QString());
        window.resize(900, 420);
        QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
        window.render(&image);
        benchmark::DoNotOptimize(image.bits());
        if (window.model->rowCount() != 2000) {
            state.SkipWithError("the history does not hold 2,000 changes");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(journalFile));
}

} // namespace

void releaseDesks() { desks().clear(); }

BENCHMARK(BM_LoadDay)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_HistoryLoad)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_SaveDay)->Unit(benchmark::kMillisecond)->Iterations(20)->UseManualTime();
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Tick)
    ->ArgName("records_per_room")
    ->Arg(0)
    ->Arg(kQuarterDay)
    ->Arg(kFullDay)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50);
BENCHMARK(BM_CheckIn)
    ->ArgName("records_per_room")
    ->Arg(0)
    ->Arg(kQuarterDay)
    ->Arg(kFullDay)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->UseManualTime();

} // namespace kavro::bench
