#include "desk.h"

#include "support/clerk.h"

#include "charges/rate_file.h"
#include "core/journal/journal_file.h"
#include "core/records/record.h"
#include "core/rules/day_totals.h"
#include "core/screen/board_geometry.h"
#include "core/storage/atomic_file.h"
#include "window/board_half.h"
#include "window/timetable_board.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWindow>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace kavro::bench {

namespace {

using test::control;

BoardHalf* boardHalf(const DeskWindow& window, int half) {
    return control<BoardHalf>(window, half == 0 ? "Picture1_0" : "Picture1_1");
}

QDate qdate(Date d) {
    return QDate(static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                 static_cast<unsigned>(d.day()));
}

} // namespace

Date benchDate() {
    return Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};
}

DateTime benchClock() { return makeDateTime(benchDate(), 20, 0, 0); }

FreeSpot checkInSpot() { return FreeSpot{4, 28}; }

void writeDay(const std::filesystem::path& file, const std::string& bytes) {
    if (auto error = replaceFileAtomically(file, bytes))
        throw std::runtime_error("cannot write the day file: " + *error);
}

void flushWrites(const std::filesystem::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + dir.string());
    const int synced = ::syncfs(fd);
    ::close(fd);
    if (synced != 0)
        throw std::runtime_error("cannot flush the writes under " + dir.string());
}

Desk::Desk(int recordsPerRoom, std::optional<FreeSpot> free, const std::string& rates)
    : world_(std::make_shared<FakeWorld>()), dayFile_(dayFilePath(dir_.path(), benchDate())),
      dayBytes_(dayFileBytes(fullDayLines(benchDate(), recordsPerRoom, free))) {
    world_->now = benchClock();
    writeDay(dayFile_, dayBytes_);
    if (!rates.empty())
        writeDay(dir_.path() / std::string(kRatesFileName), rates);
    window_ = std::make_unique<DeskWindow>(test::fakePlatform(world_, dir_.path()));
    window_->startUp();
    // Shown, so that what is measured is what the window repaints, as on the desk.
    window_->show();
    for (int wait = 0; wait < 1000 && !window_->windowHandle()->isExposed(); ++wait)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

Desk::~Desk() = default;

void Desk::restoreDay() {
    // The journal goes back too: the next check-in meets a day in step with its journal (the
    // reading journals the restored file as its first state, outside the timing).
    std::filesystem::remove(journalPathFor(dayFile_));
    writeDay(dayFile_, dayBytes_);
    readDayAgain(*window_);
    paintBoard(*window_); // the day read again repaints the whole board, outside the timing
}

void readDayAgain(DeskWindow& window) {
    auto* picker = control<QDateEdit>(window, "DTPicker1");
    const Date shown = window.model().shownDay().date;
    picker->setDate(qdate(addDays(shown, -1)));
    picker->setDate(qdate(shown));
}

void chooseMenuEntry(DeskWindow& window, const QString& text) {
    for (QAction* entry : control<QMenu>(window, "deskMenu")->actions())
        if (entry->text() == text)
            entry->trigger();
}

void paintBoard(DeskWindow& /*window: shown, its requests are posted*/) {
    // The paint pass the event loop would run next: whatever the window asked to repaint is
    // painted into its backing store now, and nothing else.
    QCoreApplication::sendPostedEvents();
}

void tickAndPaint(DeskWindow& window) {
    window.tick();
    paintBoard(window);
}

void tickOnANewMinuteAndPaint(FakeWorld& world, DeskWindow& window) {
    // Between the bench's minute and the next: every tick moves the board, and the clock never
    // wanders towards 06:00 however long the run.
    const DateTime next = benchClock() + std::chrono::minutes(1);
    world.now = world.now == next ? benchClock() : next;
    tickAndPaint(window);
}

void selectAt(DeskWindow& window, FreeSpot spot) {
    const BoardRow place = boardRowOfRoom(spot.room);
    BoardHalf* half = boardHalf(window, place.half);
    const auto& board = *control<TimetableBoard>(window, "timetableBoard");
    // A minute into the slot: on the bar of a record that starts there.
    const DateTime start = addMinutes(businessDayStart(benchDate()), 30L * spot.slot + 1);
    const double x = static_cast<double>(minuteX(board.span().start, start));
    const double y = (barTop(place.row) + barBottom(place.row)) / 2;
    test::pressBoardHalf(*half, {x, y});
}

void checkIn(DeskWindow& window, FreeSpot spot) {
    selectAt(window, spot);
    control<QLineEdit>(window, "Text3")->setText(QStringLiteral("山田"));
    control<QPushButton>(window, "Command1")->click();
    paintBoard(window);
}

} // namespace kavro::bench

namespace kavro::bench {

int dumpBoards(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    int written = 0;
    for (int perRoom : {kSlotsPerDay / 4, kSlotsPerDay}) {
        Desk desk(perRoom, std::nullopt);
        DeskWindow& window = desk.window();
        auto& board = *control<TimetableBoard>(window, "timetableBoard");
        // Windows starting at every 7th minute and odd seconds: bars and texts meet the
        // edges at many different offsets.
        for (int minutes = -120; minutes <= 24 * 60 + 120; minutes += 7) {
            board.showAt(addMinutes(businessDayStart(benchDate()), minutes) +
                         std::chrono::seconds(minutes % 60));
            window.tick();
            for (int half = 0; half < 2; ++half) {
                const auto name = "board-" + std::to_string(perRoom) + "-" +
                                  std::to_string(minutes) + "-" + std::to_string(half) + ".png";
                if (!boardHalf(window, half)
                         ->render()
                         .save(QString::fromStdString((dir / name).string())))
                    return -1;
                ++written;
            }
        }
    }
    return written;
}

int dumpFiles(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    int written = 0;
    for (int perRoom : {0, kSlotsPerDay / 4, kSlotsPerDay}) {
        Desk desk(perRoom, checkInSpot());
        const auto keep = [&](const std::string& step) {
            desk.window().waitForSummary(); // its summary line written in the background
            const fs::path to = dir / (std::to_string(perRoom) + "-" + step);
            fs::create_directories(to);
            for (const auto& file : fs::directory_iterator(desk.dir())) {
                fs::copy_file(file.path(), to / file.path().filename());
                ++written;
            }
        };
        checkIn(desk.window(), checkInSpot());
        keep("1-checkin");
        chooseMenuEntry(desk.window(), QStringLiteral("元に戻す"));
        keep("2-undo");
        chooseMenuEntry(desk.window(), QStringLiteral("やり直す"));
        keep("3-redo");
        if (!desk.world().messages.empty())
            return -1;
    }
    return written;
}

} // namespace kavro::bench
