#pragma once
// The shown day in memory: record lines by room index and position within the room.
#include <array>
#include <string>

namespace kavro {

inline constexpr int kRoomCount = 34;
inline constexpr int kRecordsPerRoom = 48;
inline constexpr int kCarryCell = 48;  // used only by the rollover, within one run

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

private:
    std::array<std::array<std::string, kRecordsPerRoom + 1>, kRoomCount> cells_{};
};

} // namespace kavro
