#pragma once
// The booking list under the entry panel: one text line per record of a booking, the ID
// first so that a clicked line can be looked up again, in ascending ID order.
#include "core/records/room_grid.h"

#include <string>
#include <string_view>
#include <vector>

namespace kavro {

// A record field's date-time as "hh:nn"; a field that is no date-time is shown as it is.
std::string timeTextOfField(std::string_view field);

// The unit with exactly one decimal ("2" -> "2.0", "1.5" -> "1.5"); text that is no
// number is shown as it is.
std::string unitWithOneDecimal(std::string_view unit);

// Right-aligned in `width` characters, padded with blanks on the left; longer text whole.
std::string padLeft(std::string_view utf8, std::size_t width);

// ID, start, unit, end, people, room, name, status, two blanks between the pieces.
std::string bookingListLine(std::string_view recordLine);

// The lines of every record whose first seven characters (room code and group number)
// equal those of `id`, sorted by ID. Records with the same ID keep the later-visited one
// above the earlier one.
std::vector<std::string> bookingListLines(const RoomGrid& grid, std::string_view id);

} // namespace kavro
