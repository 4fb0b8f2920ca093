#include "ledger/room_grid.h"

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
}

bool RoomGrid::empty() const {
    for (const auto& row : cells_)
        for (int p = 0; p < kRecordsPerRoom; ++p)
            if (!row[p].empty())
                return false;
    return true;
}

} // namespace kavro
