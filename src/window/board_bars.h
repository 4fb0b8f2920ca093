#pragma once
// What each record line of one board half draws, worked out once per line: parsing a line
// and laying out its texts cost more than drawing them, and every tick redraws the same lines.
#include "core/records/civil_time.h"
#include "core/records/room_grid.h"
#include "core/screen/board_geometry.h"

#include <QColor>
#include <QStaticText>
#include <array>
#include <string>

namespace kavro {

struct BoardBar {
    std::string line;      // the record line it was made from
    bool drawable = false; // false when the line's times cannot be read
    DateTime start;
    DateTime end;
    QColor barColour;
    QColor textColour;
    QStaticText name;
    QStaticText detail;
    // UTF-8 bytes bound the UTF-16 units of a text, which is all the visibility test needs.
    std::size_t nameLength = 0;
    std::size_t detailLength = 0;
};

class BoardBars {
public:
    // The bar of `line`, kept at its row and position until the line there changes.
    const BoardBar& of(int row, int pos, const std::string& line);

private:
    std::array<BoardBar, static_cast<std::size_t>(kRowsPerHalf) * kRecordsPerRoom> bars_;
};

} // namespace kavro
