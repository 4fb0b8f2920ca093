#include "core/records/room_grid.h"

#include <atomic>

namespace kavro {

namespace {

// Grids are also filled on the summary's thread.
std::atomic<std::uint64_t> lastStamp{0};

} // namespace

void RoomGrid::set(int room, int position, std::string text) {
    if (cells_[room][position] == text)
        return;
    cells_[room][position] = std::move(text);
    stamps_[room][position] = lastStamp.fetch_add(1, std::memory_order_relaxed) + 1;
}

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
    for (int room = 0; room < kRoomCount; ++room)
        for (int p = 0; p < kRecordsPerRoom; ++p)
            clear(room, p);
    for (auto& row : sources_)
        for (auto& s : row)
            s = {};
}

void RoomGrid::replaceRecords(RoomGrid& read) {
    for (int room = 0; room < kRoomCount; ++room)
        for (int p = 0; p < kRecordsPerRoom; ++p) {
            if (cells_[room][p] != read.cells_[room][p]) {
                cells_[room][p] = std::move(read.cells_[room][p]);
                stamps_[room][p] = read.stamps_[room][p];
            }
            sources_[room][p] = std::move(read.sources_[room][p]);
        }
}

bool RoomGrid::empty() const {
    for (const auto& row : cells_)
        for (int p = 0; p < kRecordsPerRoom; ++p)
            if (!row[p].empty())
                return false;
    return true;
}

void RoomGrid::placeRead(int room, int position, std::string text, std::string bytes) {
    set(room, position, std::move(text));
    if (position < kRecordsPerRoom)
        sources_[room][position] = {cells_[room][position], std::move(bytes)};
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
