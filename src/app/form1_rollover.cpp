// The 06:00 rollover and the restart request.
#include "app/form1.h"
#include "app/message_titles.h"

#include "ledger/rollover.h"

#include <QLabel>
#include <utility>

namespace kavro {

void Form1::rollOverWhenDayChanged() {
    const DateTime now = platform_.now();
    const auto previous = std::exchange(lastTickClock_, now);
    if (!previous)
        return; // a program started during the minute 06:00 already opened the new day
    const auto change = dayChangePassed(*previous, now);
    if (!change || change == lastDayChange_)
        return; // a clock set back and forward again does not change the same day twice
    lastDayChange_ = change;
    rollOverDay();
}

void Form1::rollOverDay() {
    // The day that ends is the one of the clock, whatever day the window shows: a past or
    // future day left on screen must not hand its stays to the new day.
    const Date newDate = businessDateAt(platform_.now());
    const Date endingDate = addDays(newDate, -1);

    const auto error = carryIntoNewDay(platform_.programDir, endingDate, newDate, platform_.now());
    // Restarting after a failed carry would hide the failure behind a fresh start; the
    // message below stays on screen instead.
    if (!error)
        platform_.requestRestart();
    // Whether or not the machine agreed to restart, the window leaves the old day now: a
    // restart can be refused or take a while, and any save until then must land in the
    // new day's file on top of what was carried, never write the old day over it.
    showNewBusinessDay(newDate);

    if (error)
        msgBox(QStringLiteral("06:00の日替わりで、前日から続く記録を新しい日付ファイルへ"
                              "引き継げませんでした。\r\n前日の記録は前日のファイルに残っています。"
                              "パソコンは再起動しません。\r\n%1")
                   .arg(QString::fromStdString(*error)),
               title::kFileError);
}

void Form1::showNewBusinessDay(Date businessDate) {
    const DateTime now = platform_.now();
    setShownDay(businessDate, businessDate);
    board.reference = now;
    clockNow = now;
    board.followsClock = true;
    // A selection of the old day must not be committed into the new one.
    resetEntry();
    clearSelection();
    loadDay();
}

} // namespace kavro
