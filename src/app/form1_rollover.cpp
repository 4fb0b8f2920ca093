// The 06:00 rollover and the restart request.
#include "app/form1.h"
#include "app/message_titles.h"

#include "ledger/rollover.h"

#include <QLabel>
#include <QLineEdit>
#include <utility>

namespace kavro {

void Form1::rollOverWhenDayChanged() {
    const DateTime now = platform_.now();
    const auto previous = std::exchange(lastTickClock_, now);
    // A program started during the minute 06:00 already opened the new day (no previous).
    if (previous) {
        for (DateTime change : dayChangesPassed(*previous, now)) {
            if (change == lastDayChange_)
                continue; // a clock set back and forward again does not change a day twice
            lastDayChange_ = change;
            pendingDayChanges_.push_back(change);
        }
    }
    if (!pendingDayChanges_.empty() && !rollingOver_)
        rollOverDay();
}

void Form1::rollOverDay() {
    if (pendingDayChanges_.empty()) // run by hand: the day change of the clock
        pendingDayChanges_.push_back(businessDayStart(businessDateAt(platform_.now())));
    const bool firstAttempt = !carryFailureReported_;
    rollingOver_ = true; // the day loaded below ticks, and the tick must not start this again
    // A change the shown day's file did not take is tried again before the carry reads the
    // old day's file, and dropped with the shown day only when the clerk says so.
    if (!settleUnsaved(
            QStringLiteral("「いいえ」のときは、保存せずに新しい日付の表示に切り替えます。"),
            true)) {
        rollingOver_ = false; // the day changes at the next tick, asked again
        return;
    }
    if (hasUnsaved())
        loadDay();
    // The day that ends is the one of the clock, whatever day the window shows: a past or
    // future day left on screen must not hand its stays to the new day. Each day passed
    // hands its stays to the next, in order.
    std::optional<std::string> error;
    while (!pendingDayChanges_.empty()) {
        const Date newDate = dateOf(pendingDayChanges_.front());
        error =
            carryIntoNewDay(platform_.programDir, addDays(newDate, -1), newDate, platform_.now());
        if (error)
            break;
        pendingDayChanges_.erase(pendingDayChanges_.begin());
    }
    const Date today = businessDateAt(platform_.now());
    // Restarting after a failed carry would hide the failure behind a fresh start.
    if (!error)
        platform_.requestRestart();
    carryFailureReported_ = error.has_value();
    if (firstAttempt) {
        // Whether or not the machine agreed to restart, the window leaves the old day now:
        // a restart can be refused or take a while, and any save until then must land in
        // the new day's file on top of what was carried, never write the old day over it.
        showNewBusinessDay(today);
    } else if (!error) {
        // The clerk may be at work on the new day: its file is read again, the panel stays.
        if (shownDate() == today)
            loadDay();
        msgBox(QStringLiteral("前日から続く記録を新しい日付ファイルへ引き継ぎました。"),
               title::kDayChange);
    }
    rollingOver_ = false;

    if (error && firstAttempt)
        msgBox(QStringLiteral("06:00の日替わりで、前日から続く記録を新しい日付ファイルへ"
                              "引き継げませんでした。\r\n前日の記録は前日のファイルに残っています。"
                              "原因が取り除かれると、30秒ごとの時刻の更新で引き継ぎ直します。"
                              "それまでパソコンは再起動しません。\r\n%1")
                   .arg(QString::fromStdString(*error)),
               title::kFileError);
}

void Form1::showNewBusinessDay(Date businessDate) {
    const DateTime now = platform_.now();
    setShownDay(businessDate, businessDate);
    board.reference = now;
    clockNow = now;
    board.followsClock = true;
    // A selection or a name of the old day must not be committed into the new one.
    const QString typedName = nameEdit->text();
    resetEntry();
    clearSelection();
    loadDay();
    if (!typedName.isEmpty())
        msgBox(QStringLiteral("06:00になり、表示を新しい日付（%1）に切り替えたため、"
                              "入力中の内容（%2）を取り消しました。\r\n"
                              "もう一度入力してください。")
                   .arg(QString::fromStdString(formatDate(businessDate)), typedName),
               title::kDayChange);
}

} // namespace kavro
