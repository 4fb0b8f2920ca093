#pragma once
// The summary file: the figures of every business day, kept for years beside the day files,
// which are purged after 30 to 60 days. It holds no names. The purge never deletes it.
//
// Format 2. ASCII text, lines ended by LF (CR LF is read as well). The first line is
// kSummaryHeader; then one line per business day, in date order, words separated by one
// space:
//
//   2 2026-12-05 src=6b0:9f3ac2d1e0b4a7c1 parties=3 people=7 minutes=420 occupied=400
//     stay=420 peak=2 unreadable=1 noshow=0 hours=0,0,...,60 rooms=1:120:120,0:0:0,...
//     sales=3:21000 methods=2:14000,1:7000,0:0,0:0
//
//   2            the line's format; a reader keeps a line of a format it does not know.
//                Lines of format 1 (written before sales were kept) are read as well: they
//                have no noshow=, sales= or methods=, and keep their "1" when written again
//   2026-12-05   the business date (yyyy-mm-dd)
//   src=         size:hash (hexadecimal) of the day file the figures were taken from, so
//                that a changed day file is noticed
//   parties= people= minutes= occupied= stay= peak= unreadable=
//                the day's figures (see day_figures.h): parties, people, minutes of the
//                stays, room-minutes occupied, minutes of the parties' whole stays, most
//                rooms in use at once, unreadable lines
//   hours=       24 room-minute counts, one per hour from 06:00
//   noshow=      reservations that never became stays
//   rooms=       34 triples parties:minutes:occupied-minutes, rooms 001 to 034
//   sales= methods=
//                only when the day's takings are known (see day_sales.h): parties:yen of
//                the day, then per payment method (現金, クレジットカード, 電子マネー,
//                QRコード決済); both words or neither
//
// The minutes of each room by hour are not kept: a one-day heat map needs the day file.
// A line that cannot be read (damaged, or of a later format) is kept byte for byte after
// the day lines and reported; a second line for a date already read counts as such.
#include "core/figures/day_figures.h"
#include "core/figures/day_sales.h"
#include "core/retention/day_purge.h"
#include "core/storage/atomic_file.h"
#include "core/storage/day_file.h"
#include "core/storage/file_identity.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

inline constexpr std::string_view kSummaryFileName = "kavro-summary.txt";
inline constexpr std::string_view kSummaryHeader = "# kavro day summary, format 2";

struct SummaryEntry {
    DayFigures figures; // source Summary, no room-by-hour detail
    FileIdentity dayFile;
    std::optional<DaySales> sales;
    int format = 2; // a line read as format 1 is written back as it was read

    friend bool operator==(const SummaryEntry&, const SummaryEntry&) = default;
};

struct SummaryFile {
    std::map<Date, SummaryEntry> days;
    std::vector<KeptLine> kept; // lines that could not be read, in file order
};

std::string summaryLine(const SummaryEntry& entry);
std::optional<SummaryEntry> parseSummaryLine(std::string_view line);
SummaryFile parseSummary(std::string_view bytes);
std::string renderSummary(const SummaryFile& file);

std::filesystem::path summaryFilePath(const std::filesystem::path& dir);

struct SummaryRead {
    SummaryFile file;
    std::optional<std::string> error; // Japanese; a missing file is no error (empty)
};
SummaryRead readSummaryFile(const std::filesystem::path& dir);

struct SummaryUpdate {
    bool written = false;
    std::vector<Date> summarised;     // days whose line was (re)computed
    std::vector<int> keptLineNumbers; // unreadable lines of the summary file, 1-based
    std::optional<std::string> error; // Japanese; nothing was written then
};

// Reads the day files of these dates and puts their figures into the summary file, which
// is replaced atomically and only when its content changes. A missing file leaves its line
// as it is, and so does an empty file whose journal holds no entry (what showing a day
// creates): figures come only from a day read or saved with its bookings. The days' takings
// come from salesOf when it knows them; otherwise a line keeps the takings it had.
SummaryUpdate summariseDays(const std::filesystem::path& dir, const std::vector<Date>& dates,
                            const DaySalesOf& salesOf = {}, const FileOps& ops = posixFileOps());

// The same for every day file in the folder whose line is missing or was taken from
// other bytes than the file holds now.
SummaryUpdate refreshSummary(const std::filesystem::path& dir, const DaySalesOf& salesOf = {},
                             const FileOps& ops = posixFileOps());

struct PurgeWithSummary {
    PurgeResult purge;
    SummaryUpdate summary;
};
// The start-up purge of old day files (day_purge.h), after their figures are in the summary
// file. When the summary cannot be written, no day file is deleted: its figures would be
// lost for good, while the purge can wait for the next start.
PurgeWithSummary purgeOldDayFilesKeepingFigures(const std::filesystem::path& dir, Date today,
                                                PurgeConsent consent = PurgeConsent::IfClockTrusted,
                                                const DaySalesOf& salesOf = {},
                                                const FileOps& ops = posixFileOps());

// The business dates of the day files (yyyymmdd.txt) in the folder, ascending.
std::vector<Date> dayFileDates(const std::filesystem::path& dir);

} // namespace kavro
