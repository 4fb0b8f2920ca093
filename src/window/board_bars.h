#pragma once
// What each record line of one board half draws, worked out once per line: parsing a line
// and laying out its texts cost more than drawing them, and every tick redraws the same lines.
#include "core/records/civil_time.h"
#include "core/records/room_grid.h"
#include "core/screen/board_geometry.h"

#include <QColor>
#include <QStaticText>
#include <array>
#include <optional>
#include <string>

namespace kavro {

class BoardBar {
public:
    BoardBar() = default;
    explicit BoardBar(const std::string& line);

    const std::string& line() const { return line_; }
    bool drawable() const { return drawable_; } // false when the line's times cannot be read
    DateTime start() const { return start_; }
    DateTime end() const { return end_; }
    const QColor& barColour() const { return barColour_; }
    const QColor& textColour() const { return textColour_; }
    // UTF-8 bytes bound the UTF-16 units of a text, which is all the visibility test needs.
    std::size_t nameLength() const { return nameLength_; }
    std::size_t detailLength() const { return detailLength_; }
    // The texts, laid out when first drawn: most bars of a day never reach the window.
    const QStaticText& name();
    const QStaticText& detail();

private:
    std::string line_;
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
    // The bar of `line`, kept at its row and position until the line there changes.
    BoardBar& of(int row, int pos, const std::string& line);

private:
    std::array<BoardBar, static_cast<std::size_t>(kRowsPerHalf) * kRecordsPerRoom> bars_;
};

} // namespace kavro
