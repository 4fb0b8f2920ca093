#pragma once
// The report's tables as CSV for spreadsheet programs.
//
// UTF-8 with a byte-order mark, CR LF line ends, one header row. The mark is what makes
// the Japanese Excel of the shop's office open the file as UTF-8 on a double click (without
// it Excel assumes CP932 and the headers turn to garbage); LibreOffice, Numbers and web
// spreadsheets recognise it as well, whereas a CP932 file is misread by every program
// that does not assume a Japanese system. Dates are ISO (yyyy-mm-dd), decimals use a
// point, percentages are numbers without the sign so that they can be summed.
#include "core/figures/day_figures.h"

#include <string>

namespace kavro {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// One row per day: date, weekday, parties, people, minutes, occupancy %, turnover,
// average stay, most rooms at once, unreadable lines, where the figures came from.
std::string daysCsv(const PeriodFigures& figures);
// One row per room over the period: parties, minutes, occupancy %, turnover per day.
std::string roomsCsv(const PeriodFigures& figures);

// Shared by the CSV, the tables and the printed report.
std::string weekdayName(int mondayBasedIndex); // "月" ... "日"
std::string sourceName(FiguresSource source); // "日付ファイル", "集計ファイル", "記録なし"
std::string fixed(double value, int decimals); // "12.5"

} // namespace kavro
