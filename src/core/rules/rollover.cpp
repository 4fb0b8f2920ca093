#include "core/rules/rollover.h"

#include "core/journal/journal_file.h"
#include "core/records/cp932.h"
#include "core/records/record.h"
#include "core/records/room_grid.h"
#include "core/storage/atomic_file.h"

#include <algorithm>
#include <array>
#include <set>

namespace kavro {

std::optional<DateTime> dayChangePassed(DateTime previous, DateTime now) {
    const DateTime latest = businessDayStart(businessDateAt(now));
    if (previous < latest && latest <= now)
        return latest;
    return std::nullopt;
}

std::vector<DateTime> dayChangesPassed(DateTime previous, DateTime now) {
    std::vector<DateTime> changes;
    for (auto change = dayChangePassed(previous, now);
         change && changes.size() < kMaxDayChangesCarried;
         change = dayChangePassed(previous, addMinutes(*change, -1)))
        changes.push_back(*change);
    std::reverse(changes.begin(), changes.end());
    return changes;
}

long highestGroupNumber(const DayContent& day) {
    long highest = 100000;
    for (const auto& r : day.records)
        if (auto g = groupNumberOf(r.text); g && *g > highest)
            highest = *g;
    for (const auto& k : day.kept)
        if (auto g = groupNumberOf(k.bytes); g && *g > highest)
            highest = *g;
    return highest;
}

namespace {

// Room code and group number: the records of one booking share them.
std::string_view bookingOf(const std::string& line) { return std::string_view(line).substr(0, 7); }

} // namespace

Carry carryOver(const std::vector<std::string>& endingDay, DateTime endingDayEnd,
                long newDayMaxGroupNo, const std::vector<std::string>& newDayLines) {
    // A room's records in the order the grid holds them: by room, then file order.
    std::array<std::vector<const std::string*>, kRoomCount> byRoom;
    for (const auto& line : endingDay)
        if (auto room = roomIndexOfCode(parseFields(line).room))
            byRoom[*room].push_back(&line);

    std::set<std::string> present;
    for (const auto& line : newDayLines)
        if (line.size() > 9)
            present.insert(line.substr(9));

    Carry out;
    out.maxGroupNo = newDayMaxGroupNo;
    for (const auto& records : byRoom) {
        std::vector<const std::string*> running; // past the day's end
        std::set<std::string_view> bookings;
        for (const std::string* line : records) {
            auto end = parseDateTime(parseFields(*line).end);
            if (!end || *end <= endingDayEnd)
                continue;
            running.push_back(line);
            bookings.insert(bookingOf(*line));
        }
        if (running.empty())
            continue;
        // Every booking running past the end takes a number, so the carried one, the room's
        // last, has the highest.
        for (std::size_t i = 0; i < bookings.size(); ++i)
            out.maxGroupNo = out.maxGroupNo / 100 * 100 + 100;
        const std::string_view carried = bookingOf(*running.back());
        for (const std::string* line : running) {
            if (bookingOf(*line) != carried)
                continue;
            // The sub-number stays: an extension copied without its base is still no party.
            const long sub = groupNumberOf(*line).value_or(0) % 100;
            std::string copy =
                line->substr(0, 3) + std::to_string(out.maxGroupNo + sub) + line->substr(9);
            if (!present.count(copy.substr(9)))
                out.lines.push_back(std::move(copy));
        }
    }
    return out;
}

std::vector<std::string> lineTexts(const DayContent& day) {
    std::vector<std::string> out;
    out.reserve(day.records.size() + day.kept.size());
    for (const auto& r : day.records)
        out.push_back(r.text);
    for (const auto& k : day.kept)
        if (auto text = decodeCp932(k.bytes))
            out.push_back(std::move(*text));
    return out;
}

RenderResult renderWithAppended(const DayContent& day, const std::vector<std::string>& lines) {
    std::vector<std::pair<int, const std::string*>> existing;
    existing.reserve(day.records.size() + day.kept.size());
    for (const auto& r : day.records)
        existing.emplace_back(r.lineNumber, &r.bytes);
    for (const auto& k : day.kept)
        existing.emplace_back(k.lineNumber, &k.bytes);
    std::stable_sort(existing.begin(), existing.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    RenderResult r;
    for (const auto& e : existing) {
        r.bytes += *e.second;
        r.bytes += "\r\n";
    }
    for (const auto& line : lines)
        if (!appendEncodedLine(r, line))
            return r;
    return r;
}

std::optional<std::string> carryIntoNewDay(const std::filesystem::path& dir, Date endingDate,
                                           Date newDate, DateTime now) {
    namespace fs = std::filesystem;
    DayContent ending;
    const fs::path endingPath = dayFilePath(dir, endingDate);
    std::error_code ec;
    if (fs::exists(endingPath, ec)) {
        auto read = readDayFile(endingPath);
        if (read.error)
            return *read.error + "\r\n" + endingPath.string();
        ending = std::move(read.content);
    }
    std::vector<std::string> endingLines;
    endingLines.reserve(ending.records.size());
    for (auto& r : ending.records)
        endingLines.push_back(std::move(r.text));

    // Read even when nothing is carried: the new day's file exists from now on.
    const fs::path newPath = dayFilePath(dir, newDate);
    auto fresh = readDayFile(newPath);
    if (fresh.error)
        return *fresh.error + "\r\n" + newPath.string();
    auto carryInto = [&](const DayContent& day) {
        return carryOver(endingLines, businessDayEnd(endingDate), highestGroupNumber(day),
                         lineTexts(day));
    };
    if (carryInto(fresh.content).lines.empty())
        return std::nullopt;

    // Journaled in the new day's journal like any change: the carry is part of that day.
    DayJournal journal(journalPathFor(newPath));
    if (auto error = journal.load().error)
        return *error;
    // As a load does, the file is first brought in step with its journal: reservations made
    // before the journal began (or after it was lost) are recorded as they stand, so that a
    // replay of the journal gives them as well as the carried lines.
    if (reconcileDay(journal, newPath, now).kind == DayCheck::Kind::Finished) {
        // An interrupted change was written into the file meanwhile.
        fresh = readDayFile(newPath);
        if (fresh.error)
            return *fresh.error + "\r\n" + newPath.string();
    }
    const Carry carry = carryInto(fresh.content);
    if (carry.lines.empty())
        return std::nullopt;
    auto rendered = renderWithAppended(fresh.content, carry.lines);
    if (rendered.error)
        return *rendered.error;
    const JournaledSave saved = saveDayJournaled(journal, newPath, rendered.bytes,
                                                 {JournalOp::Carry, 0, now}, fresh.identity);
    if (saved.changedOutside)
        return "日付ファイルがこのプログラムの外で変更されました\r\n" + newPath.string();
    if (saved.error)
        return *saved.error + "\r\n" + newPath.string();
    return std::nullopt;
}

} // namespace kavro
