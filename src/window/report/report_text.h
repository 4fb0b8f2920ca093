#pragma once
// The report's words and table cells, shared by the window, the PDF and the printout.
#include "core/figures/report_period.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kavro {

QString periodTitle(const Period& period); // "2026/12/01 〜 2026/12/31（31日）"
// "組数 12組　人数 30人 ..." in a few lines.
QStringList totalsLines(const PeriodFigures& figures);
// Why these counts differ from the main window's 組数, 人数 and 時間: a short note for
// under the totals, and the full account for their tooltip.
QString countingNote();
QString countingExplanation();
// What the reader must know: days from the summary file, days without figures, unreadable
// lines, files that could not be read.
QStringList noteLines(const PeriodReport& report);

QStringList dayHeaders();
std::vector<QStringList> dayRows(const PeriodFigures& figures);
// 合計 and 平均 under the days (none for a single day) and under the rooms. The averages
// are per day with figures, and per room.
std::vector<QStringList> dayFooterRows(const PeriodFigures& figures);
QStringList roomHeaders();
std::vector<QStringList> roomRows(const PeriodFigures& figures);
std::vector<QStringList> roomFooterRows(const PeriodFigures& figures);

// "12/05(土)", "11/23(月・祝)".
QString dayLabel(Date date);
// Saturdays, Sundays and public holidays, marked in the day table.
bool isDayOffMark(Date date);
// "21時台（平均12.5室）", "―" when no room was used.
QString busiestHourText(const PeriodFigures& figures);

QString hoursAndMinutes(long minutes); // "12：05"
QString percent(double ratio);         // "12.5%"

} // namespace kavro
