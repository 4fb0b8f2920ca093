#include "core/figures/report_csv.h"

#include "core/records/record.h"

#include <cstdio>

namespace kavro {

std::string weekdayName(int index) {
    static const char* const names[] = {"月", "火", "水", "木", "金", "土", "日"};
    return names[((index % 7) + 7) % 7];
}

std::string sourceName(FiguresSource source) {
    switch (source) {
    case FiguresSource::DayFile:
        return "日付ファイル";
    case FiguresSource::Summary:
        return "集計ファイル";
    case FiguresSource::None:
        break;
    }
    return "記録なし";
}

std::string fixed(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

namespace {

void row(std::string& out, std::initializer_list<std::string> cells) {
    bool first = true;
    for (const auto& c : cells) {
        if (!first)
            out += ',';
        out += c; // no cell holds a comma, a quote or a line break
        first = false;
    }
    out += "\r\n";
}

} // namespace

std::string daysCsv(const PeriodFigures& p) {
    std::string out(kUtf8Bom);
    row(out, {"日付", "曜日", "組数", "人数", "利用分", "稼働率(%)", "回転数", "平均滞在(分)",
              "最大同時利用室数", "読み取れない行", "出典"});
    for (const DayFigures& d : p.days) {
        if (d.source == FiguresSource::None) {
            row(out, {formatIsoDate(d.date), weekdayName(weekdayIndex(d.date)), "", "", "", "", "",
                      "", "", "", sourceName(d.source)});
            continue;
        }
        row(out,
            {formatIsoDate(d.date), weekdayName(weekdayIndex(d.date)), std::to_string(d.parties),
             std::to_string(d.people), std::to_string(d.minutes), fixed(d.occupancy() * 100, 1),
             fixed(d.turnover(), 2), fixed(d.averageStayMinutes(), 1), std::to_string(d.peakRooms),
             std::to_string(d.unreadableLines), sourceName(d.source)});
    }
    return out;
}

std::string roomsCsv(const PeriodFigures& p) {
    std::string out(kUtf8Bom);
    row(out, {"部屋", "組数", "利用分", "稼働率(%)", "回転数(1日あたり)"});
    for (int r = 0; r < kRoomCount; ++r)
        row(out,
            {roomCode(r), std::to_string(p.rooms[r].parties), std::to_string(p.rooms[r].minutes),
             fixed(p.roomOccupancy(r) * 100, 1), fixed(p.roomTurnover(r), 2)});
    return out;
}

} // namespace kavro
