#include "window/board_bars.h"

#include "core/records/record.h"

namespace kavro {

namespace {

// Bars of a status word the program does not know stay readable but draw no attention.
const QColor kUnknownBar(0xC0, 0xC0, 0xC0);
const QColor kUnknownText(0x00, 0x00, 0x00);

QColor rgb(std::uint32_t value) {
    return QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

QStaticText laidOut(const QString& text) {
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    return laid;
}

} // namespace

BoardBar::BoardBar(const std::string& line, std::uint64_t stamp) : stamp_(stamp) {
    const RecordView f = viewFields(line);
    const auto start = parseDateTime(f.start);
    const auto end = parseDateTime(f.end);
    if (!start || !end)
        return;
    drawable_ = true;
    start_ = *start;
    end_ = *end;
    const auto colours = statusColours(f.status);
    barColour_ = colours ? rgb(colours->bar) : kUnknownBar;
    textColour_ = colours ? rgb(colours->text) : kUnknownText;
    nameLength_ = f.name.size();
    // The detail adds "(", ")  " and "hh:nn" to the people.
    detailLength_ = f.people.size() + 9;
}

const QStaticText& BoardBar::name(const std::string& line) {
    if (!name_) {
        const std::string_view name = viewFields(line).name;
        name_ = laidOut(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    return *name_;
}

const QStaticText& BoardBar::detail(const std::string& line) {
    if (!detail_)
        detail_ = laidOut(QString::fromStdString(barDetailText(viewFields(line).people, end_)));
    return *detail_;
}

BoardBar& BoardBars::of(int row, int pos, const RoomGrid& grid, int room) {
    BoardBar& bar = bars_[static_cast<std::size_t>(row) * kRecordsPerRoom + pos];
    if (bar.stamp() != grid.stamp(room, pos))
        bar = BoardBar(grid.at(room, pos), grid.stamp(room, pos));
    return bar;
}

} // namespace kavro
