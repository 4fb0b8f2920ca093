#include "core/rules/booking_chain.h"

#include "core/records/record.h"

#include <charconv>

namespace kavro {

namespace {

// The two digits at characters 8-9 of an ID; 0 when they are no number.
int subNumberOf(std::string_view line) {
    if (line.size() < 9)
        return 0;
    int value = 0;
    auto [end, ec] = std::from_chars(line.data() + 7, line.data() + 9, value);
    return ec == std::errc{} && end == line.data() + 9 ? value : 0;
}

bool hasIdNumber(std::string_view cell, long number) {
    auto n = idNumber(cell);
    return n && *n == number;
}

} // namespace

std::optional<std::string> extensionId(std::string_view id) {
    auto number = idNumber(id);
    if (!number || id.size() != 9 || subNumberOf(id) >= 99)
        return std::nullopt;
    return formatId(*number + 1);
}

std::optional<int> roomIndexFromText(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 6)
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + digits, value);
    if (value < 1 || value > kRoomCount)
        return std::nullopt;
    return value - 1;
}

std::optional<std::string> findRecord(const RoomGrid& grid, std::string_view id) {
    std::optional<std::string> found;
    for (int room = 0; room < kRoomCount; ++room)
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& cell = grid.at(room, pos);
            if (!cell.empty() && idOf(cell) == id)
                found = cell;
        }
    return found;
}

bool replaceRecordInRoom(RoomGrid& grid, int room, std::string_view id, const std::string& line) {
    if (room < 0 || room >= kRoomCount)
        return false;
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& cell = grid.at(room, pos);
        if (!cell.empty() && idOf(cell) == id) {
            grid.set(room, pos, line);
            return true;
        }
    }
    return false;
}

bool settleBooking(RoomGrid& grid, std::string_view id, const std::string& settledLine) {
    bool found = false;
    for (int room = 0; room < kRoomCount && !found; ++room) {
        for (int pos = 0; pos < kRecordsPerRoom && !found; ++pos) {
            const std::string& cell = grid.at(room, pos);
            if (!cell.empty() && idOf(cell) == id) {
                grid.set(room, pos, settledLine);
                found = true;
            }
        }
    }
    auto number = idNumber(id);
    if (!found || !number)
        return found;
    const int n = subNumberOf(id);
    for (int k = 1; k <= n; ++k)
        for (int room = 0; room < kRoomCount; ++room)
            for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
                const std::string& cell = grid.at(room, pos);
                if (!cell.empty() && hasIdNumber(cell, *number - k))
                    grid.set(room, pos, withStatus(cell, kStatusSettled));
            }
    return true;
}

DeletionResult deleteRecord(RoomGrid& grid, std::string_view id) {
    DeletionResult result;
    const auto number = idNumber(id);
    for (int room = 0; room < kRoomCount; ++room) {
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& cell = grid.at(room, pos);
            if (cell.empty() || idOf(cell) != id)
                continue;
            if (subNumberOf(cell) > 0) {
                if (pos > 0 && number && hasIdNumber(grid.at(room, pos - 1), *number - 1)) {
                    grid.set(room, pos - 1, withStatus(grid.at(room, pos - 1), kStatusUse));
                    result.restored = grid.at(room, pos - 1);
                }
            } else {
                result.firstRecordRemoved = true;
            }
            grid.clear(room, pos);
            ++result.removed;
        }
    }
    return result;
}

} // namespace kavro
