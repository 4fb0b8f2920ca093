#include "charges/day_chains.h"

#include "charges/record_reader.h"

#include <algorithm>
#include <optional>

namespace kavro {

namespace {

std::vector<BilledRecord> readRecords(const std::vector<std::string>& lines) {
    std::vector<BilledRecord> out;
    out.reserve(lines.size());
    RecordReader reader;
    for (const std::string& line : lines)
        if (auto r = reader.read(line))
            out.push_back(*r);
    return out;
}

// The text after the ID without the status word: what the carry copies and the new day
// leaves alone until it corrects the record.
std::string_view copiedText(std::string_view line) { return line.substr(9, line.rfind(',') - 9); }

// The previous day's record the first record of a chain copies.
const BilledRecord* copiedRecord(const BilledRecord& first,
                                 const std::vector<BilledRecord>& previous) {
    for (const BilledRecord& r : previous)
        if (copiedText(r.line) == copiedText(first.line))
            return &r;
    for (const BilledRecord& r : previous)
        if (r.room == first.room && r.start == first.start)
            return &r;
    return nullptr;
}

// The first and last record of a chain by sub-number.
struct ChainEnds {
    long key = 0;
    const BilledRecord* first = nullptr;
    const BilledRecord* last = nullptr;
    bool inFileOrder = true; // its records stood in the file by sub-number already
};

void finishChain(BookingChain& c, const ChainEnds& ends) {
    if (!ends.inFileOrder) // the ID's last two digits order the records as numbers would
        std::stable_sort(
            c.records.begin(), c.records.end(),
            [](std::string_view a, std::string_view b) { return a.substr(7, 2) < b.substr(7, 2); });
    c.id = ends.first->id;
    c.room = ends.last->room;
    c.start = ends.first->start;
    c.end = ends.last->end;
    c.minutes = minuteDiff(c.start, c.end);
    c.status = ends.last->status;
}

// Prepends the previous day's records up to the one the chain's first record copies.
void joinPrevious(BookingChain& chain, const BilledRecord& first,
                  const std::vector<BilledRecord>& previous) {
    const BilledRecord* copied = copiedRecord(first, previous);
    if (!copied) {
        chain.arrival = Arrival::Unjoined;
        return;
    }
    std::vector<const BilledRecord*> before;
    for (const BilledRecord& r : previous)
        if (r.chainKey == copied->chainKey && r.sub < copied->sub)
            before.push_back(&r);
    std::stable_sort(before.begin(), before.end(),
                     [](const BilledRecord* a, const BilledRecord* b) { return a->sub < b->sub; });
    std::vector<std::string_view> joined;
    for (const BilledRecord* r : before) {
        joined.push_back(r->line);
        chain.people = std::max(chain.people, r->people);
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
    const std::vector<BilledRecord> records = readRecords(lines);
    // The chains in the order of their first line.
    std::vector<BookingChain> out;
    std::vector<ChainEnds> ends;
    // Group numbers are unique within a day: the chain of a key is found by its group, and
    // only a group shared by two room codes (a file edited by hand) is searched for.
    std::vector<int> chainOfGroup(10000, -1);
    for (const BilledRecord& r : records) {
        int& byGroup = chainOfGroup[static_cast<std::size_t>(r.chainKey % 10000)];
        std::size_t index = byGroup < 0 ? ends.size() : static_cast<std::size_t>(byGroup);
        if (byGroup >= 0 && ends[index].key != r.chainKey)
            index = static_cast<std::size_t>(
                std::find_if(ends.begin(), ends.end(),
                             [&](const ChainEnds& e) { return e.key == r.chainKey; }) -
                ends.begin());
        const bool added = index == ends.size();
        if (added) {
            if (byGroup < 0)
                byGroup = static_cast<int>(index);
            out.emplace_back();
            ends.push_back({r.chainKey, &r, &r});
        }
        BookingChain& chain = out[index];
        ChainEnds& e = ends[index];
        if (!added) {
            e.inFileOrder = e.inFileOrder && e.last->sub <= r.sub;
            e.first = r.sub < e.first->sub ? &r : e.first;
            e.last = r.sub >= e.last->sub ? &r : e.last;
        }
        chain.records.push_back(r.line);
        chain.people = std::max(chain.people, r.people);
    }

    std::optional<std::vector<BilledRecord>> previous;
    const DateTime dayStart = businessDayStart(businessDate);
    const DateTime dayEnd = businessDayEnd(businessDate);
    for (std::size_t i = 0; i < out.size(); ++i) {
        BookingChain& chain = out[i];
        finishChain(chain, ends[i]);
        chain.runsPastDay = dayEnd < chain.end;
        const BilledRecord& first = *ends[i].first;
        if (first.start < dayStart || first.sub != 0) {
            if (previousDay && !previous)
                previous = readRecords(*previousDay);
            if (previous)
                joinPrevious(chain, first, *previous);
            else
                chain.arrival = Arrival::Unjoined;
        }
    }
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
