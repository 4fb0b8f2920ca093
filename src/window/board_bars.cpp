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

BoardBar barOf(const std::string& line) {
    BoardBar bar;
    bar.line = line;
    const RecordView f = viewFields(line);
    const auto start = parseDateTime(f.start);
    const auto end = parseDateTime(f.end);
    if (!start || !end)
        return bar;
    bar.drawable = true;
    bar.start = *start;
    bar.end = *end;
    const auto colours = statusColours(f.status);
    bar.barColour = colours ? rgb(colours->bar) : kUnknownBar;
    bar.textColour = colours ? rgb(colours->text) : kUnknownText;
    bar.name = laidOut(QString::fromUtf8(f.name.data(), static_cast<qsizetype>(f.name.size())));
    bar.nameLength = f.name.size();
    bar.detail = laidOut(QString::fromStdString(barDetailText(f.people, *end)));
    // The detail adds "(", ")  " and "hh:nn" to the people.
    bar.detailLength = f.people.size() + 9;
    return bar;
}

} // namespace

const BoardBar& BoardBars::of(int row, int pos, const std::string& line) {
    BoardBar& bar = bars_[static_cast<std::size_t>(row) * kRecordsPerRoom + pos];
    if (bar.line != line)
        bar = barOf(line);
    return bar;
}

} // namespace kavro
