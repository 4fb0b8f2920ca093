#pragma once
// Record lines read once for billing: the fields a bill needs, converted in one pass. The
// desk's close bills a whole day at a time, so this avoids what reading a line twice
// would cost (a day of 1632 lines, every one of them).
#include "core/records/civil_time.h"

#include <optional>
#include <string_view>

namespace kavro {

struct BilledRecord {
    std::string_view line;
    std::string_view id;
    long chainKey = 0; // the first seven digits of the ID: room code and group number
    int sub = 0;       // the last two
    int room = 0;      // room index of the room field
    int people = 0;
    std::string_view status;
    DateTime start, end;
};

// Reads the lines of one file: the record times of a day share a handful of dates, and
// each date's text is converted once.
class RecordReader {
public:
    // None for a line that is no well-formed record (the same rule as isWellFormedRecord).
    std::optional<BilledRecord> read(std::string_view line);

private:
    struct DateCache {
        std::string_view text;
        DateTime midnight;
    };
    std::optional<DateTime> time(std::string_view text, DateCache& cache);
    DateCache startDate_, endDate_;
};

} // namespace kavro
