#include "charges/day_chains.h"

#include "ledger/record.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace kavro {

namespace {

// A well-formed record line, read once.
struct Record {
    std::string_view line;
    long chainKey = 0; // the first seven digits of the ID
    int sub = 0;       // the last two
    std::size_t order = 0;
    RecordView fields;
    DateTime start, end;
};

int toInt(std::string_view digits) {
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

std::vector<Record> readRecords(const std::vector<std::string>& lines) {
    std::vector<Record> out;
    out.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isWellFormedRecord(lines[i]))
            continue;
        Record r;
        r.line = lines[i];
        r.fields = viewFields(r.line);
        r.chainKey = toInt(r.fields.id.substr(0, 7));
        r.sub = toInt(r.fields.id.substr(7, 2));
        r.order = i;
        r.start = *parseDateTime(r.fields.start);
        r.end = *parseDateTime(r.fields.end);
        out.push_back(r);
    }
    return out;
}

// The text after the ID without the status word: what the carry copies and the new day
// leaves alone until it corrects the record.
std::string_view copiedText(std::string_view line) { return line.substr(9, line.rfind(',') - 9); }

// The previous day's record the first record of a chain copies.
const Record* copiedRecord(const Record& first, const std::vector<Record>& previous) {
    for (const Record& r : previous)
        if (copiedText(r.line) == copiedText(first.line))
            return &r;
    for (const Record& r : previous)
        if (r.fields.room == first.fields.room && r.start == first.start)
            return &r;
    return nullptr;
}

BookingChain chainOf(const std::vector<const Record*>& records) {
    BookingChain c;
    for (const Record* r : records) {
        c.records.push_back(r->line);
        c.people = std::max(c.people, toInt(r->fields.people));
    }
    const Record& last = *records.back();
    c.id = records.front()->fields.id;
    c.room = *roomIndexOfCode(last.fields.room);
    c.start = records.front()->start;
    c.end = last.end;
    c.minutes = minuteDiff(c.start, c.end);
    c.status = last.fields.status;
    return c;
}

// Prepends the previous day's records up to the one the chain's first record copies.
void joinPrevious(BookingChain& chain, const Record& first, const std::vector<Record>& previous) {
    const Record* copied = copiedRecord(first, previous);
    if (!copied) {
        chain.arrival = Arrival::Unjoined;
        return;
    }
    std::vector<const Record*> before;
    for (const Record& r : previous)
        if (r.chainKey == copied->chainKey && r.sub < copied->sub)
            before.push_back(&r);
    std::stable_sort(before.begin(), before.end(),
                     [](const Record* a, const Record* b) { return a->sub < b->sub; });
    std::vector<std::string_view> joined;
    for (const Record* r : before) {
        joined.push_back(r->line);
        chain.people = std::max(chain.people, toInt(r->fields.people));
    }
    joined.insert(joined.end(), chain.records.begin(), chain.records.end());
    chain.records = std::move(joined);
    if (!before.empty())
        chain.start = before.front()->start;
    chain.minutes = minuteDiff(chain.start, chain.end);
    chain.arrival = Arrival::PreviousDay;
}

std::vector<BookingChain> chains(Date businessDate, const std::vector<std::string>& lines,
                                 const std::vector<std::string>* previousDay) {
    std::vector<Record> records = readRecords(lines);
    std::stable_sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
        return a.chainKey != b.chainKey ? a.chainKey < b.chainKey : a.sub < b.sub;
    });
    std::optional<std::vector<Record>> previous;
    const DateTime dayStart = businessDayStart(businessDate);
    const DateTime dayEnd = businessDayEnd(businessDate);

    std::vector<std::pair<std::size_t, BookingChain>> byFirstLine;
    std::vector<const Record*> members;
    for (std::size_t i = 0; i < records.size();) {
        members.clear();
        std::size_t firstLine = records[i].order;
        for (const long key = records[i].chainKey; i < records.size() && records[i].chainKey == key;
             ++i) {
            members.push_back(&records[i]);
            firstLine = std::min(firstLine, records[i].order);
        }
        BookingChain chain = chainOf(members);
        chain.runsPastDay = dayEnd < chain.end;
        const Record& first = *members.front();
        if (first.start < dayStart || first.sub != 0) {
            if (previousDay && !previous)
                previous = readRecords(*previousDay);
            if (previous)
                joinPrevious(chain, first, *previous);
            else
                chain.arrival = Arrival::Unjoined;
        }
        byFirstLine.emplace_back(firstLine, std::move(chain));
    }
    std::sort(byFirstLine.begin(), byFirstLine.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<BookingChain> out;
    out.reserve(byFirstLine.size());
    for (auto& [line, chain] : byFirstLine)
        out.push_back(std::move(chain));
    return out;
}

} // namespace

std::vector<BookingChain> chainsOfDay(Date businessDate, const std::vector<std::string>& lines) {
    return chains(businessDate, lines, nullptr);
}

std::vector<BookingChain> chainsOfDay(Date businessDate, const std::vector<std::string>& lines,
                                      const std::vector<std::string>& previousDay) {
    return chains(businessDate, lines, &previousDay);
}

} // namespace kavro
