#include "full_day.h"

#include "core/records/cp932.h"
#include "core/records/record.h"

#include <algorithm>
#include <stdexcept>

namespace kavro::bench {

std::vector<std::string> fullDayLines(Date businessDate, int recordsPerRoom,
                                      std::optional<FreeSpot> free) {
    static const char* const names[] = {"山田",     "佐藤太郎", "ｽｽﾞｷ", "高橋",
                                        "田中花子", "伊藤",     "渡辺"};
    static const std::string_view statuses[] = {kStatusSettled, kStatusExtended, kStatusReserved,
                                                kStatusSettled, kStatusReserved};
    std::vector<std::string> lines;
    long group = 1000;
    const DateTime dayStart = businessDayStart(businessDate);
    for (int i = 0; i < recordsPerRoom; ++i) {
        const int slot = i * kSlotsPerDay / recordsPerRoom;
        for (int room = 0; room < 34; ++room) {
            ++group;
            const bool freeRoom = free && free->room == room;
            if (freeRoom && slot == free->slot)
                continue;
            const DateTime start = addMinutes(dayStart, 30L * slot);
            RecordFields f;
            f.id = roomCode(room) + std::to_string(group * 100);
            f.start = formatRecordTime(start);
            f.unit = "0.5";
            f.end = formatRecordTime(addMinutes(start, 30));
            f.people = std::to_string(1 + (room + i) % 26);
            f.room = roomCode(room);
            f.name = names[(room + i) % 7];
            f.status = std::string(statuses[(room * 7 + slot) % 5]);
            if (room % 11 == 3 && slot == 20) // 16:00, a party overdue in the evening
                f.status = std::string(kStatusUse);
            if (room % 11 == 5 && slot == 21) // 16:30, called but still in the room
                f.status = std::string(kStatusNotified);
            if (freeRoom &&
                (f.status == kStatusUse || (f.status == kStatusReserved && slot == free->slot + 1)))
                f.status = std::string(kStatusSettled);
            lines.push_back(joinRecord(f));
        }
    }
    // Room by room, each room's records in the order made: the program's own order, the one
    // its saves write. A change of one record then changes one line of the file, as at the
    // desk, rather than the whole file.
    std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return a.compare(0, 3, b, 0, 3) < 0;
    });
    return lines;
}

std::string dayFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        auto encoded = encodeCp932(line);
        if (!encoded)
            throw std::runtime_error("fixture line not encodable in CP932: " + line);
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace kavro::bench
