#include "startup_probe.h"

#include "desk.h"

#include "app/instance_lock.h"
#include "core/journal/journal_file.h"
#include "window/board_half.h"
#include "window/fonts.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace kavro::bench {

namespace {

constexpr int kSessionOperations = 100;

// Notes when each board half has been painted on the screen.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(DeskWindow& window) {
        for (auto* half : window.findChildren<BoardHalf*>())
            half->installEventFilter(this);
    }
    bool bothPainted() const { return painted_[0] && painted_[1]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* half = static_cast<BoardHalf*>(watched);
            painted_[half->objectName().endsWith(QLatin1Char('1')) ? 1 : 0] = true;
        }
        return false;
    }

private:
    bool painted_[2] = {false, false};
};

// Processes events until the condition holds or the time is up.
template <typename Done> bool processUntil(Done done, int timeoutMs) {
    QTimer wake; // keeps the wait from blocking when no event comes
    wake.start(20);
    const long long deadline = monotonicNs() + timeoutMs * 1000000LL;
    while (!done()) {
        if (monotonicNs() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The probe's own peak: VmHWM of its memory map. getrusage's ru_maxrss would not do: Linux
// carries it across fork and exec, so it starts at the benchmark process's size.
long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

} // namespace

long long monotonicNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

int runStartupProbe(int argc, char** argv, const std::string& dirText, long long spawnedAtNs) {
    // As main() does, with the fake world instead of the machine.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KAVRO"));
    installFontSubstitutions();

    const std::filesystem::path dir(dirText);
    auto world = std::make_shared<FakeWorld>();
    world->now = benchClock();
    InstanceLock lock(dir);
    if (!lock.acquired())
        return 2;
    DeskWindow window(test::fakePlatform(world, dir));
    window.startUp();
    PaintWatch watch(window);
    window.show();
    if (!processUntil([&] { return watch.bothPainted(); }, 10000)) {
        std::cerr << "the board was not painted within 10 s\n";
        return 3;
    }
    const double startupMs = static_cast<double>(monotonicNs() - spawnedAtNs) / 1e6;

    // A working session on the shown window, with its real repaints, before the peak is read:
    // each check-in is taken back at the desk (元に戻す), which frees its place for the next.
    // (Writing the day file back from outside instead would look, to the journal read with
    // the day, like a save cut short, which the program rightly finishes.)
    int stored = 0;
    for (int n = 0; n < kSessionOperations; ++n) {
        const int before = window.model().records().recordCount(checkInSpot().room);
        checkIn(window, checkInSpot());
        stored += window.model().records().recordCount(checkInSpot().room) == before + 1;
        QCoreApplication::processEvents();
        chooseMenuEntry(window, QStringLiteral("元に戻す"));
        tickAndPaint(window);
        QCoreApplication::processEvents();
    }

    // A session that showed a message is no measurement: what it said goes to the log.
    for (const auto& m : world->messages)
        std::cerr << "message: " << m.title.toStdString() << ": " << m.text.toStdString() << "\n";
    std::cout << "startup_ms " << startupMs << "\n"
              << "peak_rss_kb " << peakResidentKb() << "\n"
              << "messages " << world->messages.size() << "\n"
              << "checkins " << stored << "\n";
    return 0;
}

std::optional<StartupFigures> measureStartup(const std::string& executable,
                                             const std::string& platform, int runs) {
    StartupFigures figures;
    figures.platform = platform;
    std::vector<double> startups;
    long peakKb = 0;
    for (int run = 0; run < runs; ++run) {
        ScratchDir dir;
        const auto dayFile = dayFilePath(dir.path(), benchDate());
        writeDay(dayFile, dayFileBytes(fullDayLines(benchDate(), kSlotsPerDay, checkInSpot())));
        // The day as the program leaves it, its journal in step with the file: what every
        // start finds but the very first on a file written by another program.
        DayJournal journal(journalPathFor(dayFile));
        journal.load();
        reconcileDay(journal, dayFile, benchClock());
        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromStdString(platform));
        probe.setProcessEnvironment(env);
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const long long spawnedAt = monotonicNs();
        probe.start(QString::fromStdString(executable),
                    {QString::fromStdString(kProbeFlag + dir.path().string()),
                     QStringLiteral("--kavro_spawned_at=%1").arg(spawnedAt)});
        if (!probe.waitForFinished(120000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0) {
            std::cerr << "start-up probe failed (exit " << probe.exitCode() << ")\n";
            return std::nullopt;
        }
        double startupMs = -1;
        long rssKb = -1, messages = -1, checkIns = -1;
        for (const QByteArray& line : probe.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() != 2)
                continue;
            if (parts[0] == "startup_ms")
                startupMs = parts[1].toDouble();
            else if (parts[0] == "peak_rss_kb")
                rssKb = parts[1].toLong();
            else if (parts[0] == "messages")
                messages = parts[1].toLong();
            else if (parts[0] == "checkins")
                checkIns = parts[1].toLong();
        }
        if (startupMs < 0 || rssKb < 0 || messages != 0) {
            std::cerr << "start-up probe gave no figures, or its session showed a message\n";
            return std::nullopt;
        }
        figures.checkInsPerRun = static_cast<int>(checkIns);
        startups.push_back(startupMs);
        peakKb = std::max(peakKb, rssKb);
    }
    if (startups.empty())
        return std::nullopt;
    figures.startupMs = median(startups);
    figures.peakRssMb = static_cast<double>(peakKb) / 1024.0;
    figures.runs = runs;
    return figures;
}

} // namespace kavro::bench
