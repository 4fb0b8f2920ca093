#pragma once
// The window at the desk, for measurements: a real Form1 over a fake world (fixed clock,
// its own program directory, messages and beeps only counted). Nothing here can reach the
// machine: the real platform is never linked into the benchmarks.
#include "app/form1.h"
#include "full_day.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

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

// A started window over a day of `recordsPerRoom` records per room.
class Desk {
public:
    Desk(int recordsPerRoom, std::optional<FreeSpot> free);
    ~Desk();
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    Form1& form() { return *form_; }
    FakeWorld& world() { return *world_; }
    const std::filesystem::path& dir() const { return dir_.path(); }
    const std::filesystem::path& dayFile() const { return dayFile_; }
    const std::string& dayBytes() const { return dayBytes_; }
    // Puts the day file back as it was made and reloads it.
    void restoreDay();

private:
    ScratchDir dir_;
    std::shared_ptr<FakeWorld> world_;
    std::filesystem::path dayFile_;
    std::string dayBytes_;
    std::unique_ptr<Form1> form_;
};

// The repaint of both board halves, each into an image at its size.
void paintBoard(Form1& form);

// One clock tick and the repaint it asks for.
void tickAndPaint(Form1& form);

// A check-in at the spot through the window's handlers: the click on the board, the name
// typed, "利用", and the board painted after the closing sequence.
void checkIn(Form1& form, FreeSpot spot);

} // namespace kavro::bench

namespace kavro::bench {

// Writes the two halves of the board for a series of board windows over the full day as
// PNG files into `dir`: a change to the painter that is meant to save work and not alter
// the picture can be checked with cmp against the files of the previous build.
int dumpBoards(const std::filesystem::path& dir);

} // namespace kavro::bench
