#include "window/report/report_text.h"

#include "charges/holidays.h"

#include "core/figures/report_csv.h"
#include "core/records/record.h"
#include <algorithm>
#include <cmath>

namespace kavro {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

QString dayLabel(Date date) { return q(shortDayLabel(date)); }

QString hoursAndMinutes(long minutes) {
    return QStringLiteral("%1：%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString percent(double ratio) { return q(fixed(ratio * 100, 1)) + QLatin1Char('%'); }

QString periodTitle(const Period& p) {
    if (p.dayCount() == 1)
        return q(formatDate(p.first)) +
               QStringLiteral("（%1）").arg(q(weekdayName(weekdayIndex(p.first))));
    return QStringLiteral("%1 〜 %2（%3日）")
        .arg(q(formatDate(p.first)), q(formatDate(p.last)))
        .arg(p.dayCount());
}

QString busiestHourText(const PeriodFigures& p) {
    const auto hour = p.busiestHour();
    if (!hour)
        return QStringLiteral("―");
    return QStringLiteral("%1時台（平均%2室）")
        .arg((*hour + 6) % 24)
        .arg(q(fixed(p.averageRoomsInHour(*hour), 1)));
}

bool isDayOffMark(Date date) { return weekdayIndex(date) >= 5 || holidayName(date).has_value(); }

QStringList totalsLines(const PeriodFigures& p) {
    return {
        QStringLiteral("組数 %1組　人数 %2人　利用時間 %3　平均滞在 %4分")
            .arg(p.parties)
            .arg(p.people)
            .arg(hoursAndMinutes(p.minutes))
            .arg(q(fixed(p.averageStayMinutes(), 0))),
        QStringLiteral("稼働率 %1　回転数 %2（1室1日あたり）　最大同時利用 %3室")
            .arg(percent(p.occupancy()), q(fixed(p.turnover(), 2)))
            .arg(p.peakRooms),
        QStringLiteral("最も混む時間帯 %1　平均人数 %2人/組　来店のない予約 %3組")
            .arg(busiestHourText(p), q(fixed(p.averagePartySize(), 1)))
            .arg(p.unarrivedReservations),
    };
}

// The main window's totals (day_totals.h) are the day's booking counter and the sums of
// every record, whatever its status; the report counts only the stays of the business day.
QString countingNote() {
    return QStringLiteral("※組数・人数は各営業日に始まった利用だけを数えます（予約のままの組、"
                          "前日からの持ち越しは含みません）。メイン画面の組数・人数・時間とは"
                          "数え方が違います。");
}

QString countingExplanation() {
    return QStringLiteral(
        "この集計の数え方\n"
        "・組数: その営業日（6:00〜翌6:00）に始まった利用・延長・通知・精算の組。"
        "延長は同じ組です。予約のままの組、6:00に前日から持ち越した利用は数えません。\n"
        "・人数: その組の人数の合計。\n"
        "・利用時間: 利用のうち、その営業日の中の分だけ。\n"
        "\n"
        "メイン画面の右上の数え方\n"
        "・組数: その日に付けた受付番号の数（最後の番号）。予約、持ち越した利用、"
        "途中で削除した受付の番号も入ります。\n"
        "・人数: 予約を含むすべての受付の人数。\n"
        "・時間: 予約を含むすべての記録の時間（6:00をまたぐ分もそのまま）。");
}

QStringList noteLines(const PeriodReport& r) {
    QStringList notes;
    const PeriodFigures& p = r.figures;
    // The summary keeps each room's figures and each hour's: only the minutes of one room
    // in one hour are gone, which only a single day's heat map shows.
    if (p.daysFromSummary > 0)
        notes << QStringLiteral("%1日分は日付ファイルが削除済みのため、集計ファイルの値です%2。")
                     .arg(p.daysFromSummary)
                     .arg(r.period.dayCount() == 1
                              ? QStringLiteral("（部屋ごとの時間帯別の内訳はありません）")
                              : QString());
    if (p.daysWithoutFigures > 0)
        notes << QStringLiteral("%1日分は記録がありません（率と平均は記録のある日で計算）。")
                     .arg(p.daysWithoutFigures);
    if (p.unreadableLines > 0)
        notes << QStringLiteral("読み取れない行が%1行あります。集計には含めていません。")
                     .arg(p.unreadableLines);
    if (!r.summaryKeptLines.empty()) {
        QStringList numbers;
        for (int n : r.summaryKeptLines)
            numbers << QString::number(n);
        notes << QStringLiteral("集計ファイルの次の行は読み取れません（そのまま残してあります）。"
                                "行番号: %1")
                     .arg(numbers.join(QStringLiteral(", ")));
    }
    for (const auto& e : r.errors)
        notes << q(e).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    return notes;
}

QStringList dayHeaders() {
    return {QStringLiteral("日付"),       QStringLiteral("曜日"),     QStringLiteral("組数"),
            QStringLiteral("人数"),       QStringLiteral("利用時間"), QStringLiteral("稼働率"),
            QStringLiteral("回転数"),     QStringLiteral("平均滞在"), QStringLiteral("最大同時"),
            QStringLiteral("読めない行"), QStringLiteral("出典")};
}

std::vector<QStringList> dayRows(const PeriodFigures& p) {
    std::vector<QStringList> rows;
    rows.reserve(p.days.size());
    for (const DayFigures& d : p.days) {
        QStringList row{q(formatDate(d.date)), q(weekdayMark(d.date))};
        if (d.source == FiguresSource::None) {
            for (int i = 0; i < 8; ++i)
                row << QString();
        } else {
            row << QString::number(d.parties) << QString::number(d.people)
                << hoursAndMinutes(d.minutes) << percent(d.occupancy()) << q(fixed(d.turnover(), 2))
                << QStringLiteral("%1分").arg(q(fixed(d.averageStayMinutes(), 0)))
                << QString::number(d.peakRooms) << QString::number(d.unreadableLines);
        }
        row << q(sourceName(d.source));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<QStringList> dayFooterRows(const PeriodFigures& p) {
    if (p.days.size() < 2)
        return {};
    const double days = std::max(p.daysWithFigures, 1);
    const auto perDay = [days](long total) { return q(fixed(total / days, 1)); };
    return {
        {QStringLiteral("合計"), QString(), QString::number(p.parties), QString::number(p.people),
         hoursAndMinutes(p.minutes), QString(), QString(), QString(), QString::number(p.peakRooms),
         QString::number(p.unreadableLines), QStringLiteral("%1日").arg(p.daysWithFigures)},
        {QStringLiteral("平均（1日）"), QString(), perDay(p.parties), perDay(p.people),
         hoursAndMinutes(std::lround(p.minutes / days)), percent(p.occupancy()),
         q(fixed(p.turnover(), 2)), QStringLiteral("%1分").arg(q(fixed(p.averageStayMinutes(), 0))),
         QString(), QString(), QString()},
    };
}

QStringList roomHeaders() {
    return {QStringLiteral("部屋"), QStringLiteral("組数"), QStringLiteral("利用時間"),
            QStringLiteral("稼働率"), QStringLiteral("回転数（1日あたり）")};
}

std::vector<QStringList> roomRows(const PeriodFigures& p) {
    std::vector<QStringList> rows;
    for (int r = 0; r < kRoomCount; ++r)
        rows.push_back({q(roomCode(r)), QString::number(p.rooms[r].parties),
                        hoursAndMinutes(p.rooms[r].minutes), percent(p.roomOccupancy(r)),
                        q(fixed(p.roomTurnover(r), 2))});
    return rows;
}

std::vector<QStringList> roomFooterRows(const PeriodFigures& p) {
    const auto perRoom = [](long total) { return total / double(kRoomCount); };
    return {
        {QStringLiteral("合計"), QString::number(p.parties), hoursAndMinutes(p.minutes), QString(),
         q(fixed(p.turnover() * kRoomCount, 2))},
        {QStringLiteral("平均（1室）"), q(fixed(perRoom(p.parties), 1)),
         hoursAndMinutes(std::lround(perRoom(p.minutes))), percent(p.occupancy()),
         q(fixed(p.turnover(), 2))},
    };
}

} // namespace kavro
