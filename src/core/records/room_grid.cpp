#include "core/records/room_grid.h"

namespace kavro {

int RoomGrid::recordCount(int room) const {
    int n = 0;
    while (n < kRecordsPerRoom && !cells_[room][n].empty())
        ++n;
    return n;
}

int RoomGrid::firstFree(int room) const {
    for (int p = 0; p < kRecordsPerRoom; ++p)
        if (cells_[room][p].empty())
            return p;
    return -1;
}

void RoomGrid::clearRecords() {
    for (auto& row : cells_)
        for (int p = 0; p < kRecordsPerRoom; ++p)
            row[p].clear();
    for (auto& row : sources_)
        for (auto& s : row)
            s = {};
}

bool RoomGrid::empty() const {
    for (const auto& row : cells_)
        for (int p = 0; p < kRecordsPerRoom; ++p)
            if (!row[p].empty())
                return false;
    return true;
}

void RoomGrid::placeRead(int room, int position, std::string text, std::string bytes) {
    cells_[room][position] = text;
    if (position < kRecordsPerRoom)
        sources_[room][position] = {std::move(text), std::move(bytes)};
}

std::optional<std::string_view> RoomGrid::readBytes(int room, int position) const {
    if (position >= kRecordsPerRoom)
        return std::nullopt;
    const Source& s = sources_[room][position];
    if (s.bytes.empty() || s.text != cells_[room][position])
        return std::nullopt;
    return s.bytes;
}

} // namespace kavro
