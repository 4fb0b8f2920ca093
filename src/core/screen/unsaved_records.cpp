#include "core/screen/unsaved_records.h"

#include <string_view>
#include <unordered_map>

namespace kavro {

StoredRecords storedRecordsOf(const RoomGrid& grid) {
    StoredRecords lines;
    for (int room = 0; room < kRoomCount; ++room)
        for (int pos = 0; pos < kRecordsPerRoom; ++pos)
            if (!grid.at(room, pos).empty())
                lines.push_back(grid.at(room, pos));
    return lines;
}

bool UnsavedRecords::any() const {
    if (dropped > 0)
        return true;
    for (const auto& room : cells)
        if (room.any())
            return true;
    return false;
}

UnsavedRecords unsavedRecords(const RoomGrid& grid, const StoredRecords& stored) {
    std::unordered_map<std::string_view, std::size_t> unmatched;
    for (const std::string& line : stored)
        ++unmatched[line];
    UnsavedRecords result;
    for (int room = 0; room < kRoomCount; ++room)
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            if (grid.at(room, pos).empty())
                continue;
            const auto it = unmatched.find(grid.at(room, pos));
            if (it != unmatched.end() && it->second > 0)
                --it->second;
            else
                result.cells[room].set(static_cast<std::size_t>(pos));
        }
    for (const auto& [line, count] : unmatched)
        result.dropped += count;
    return result;
}

} // namespace kavro
