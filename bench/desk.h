#pragma once
// The window at the desk, for measurements: a real desk window over a fake world (fixed clock,
// its own program directory, messages and beeps only counted). Nothing here can reach the
// machine: the real platform is never linked into the benchmarks. The measurements act on the
// window as the clerk does, through its controls (found by their design names).
#include "full_day.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "window/desk_window.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kavro::bench {

// Every measurement runs on the business day 2026/12/05 with the clock at 20:00:00, so the
// board shows 18:30 to 21:30 and the afternoon's parties are overdue.
Date benchDate();
DateTime benchClock();
// Room 005 at 20:00, in the left half, in the middle of the board's window.
FreeSpot checkInSpot();

using test::FakeWorld;
using ScratchDir = test::TempDir;

// Writes the day file durably, as the program's own save would.
void writeDay(const std::filesystem::path& file, const std::string& bytes);

// A fixture's bulk writes (a year of day files, two years of sales) put on the disk at once:
// left to the kernel's write-back, they would slow the fsyncs of the measurements that run
// after them, and the floor alongside does only part of those fsyncs.
void flushWrites(const std::filesystem::path& dir);

// A started window over a day of `recordsPerRoom` records per room.
class Desk {
public:
    // With `rates`, the shop has that rate file and prices every party.
    Desk(int recordsPerRoom, std::optional<FreeSpot> free, const std::string& rates = {});
    ~Desk();
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    DeskWindow& window() { return *window_; }
    const DeskModel& model() const { return window_->model(); }
    FakeWorld& world() { return *world_; }
    const std::filesystem::path& dir() const { return dir_.path(); }
    const std::filesystem::path& dayFile() const { return dayFile_; }
    const std::string& dayBytes() const { return dayBytes_; }
    // Puts the day file back as it was made, without its journal, and has the window read it
    // again.
    void restoreDay();

private:
    ScratchDir dir_;
    std::shared_ptr<FakeWorld> world_;
    std::filesystem::path dayFile_;
    std::string dayBytes_;
    std::unique_ptr<DeskWindow> window_;
};

// The window reads its shown day's file again, as the clerk has it do: another date picked in
// the date picker, and the shown one again.
void readDayAgain(DeskWindow& window);

// An entry of the desk menu chosen (元に戻す, やり直す, ...); its question answered yes.
void chooseMenuEntry(DeskWindow& window, const QString& text);

// The window's next paint pass: what it asked to repaint, painted into its backing store.
void paintBoard(DeskWindow& window);

// One clock tick and the repaint it asks for.
void tickAndPaint(DeskWindow& window);
// A tick as the clock reaches another minute: the board moves, both halves repaint.
void tickOnANewMinuteAndPaint(FakeWorld& world, DeskWindow& window);

// A check-in at the spot as the clerk makes it: the press on the board, the name typed,
// "利用", and the board painted after the operation.
void checkIn(DeskWindow& window, FreeSpot spot);
// A press on the record at the spot: the booking selected, its operations offered.
void selectAt(DeskWindow& window, FreeSpot spot);

} // namespace kavro::bench

namespace kavro::bench {

// Writes the two halves of the board for a series of board windows over the full day as
// PNG files into `dir`: a change to the painter that is meant to save work and not alter
// the picture can be checked with cmp against the files of the previous build.
int dumpBoards(const std::filesystem::path& dir);

// Copies the program directory (day file, journal, summary) into a folder of `dir` after each
// step of a check-in at the desk, taken back and done again, over days of several sizes: the
// bytes a change to the program must not alter, compared with diff -r against the files of
// the previous build. Returns the number of files written, or -1.
int dumpFiles(const std::filesystem::path& dir);

} // namespace kavro::bench
