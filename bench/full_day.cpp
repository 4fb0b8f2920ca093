#include "full_day.h"

#include "ledger/record.h"

namespace kavro::bench {

std::vector<std::string> fullDayLines(Date businessDate, int recordsPerRoom) {
    static const char* const names[] = {"山田", "佐藤太郎", "ｽｽﾞｷ", "高橋", "田中花子", "伊藤", "渡辺"};
    static const std::string_view statuses[] = {kStatusSettled, kStatusExtended, kStatusReserved,
                                                kStatusSettled, kStatusReserved};
    std::vector<std::string> lines;
    long group = 1000;
    const DateTime dayStart = businessDayStart(businessDate);
    for (int i = 0; i < recordsPerRoom; ++i) {
        for (int room = 0; room < 34; ++room) {
            ++group;
            // 48 slots of 30 minutes fill the 24 hours of the business day.
            const DateTime start = addMinutes(dayStart, 30L * i);
            RecordFields f;
            f.id = roomCode(room) + std::to_string(group * 100);
            f.start = formatRecordTime(start);
            f.unit = "0.5";
            f.end = formatRecordTime(addMinutes(start, 30));
            f.people = std::to_string(1 + (room + i) % 26);
            f.room = roomCode(room);
            f.name = names[(room + i) % 7];
            // Past stays are settled or notified-and-settled; later ones reserved; a few
            // rooms show every other status somewhere in the day.
            f.status = std::string(statuses[(room * 7 + i) % 5]);
            if (room % 11 == 3 && i == 20)
                f.status = std::string(kStatusUse);
            if (room % 11 == 5 && i == 21)
                f.status = std::string(kStatusNotified);
            lines.push_back(joinRecord(f));
        }
    }
    return lines;
}

} // namespace kavro::bench
