#pragma once
// The shown day in memory: record lines by room index and position within the room.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

inline constexpr int kRoomCount = 34;
inline constexpr int kRecordsPerRoom = 48;
inline constexpr int kCarryCell = 48; // used only by the rollover, within one run

class RoomGrid {
public:
    const std::string& at(int room, int position) const { return cells_[room][position]; }
    // A write that changes a cell stamps it with a number no other write to any grid has had
    // (0: never written, so empty). What is worked out from a line and kept with its stamp
    // is therefore current exactly while the cell's stamp is the same, whichever grid it
    // was taken from.
    void set(int room, int position, std::string text);
    void clear(int room, int position) { set(room, position, {}); }
    std::uint64_t stamp(int room, int position) const { return stamps_[room][position]; }

    // Number of records of a room: the first empty position (rows are kept without gaps).
    int recordCount(int room) const;
    // Lowest empty position of the room, or -1 when positions 0-47 are all taken.
    int firstFree(int room) const;
    bool isFull(int room) const { return firstFree(room) < 0; }
    // Empties positions 0-47 of every room (the carry cells are left alone).
    void clearRecords();
    // Positions 0-47 become those of `read` (a grid just filled from a day file); a cell
    // whose line is the same in both keeps its stamp, so a day read again after a change
    // is worked out again only where its lines changed.
    void replaceRecords(RoomGrid& read);
    bool empty() const;

    // Fills a cell with a line read from the day file and remembers the bytes it came
    // from. Some characters have two codes in the file's encoding; a line that is saved
    // unchanged is written with its own bytes, so loading and saving never alter it.
    void placeRead(int room, int position, std::string text, std::string bytes);
    // The bytes the cell was read from, while its text is still the text read.
    std::optional<std::string_view> readBytes(int room, int position) const;

private:
    struct Source {
        std::string text;
        std::string bytes;
    };
    // No brace initializers for the strings: they start empty anyway, and clang 14 (which
    // builds the fuzz targets) crashes on a braced member of this size.
    std::array<std::array<std::string, kRecordsPerRoom + 1>, kRoomCount> cells_;
    std::array<std::array<std::uint64_t, kRecordsPerRoom + 1>, kRoomCount> stamps_ = {};
    std::array<std::array<Source, kRecordsPerRoom>, kRoomCount> sources_;
};

} // namespace kavro
