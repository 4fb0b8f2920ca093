#pragma once
// A booking is a chain of records with consecutive IDs (sub-numbers 00, 01, ...); every
// record but the last carries "延長". These rules extend, settle and take back links of
// such chains in the room grid.
#include "core/records/room_grid.h"

#include <optional>
#include <string>
#include <string_view>

namespace kavro {

// The ID of the record that would continue `id`. None when `id` is no nine-digit ID or
// its sub-number is already 99: the next number would belong to another booking.
std::optional<std::string> extensionId(std::string_view id);

// The room index named by the room box's text, read as a number (leading blanks allowed,
// "5" and "005" both name room index 4). None when it names no room of the grid.
std::optional<int> roomIndexFromText(std::string_view text);

// The record with this ID (the last one in grid order should the ID occur twice).
std::optional<std::string> findRecord(const RoomGrid& grid, std::string_view id);

// Replaces the first record of the room whose ID is `id` by `line`. False when the room
// holds no such record (nothing changes then).
bool replaceRecordInRoom(RoomGrid& grid, int room, std::string_view id, const std::string& line);

// Replaces the first record anywhere in the grid whose ID is `id` by `settledLine`, then
// sets "精算" on the records it continues: the IDs 1 .. n below it, n being its
// sub-number. False, and nothing changed, when no record has the ID.
bool settleBooking(RoomGrid& grid, std::string_view id, const std::string& settledLine);

struct DeletionResult {
    int removed = 0;                     // records emptied
    bool firstRecordRemoved = false;     // a record with sub-number 00 was among them
    std::optional<std::string> restored; // the extended record, back at "利用"
};

// Empties every record whose ID is `id`. When such a record is an extension and the
// position just before it in its room holds the record it extends (ID one less), that
// record gets "利用" back. An extension whose extended record sits elsewhere is removed
// alone.
DeletionResult deleteRecord(RoomGrid& grid, std::string_view id);

} // namespace kavro
