#include "charges/record_reader.h"

#include "core/records/digits.h"
#include "core/records/record.h"

namespace kavro {

std::optional<DateTime> RecordReader::time(std::string_view text, DateCache& cache) {
    if (text.size() != 16)
        return std::nullopt;
    if (text.substr(0, 10) != cache.text) {
        const auto full = parseDateTime(text);
        if (!full)
            return std::nullopt;
        cache = {text.substr(0, 10), makeDateTime(dateOf(*full), 0, 0)};
        return full;
    }
    const std::string_view hh = text.substr(11, 2), mm = text.substr(14, 2);
    if (text[10] != ' ' || text[13] != ':' || !isAllDigits(hh) || !isAllDigits(mm) ||
        digitsValue(hh) > 23 || digitsValue(mm) > 59)
        return std::nullopt;
    return addMinutes(cache.midnight, digitsValue(hh) * 60L + digitsValue(mm));
}

std::optional<BilledRecord> RecordReader::read(std::string_view line) {
    const RecordView f = viewFields(line);
    // Eight fields exactly: an eighth one (the status, empty or not), reaching the end.
    if (!f.status.data() || f.status.data() + f.status.size() != line.data() + line.size())
        return std::nullopt;
    const auto room = roomIndexOfCode(f.room);
    if (f.id.size() != 9 || !isAllDigits(f.id) || !room || !isAllDigits(f.people) ||
        f.people.size() > 6)
        return std::nullopt;
    const auto start = time(f.start, startDate_);
    const auto end = start ? time(f.end, endDate_) : std::nullopt;
    if (!end)
        return std::nullopt;
    BilledRecord r;
    r.line = line;
    r.id = f.id;
    r.chainKey = digitsValue(f.id.substr(0, 7));
    r.sub = digitsValue(f.id.substr(7, 2));
    r.room = *room;
    r.people = digitsValue(f.people);
    r.status = f.status;
    r.start = *start;
    r.end = *end;
    return r;
}

} // namespace kavro
