#pragma once
// The rules shared by the operations that create or rewrite a booking: its number, its
// dates, the scan of its room for a party or a reservation in the way, and where its line
// goes in the room grid.
#include "core/records/civil_time.h"
#include "core/records/room_grid.h"

#include <optional>
#include <string>
#include <string_view>

namespace kavro {

// The number (group number x 100) of a new booking: the group after the highest one of the
// day. nullopt when the four-digit group numbers of the day are used up.
std::optional<long> nextGroupNumber(long maxGroupNo);

struct BookingPeriod {
    DateTime start{};
    DateTime end{};
    std::string startField; // "yyyy/mm/dd hh:nn" as stored
    std::string endField;
};

// Start and end of a booking of the business day, from the panel's start, unit and end
// texts (the times already checked with isStorableTime). A start before 06:00 lies on the
// next calendar date; the end's date is that of start plus unit, except that an end before
// 06:00 after a start from 06:00 on always lies on the day after the start.
BookingPeriod bookingPeriod(Date businessDate, std::string_view startText,
                            std::string_view unitText, std::string_view endText);

// Two periods overlap when each begins before the other ends (touching is no overlap).
bool overlaps(DateTime aStart, DateTime aEnd, DateTime bStart, DateTime bEnd);

enum class ScanMode {
    Use,    // a new stay: a party in the room blocks
    Input,  // an extension: the record it continues is no obstacle
    Modify, // a rewrite of a record: a party in the room, called or not, blocks
};

enum class Conflict {
    None,
    InUse,    // a record "利用" (use and input)
    Occupied, // a record "利用" or "通知" other than the record itself (modify)
    Reserved, // a reservation overlapping the period
};

// Scans positions 0-47 of the room in order; the first blocking record decides. `id` is
// the record being registered (use, modify: skipped) or the pending extension (input: the
// record numbered one less is skipped).
Conflict scanRoom(const RoomGrid& grid, int room, ScanMode mode, std::string_view id,
                  DateTime start, DateTime end);

struct CellRef {
    int room = 0;
    int position = 0;
};

// The cell of the first record with this nine-character ID, looking through every room.
std::optional<CellRef> findCell(const RoomGrid& grid, std::string_view id);
// Whether the room holds a record whose ID reads as this number.
bool roomHoldsId(const RoomGrid& grid, int room, long idNumber);

// The extension's second half: every record of the room numbered `continuedId` gets the
// status "延長".
void markContinued(RoomGrid& grid, int room, long continuedId);

// The record that a pending extension continues: the pending ID must follow a record of the
// room (the room may have been changed after the extension was prepared) and must not exist
// yet. Its number, or none.
std::optional<long> recordContinuedBy(const RoomGrid& grid, int room, const std::string& pendingId);

// Where a modified record goes. In place when it sits in the room its ID names and that
// room is the target; otherwise it moves: its first copy in every room is emptied and the
// line goes after the target room's records (also when it moves back to the room of its ID).
enum class ModifyPlacement { InPlace, Move };
ModifyPlacement modifyPlacement(const RoomGrid& grid, int targetRoom, std::string_view id);
// Whether the modified record finds a cell: a move needs a free position in the target room
// unless the record already sits there.
bool modifyFits(const RoomGrid& grid, int targetRoom, std::string_view id);
// Stores the modified line (the caller checked modifyFits).
void storeModified(RoomGrid& grid, int targetRoom, std::string_view id, const std::string& line);

} // namespace kavro
