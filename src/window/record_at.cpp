#include "window/record_at.h"

namespace kavro {

bool recordCovers(const RecordFields& r, DateTime t) {
    auto start = parseDateTime(r.start);
    auto end = parseDateTime(r.end);
    return start && end && *start <= t && t <= *end;
}

std::optional<RecordFields> lastRecordAt(const RoomGrid& grid, int room, DateTime t) {
    std::optional<RecordFields> last;
    // Empty cells are skipped rather than ending the row: a failed save can leave a gap.
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& cell = grid.at(room, pos);
        if (cell.empty())
            continue;
        RecordFields r = parseFields(cell);
        if (recordCovers(r, t))
            last = std::move(r);
    }
    return last;
}

} // namespace kavro
