#include "core/screen/booking_list_line.h"

#include "core/records/civil_time.h"
#include "core/records/record.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace kavro {

namespace {

std::optional<double> numberOf(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::string timeTextOfField(std::string_view field) {
    if (auto t = parseDateTime(field))
        return formatHhNn(*t);
    return std::string(field);
}

std::string unitWithOneDecimal(std::string_view unit) {
    auto value = numberOf(unit);
    if (!value)
        return std::string(unit);
    // Halves away from zero, the way the list has always shown a unit.
    double tenths = std::round(*value * 10.0) + 0.0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.1f", tenths / 10.0);
    return buf;
}

std::string padLeft(std::string_view utf8, std::size_t width) {
    std::size_t n = characterCount(utf8);
    std::string out(n < width ? width - n : 0, ' ');
    out += utf8;
    return out;
}

std::string bookingListLine(std::string_view recordLine) {
    const RecordFields f = parseFields(recordLine);
    const std::string gap = "  ";
    return f.id + gap + timeTextOfField(f.start) + gap + unitWithOneDecimal(f.unit) + gap +
           timeTextOfField(f.end) + gap + padLeft(f.people, 2) + gap + f.room + gap +
           padLeft(f.name, 5) + gap + f.status;
}

std::vector<std::string> bookingListLines(const RoomGrid& grid, std::string_view id) {
    std::vector<std::string> lines;
    if (id.size() < 7)
        return lines;
    const std::string_view groupKey = id.substr(0, 7);
    for (int room = 0; room < kRoomCount; ++room) {
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& cell = grid.at(room, pos);
            if (cell.empty() || std::string_view(cell).substr(0, 7) != groupKey)
                continue;
            // Only strictly smaller IDs stand above the new line.
            const std::string_view key = idOf(cell);
            std::size_t index = 0;
            for (const auto& l : lines)
                if (idOf(l) < key)
                    ++index;
            lines.insert(lines.begin() + static_cast<long>(index), bookingListLine(cell));
        }
    }
    return lines;
}

} // namespace kavro
