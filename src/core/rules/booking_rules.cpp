#include "core/rules/booking_rules.h"

#include "core/records/record.h"
#include "core/rules/day_totals.h"
#include "core/rules/time_entry.h"

namespace kavro {

namespace {

constexpr long kLastGroupNumber = 999900; // the ID has four digits for the group

int hourOfText(std::string_view hhnn) { return (hhnn[0] - '0') * 10 + (hhnn[1] - '0'); }

DateTime atTime(Date date, std::string_view hhnn) {
    return makeDateTime(date, hourOfText(hhnn), (hhnn[3] - '0') * 10 + (hhnn[4] - '0'));
}

bool idMatches(const std::string& cell, std::string_view id) {
    return !cell.empty() && idOf(cell) == id;
}

} // namespace

std::optional<long> nextGroupNumber(long maxGroupNo) {
    long next = roundHalfEven(maxGroupNo / 100.0) * 100 + 100;
    if (next > kLastGroupNumber)
        return std::nullopt;
    return next;
}

BookingPeriod bookingPeriod(Date businessDate, std::string_view startText,
                            std::string_view unitText, std::string_view endText) {
    const bool startBeforeSix = hourOfText(startText) < 6;
    const Date startDate = startBeforeSix ? addDays(businessDate, 1) : businessDate;
    BookingPeriod p;
    p.start = atTime(startDate, startText);
    const long unitMinutes = roundHalfEven(leadingNumber(unitText) * 60.0);
    Date endDate = dateOf(addMinutes(p.start, unitMinutes));
    // A hand-typed end after midnight must not land before its own start.
    if (hourOfText(endText) < 6 && !startBeforeSix)
        endDate = addDays(startDate, 1);
    p.end = atTime(endDate, endText);
    p.startField = formatRecordTime(p.start);
    p.endField = formatRecordTime(p.end);
    return p;
}

bool overlaps(DateTime aStart, DateTime aEnd, DateTime bStart, DateTime bEnd) {
    return aStart < bEnd && aEnd > bStart;
}

Conflict scanRoom(const RoomGrid& grid, int room, ScanMode mode, std::string_view id,
                  DateTime start, DateTime end) {
    std::optional<long> continued;
    if (auto n = idNumber(id); mode == ScanMode::Input && n)
        continued = *n - 1;
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& cell = grid.at(room, pos);
        if (cell.empty())
            continue;
        if (mode == ScanMode::Input ? continued && idNumber(cell) == continued : idOf(cell) == id)
            continue;
        const std::string status = statusOf(cell);
        if (status == kStatusUse)
            return mode == ScanMode::Modify ? Conflict::Occupied : Conflict::InUse;
        if (status == kStatusNotified && mode == ScanMode::Modify)
            return Conflict::Occupied;
        if (status == kStatusReserved) {
            const RecordFields r = parseFields(cell);
            auto rs = parseDateTime(r.start), re = parseDateTime(r.end);
            if (rs && re && overlaps(*rs, *re, start, end))
                return Conflict::Reserved;
        }
    }
    return Conflict::None;
}

std::optional<CellRef> findCell(const RoomGrid& grid, std::string_view id) {
    for (int room = 0; room < kRoomCount; ++room)
        for (int pos = 0; pos < kRecordsPerRoom; ++pos)
            if (idMatches(grid.at(room, pos), id))
                return CellRef{room, pos};
    return std::nullopt;
}

bool roomHoldsId(const RoomGrid& grid, int room, long number) {
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& cell = grid.at(room, pos);
        if (!cell.empty() && idNumber(cell) == number)
            return true;
    }
    return false;
}

void markContinued(RoomGrid& grid, int room, long continuedId) {
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& cell = grid.at(room, pos);
        if (!cell.empty() && idNumber(cell) == continuedId)
            grid.set(room, pos, withStatus(cell, kStatusExtended));
    }
}

namespace {

int positionIn(const RoomGrid& grid, int room, std::string_view id) {
    for (int pos = 0; pos < kRecordsPerRoom; ++pos)
        if (idMatches(grid.at(room, pos), id))
            return pos;
    return -1;
}

} // namespace

ModifyPlacement modifyPlacement(const RoomGrid& grid, int targetRoom, std::string_view id) {
    if (id.substr(0, 3) == roomCode(targetRoom) && positionIn(grid, targetRoom, id) >= 0)
        return ModifyPlacement::InPlace;
    return ModifyPlacement::Move;
}

bool modifyFits(const RoomGrid& grid, int targetRoom, std::string_view id) {
    return modifyPlacement(grid, targetRoom, id) == ModifyPlacement::InPlace ||
           grid.firstFree(targetRoom) >= 0 || positionIn(grid, targetRoom, id) >= 0;
}

void storeModified(RoomGrid& grid, int targetRoom, std::string_view id, const std::string& line) {
    if (modifyPlacement(grid, targetRoom, id) == ModifyPlacement::InPlace) {
        grid.set(targetRoom, positionIn(grid, targetRoom, id), line);
        return;
    }
    // The free position is taken before the old copy is emptied, so a record modified again
    // in the room it was moved to goes after that room's records once more.
    int target = grid.firstFree(targetRoom);
    for (int room = 0; room < kRoomCount; ++room)
        if (int pos = positionIn(grid, room, id); pos >= 0)
            grid.clear(room, pos);
    if (target < 0)
        target = grid.firstFree(targetRoom);
    grid.set(targetRoom, target, line);
}

std::optional<long> recordContinuedBy(const RoomGrid& grid, int room,
                                      const std::string& pendingId) {
    const auto pending = idNumber(pendingId);
    if (pendingId.size() != 9 || !pending || *pending % 100 == 0)
        return std::nullopt;
    if (!roomHoldsId(grid, room, *pending - 1) || findCell(grid, pendingId))
        return std::nullopt;
    return *pending - 1;
}

} // namespace kavro
