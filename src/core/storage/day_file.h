#pragma once
// One day file per business day: CP932 text, one record line per line, CR LF.
#include "core/records/civil_time.h"
#include "core/records/room_grid.h"
#include "core/storage/atomic_file.h"
#include "core/storage/file_identity.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kavro {

// A line the program does not understand (or has no room for) is never lost: it is kept
// byte for byte and written back after the records.
struct KeptLine {
    int lineNumber = 0; // 1-based, in the file as it was read
    std::string bytes;  // without the line end
};

struct ReadRecord {
    int lineNumber = 0;
    std::string text;  // UTF-8
    std::string bytes; // as read, without the line end
};

struct DayContent {
    std::vector<ReadRecord> records; // well-formed record lines, in file order
    std::vector<KeptLine> kept;
};

std::filesystem::path dayFilePath(const std::filesystem::path& dir, Date businessDate);

// Splits file bytes into lines (LF or CR LF), skips blank lines, decodes and sorts them
// into records and kept lines.
DayContent parseDayFile(std::string_view bytes);

struct FileRead {
    bool exists = false;
    std::string bytes;
    std::optional<std::string> error; // Japanese, naming the file by `noun`
};
// Reads a whole regular file; a missing one is not an error (exists stays false).
FileRead readWholeFile(const std::filesystem::path& path, const std::string& noun);

struct DayReadResult {
    DayContent content;
    FileIdentity identity;            // of the bytes read; an empty file when it was created
    IdentityTrail trail;              // ... along them
    std::string bytes;                // as read
    std::optional<std::string> error; // Japanese text, when the file could not be read
};
// Reads the day file, creating it empty when it does not exist.
DayReadResult readDayFile(const std::filesystem::path& path);

struct ExistingDayFile {
    DayContent content;
    FileIdentity identity;            // of the bytes read, when asked for
    bool parsed = false;              // whether `content` holds what the bytes say
    std::optional<std::string> error; // Japanese text, when the file could not be read
};
// Reads the day file without ever creating it (readers that only look, such as the
// reports): none when the file does not exist. A file whose identity is `alreadyKnown` is
// not parsed: the caller holds what it says.
std::optional<ExistingDayFile> readExistingDayFile(const std::filesystem::path& path,
                                                   bool withIdentity = true,
                                                   const FileIdentity* alreadyKnown = nullptr);

// Places records into the grid's rooms in order; records that find no room (a full row)
// are moved to the kept lines so that they survive.
void placeRecords(RoomGrid& grid, DayContent& content);

// After the bytes rendered from the grid were stored: when a read of them would put every
// record where it stands now (each in the room its line names, rows without gaps, every line a
// well-formed record that CP932 holds exactly), the grid takes each line's bytes
// as read and true is returned. Otherwise nothing changes and the bytes must be read back.
bool adoptAsRead(RoomGrid& grid);

struct RenderResult {
    std::string bytes;
    std::optional<std::string> error; // a line CP932 cannot hold
};
// Appends one record line to file bytes: CP932 and CR LF. False (with the error text set)
// when the line holds a character CP932 cannot.
bool appendEncodedLine(RenderResult& out, const std::string& utf8Line);

// The file bytes for the grid (rooms ascending, positions ascending) and the kept lines.
RenderResult renderDayFile(const RoomGrid& grid, const std::vector<KeptLine>& kept);

} // namespace kavro
