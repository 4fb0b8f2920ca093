#pragma once
// What each record line of one board half draws, worked out once per line: parsing a line
// and laying out its texts cost more than drawing them, and every tick redraws the same lines.
#include "core/records/civil_time.h"
#include "core/records/room_grid.h"
#include "core/screen/board_geometry.h"

#include <QColor>
#include <QStaticText>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kavro {

class BoardBar {
public:
    BoardBar() = default;
    BoardBar(const std::string& line, std::uint64_t stamp);

    std::uint64_t stamp() const { return stamp_; } // of the grid cell the bar was made from
    bool drawable() const { return drawable_; }    // false when the line's times cannot be read
    DateTime start() const { return start_; }
    DateTime end() const { return end_; }
    const QColor& barColour() const { return barColour_; }
    const QColor& textColour() const { return textColour_; }
    // UTF-8 bytes bound the UTF-16 units of a text, which is all the visibility test needs.
    std::size_t nameLength() const { return nameLength_; }
    std::size_t detailLength() const { return detailLength_; }
    // The texts of `line` (the one the bar was made from), laid out when first drawn: most
    // bars of a day never reach the window.
    const QStaticText& name(const std::string& line);
    const QStaticText& detail(const std::string& line);

private:
    std::uint64_t stamp_ = 0;
    bool drawable_ = false;
    DateTime start_;
    DateTime end_;
    QColor barColour_;
    QColor textColour_;
    std::size_t nameLength_ = 0;
    std::size_t detailLength_ = 0;
    std::optional<QStaticText> name_;
    std::optional<QStaticText> detail_;
};

class BoardBars {
public:
    // The bar of the grid's cell shown at the row and position, kept until the cell's stamp
    // changes.
    BoardBar& of(int row, int pos, const RoomGrid& grid, int room);

private:
    std::array<BoardBar, static_cast<std::size_t>(kRowsPerHalf) * kRecordsPerRoom> bars_;
};

} // namespace kavro
