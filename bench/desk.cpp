#include "desk.h"

#include "board/board_half.h"
#include "board/board_render.h"
#include "ledger/atomic_file.h"
#include "ledger/board_geometry.h"
#include "ledger/day_totals.h"
#include "ledger/record.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <cstdlib>
#include <stdexcept>

namespace kavro::bench {

Date benchDate() {
    return Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};
}

DateTime benchClock() { return makeDateTime(benchDate(), 20, 0, 0); }

FreeSpot checkInSpot() { return FreeSpot{4, 28}; }

void writeDay(const std::filesystem::path& file, const std::string& bytes) {
    if (auto error = replaceFileAtomically(file, bytes))
        throw std::runtime_error("cannot write the day file: " + *error);
}

Desk::Desk(int recordsPerRoom, std::optional<FreeSpot> free)
    : world_(std::make_shared<FakeWorld>()), dayFile_(dayFilePath(dir_.path(), benchDate())),
      dayBytes_(dayFileBytes(fullDayLines(benchDate(), recordsPerRoom, free))) {
    world_->now = benchClock();
    writeDay(dayFile_, dayBytes_);
    form_ = std::make_unique<Form1>(test::fakePlatform(world_, dir_.path()));
    if (!form_->startUp())
        throw std::runtime_error("the window did not start");
}

Desk::~Desk() = default;

void Desk::restoreDay() {
    // The journal goes back too: the next check-in meets a day in step with its journal (the
    // reload journals the restored file as its first state, outside the timing).
    std::filesystem::remove(journalPathFor(dayFile_));
    writeDay(dayFile_, dayBytes_);
    form_->loadDay();
}

void paintBoard(Form1& form) {
    for (int half = 0; half < 2; ++half)
        renderBoardHalf(form, half);
}

void tickAndPaint(Form1& form) {
    form.tick();
    paintBoard(form);
}

void checkIn(Form1& form, FreeSpot spot) {
    const BoardRow place = boardRowOfRoom(spot.room);
    BoardHalf* half = form.boardHalves[place.half];
    const DateTime start = addMinutes(businessDayStart(benchDate()), 30L * spot.slot);
    const double x = static_cast<double>(minuteX(form.board.start, start));
    const double y = (barTop(place.row) + barBottom(place.row)) / 2;
    const QPointF pixel = half->toPixels({x, y});
    const QPointF global = half->mapToGlobal(pixel);

    QMouseEvent press(QEvent::MouseButtonPress, pixel, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(half, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pixel, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(half, &release);
    form.nameEdit->setText(QStringLiteral("山田"));
    form.checkInButton->click();
    paintBoard(form);
}

} // namespace kavro::bench

namespace kavro::bench {

int dumpBoards(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    int written = 0;
    for (int perRoom : {kSlotsPerDay / 4, kSlotsPerDay}) {
        Desk desk(perRoom, std::nullopt);
        Form1& form = desk.form();
        form.board.followsClock = false;
        // Windows starting at every 7th minute and odd seconds: bars and texts meet the
        // edges at many different offsets.
        for (int minutes = -120; minutes <= 24 * 60 + 120; minutes += 7) {
            form.board.reference = addMinutes(businessDayStart(benchDate()), minutes) +
                                   std::chrono::seconds(minutes % 60);
            form.tick();
            for (int half = 0; half < 2; ++half) {
                const auto name = "board-" + std::to_string(perRoom) + "-" +
                                  std::to_string(minutes) + "-" + std::to_string(half) + ".png";
                if (!renderBoardHalf(form, half)
                         .save(QString::fromStdString((dir / name).string())))
                    return -1;
                ++written;
            }
        }
    }
    return written;
}

} // namespace kavro::bench
