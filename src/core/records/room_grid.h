#pragma once
// The shown day in memory: record lines by room index and position within the room.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

inline constexpr int kRoomCount = 34;
inline constexpr int kRecordsPerRoom = 48;
inline constexpr int kCarryCell = 48; // used only by the rollover, within one run

class RoomGrid {
public:
    std::string& at(int room, int position) { return cells_[room][position]; }
    const std::string& at(int room, int position) const { return cells_[room][position]; }

    // Number of records of a room: the first empty position (rows are kept without gaps).
    int recordCount(int room) const;
    // Lowest empty position of the room, or -1 when positions 0-47 are all taken.
    int firstFree(int room) const;
    bool isFull(int room) const { return firstFree(room) < 0; }
    // Empties positions 0-47 of every room (the carry cells are left alone).
    void clearRecords();
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
    // No brace initializers: the strings start empty anyway, and clang 14 (which builds
    // the fuzz targets) crashes on a braced member of this size.
    std::array<std::array<std::string, kRecordsPerRoom + 1>, kRoomCount> cells_;
    std::array<std::array<Source, kRecordsPerRoom>, kRoomCount> sources_;
};

} // namespace kavro
