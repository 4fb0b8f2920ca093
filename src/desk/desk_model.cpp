// The desk model's days: start-up, the day shown, the clock tick and the 06:00 cycle.
#include "desk/desk_model.h"

#include "core/figures/summary_file.h"
#include "core/rules/rollover.h"
#include "core/screen/day_view.h"
#include "desk/message_titles.h"
#include "desk/summary_keeper.h"
#include "sales/day_takings.h"

#include <QStringList>
#include <utility>

namespace kavro {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

DeskModel::DeskModel(DeskSeams seams, QObject* parent)
    : QObject(parent), seams_(std::move(seams)), day_(seams_.dir) {
    summaryKeeper_ = std::make_unique<SummaryKeeper>(seams_.dir, [this](const QString& text) {
        emit told(title::kFileError,
                  QStringLiteral("集計ファイルを更新できませんでした。予約データは日付ファイルに"
                                 "保存されています。\r\n%1")
                      .arg(text));
    });
}

DeskModel::~DeskModel() = default;

void DeskModel::waitForSummary() { summaryKeeper_->waitForIdle(); }

Reply DeskModel::ask(Question question, std::function<Reply(bool)> then) {
    Reply reply;
    reply.question = std::move(question);
    pendingAnswer_ = std::move(then);
    return reply;
}

Reply DeskModel::answer(bool yes) {
    auto then = std::exchange(pendingAnswer_, nullptr);
    return then ? then(yes) : Reply{};
}

// ---- the days ----

Reply DeskModel::startUp() {
    const DateTime now = seams_.now();
    const Date today = businessDateAt(now);
    auto purgeAndShow = [this, today](PurgeConsent consent) {
        Reply reply = keepFiguresAtStartUp(today, consent);
        reply.take(show(today, today));
        reply.take(startCharges(today));
        return reply;
    };
    const PurgePlan plan = planPurge(seams_.dir, today);
    if (plan.verdict != PurgeVerdict::AskFirst)
        return purgeAndShow(PurgeConsent::IfClockTrusted);
    // Old day files are due, but no recent day shows that the clock is right: a clock set
    // weeks ahead would delete the current days. The desk confirms the date first.
    const QString lastDay = plan.lastDayWorked
                                ? QStringLiteral("最後に記録のある営業日は %1 です。")
                                      .arg(q(formatDate(*plan.lastDayWorked)))
                                : QStringLiteral("記録のある営業日が見つかりません。");
    const Question question{
        title::kClock, QStringLiteral("パソコンの時計が進みすぎているおそれがあります。\r\n"
                                      "%1\r\n今日の日付 %2 は正しいですか？\r\n"
                                      "「はい」のときは、30日以上前の日付ファイルを削除します。")
                           .arg(lastDay, q(formatDate(dateOf(now))))};
    return ask(question, [purgeAndShow](bool yes) {
        Reply reply;
        if (!yes)
            reply.tell(title::kClock,
                       QStringLiteral("パソコンの時計を正しい日付に合わせてから、もう一度起動して"
                                      "ください。古い日付ファイルは削除していません。"));
        reply.take(
            purgeAndShow(yes ? PurgeConsent::ConfirmedByDesk : PurgeConsent::IfClockTrusted));
        return reply;
    });
}

Reply DeskModel::showDate(Date picked) {
    const DateTime now = seams_.now();
    Reply reply;
    Date shown = picked;
    if (isBeyondViewLimit(picked, businessDateAt(now))) {
        reply.tell(title::kDateLimit, QStringLiteral("30日以上前の記録は参照できません"));
        shown = businessDateAt(now);
    }
    reply.take(show(shown, shown_.today));
    return reply;
}

Reply DeskModel::show(Date date, Date today) {
    const DateTime now = seams_.now();
    shown_ = ShownDay::of(date, today);
    // Before 06:00 the real time belongs to the day after the shown date, as the tick
    // projects it.
    clock_ = shown_.offset == 0 ? now : projectedClock(date, now);
    day_.open(date);
    return loadShownDay();
}

Reply DeskModel::reload() { return loadShownDay(); }

Question DeskModel::unsavedQuestion(const QString& withoutIt) const {
    return {QStringLiteral("保存されていない変更"),
            QStringLiteral("次の変更は保存されていません: %1\r\nもう一度保存しますか？\r\n%2")
                .arg(day_.unsavedChanges(), withoutIt)};
}

Outcome DeskModel::saveUnsaved() {
    Outcome outcome;
    outcome.done = true;
    BusinessDay::Saved saved = day_.saveUnsaved(seams_.now());
    outcome.stored = saved.stored;
    outcome.reply = std::move(saved.reply);
    outcome.reply.take(afterSave(saved));
    return outcome;
}

Reply DeskModel::checkJournal() {
    Reply reply = day_.syncJournal(seams_.now());
    if (day_.rebuildOffer())
        reply.take(offerRebuild(false));
    return reply;
}

Reply DeskModel::offerRebuild(bool readAfterNo) {
    // The file is read only after the answer: read now, a missing file would be created empty.
    return ask(day_.rebuildQuestion(), [this, readAfterNo](bool yes) {
        Reply after = yes ? day_.rebuild(seams_.now()) : Reply{};
        if (yes || readAfterNo)
            after.take(finishLoad());
        return after;
    });
}

Reply DeskModel::loadShownDay() {
    Reply reply = day_.syncJournal(seams_.now());
    reply.take(day_.rebuildOffer() ? offerRebuild(true) : finishLoad());
    return reply;
}

Reply DeskModel::finishLoad() {
    previousDay_.reset(); // another program may have changed it too
    Reply reply = day_.read();
    if (day_.readable())
        summaryKeeper_->dayChanged(day_.date());
    reply.take(reconcileAfterOutsideChange());
    emit dayShown();
    return reply;
}

Reply DeskModel::keepFiguresAtStartUp(Date today, PurgeConsent consent) {
    Reply reply;
    const auto& dir = seams_.dir;
    // The figures of the files about to be purged first: after the purge they exist nowhere
    // else. Then every retained day whose line is missing or was taken from other bytes.
    const DaySalesOf takings = salesFileTakings(dir);
    const PurgeWithSummary purge = purgeOldDayFilesKeepingFigures(dir, today, consent, takings);
    const SummaryUpdate refresh =
        purge.summary.error ? purge.summary : refreshSummary(dir, takings);
    if (refresh.error) {
        reply.tell(title::kFileError,
                   QStringLiteral("集計ファイルを更新できませんでした。%1\r\n%2")
                       .arg(purge.summary.error
                                ? QStringLiteral("古い日付ファイルは削除せずに残してあります。")
                                : QString(),
                            q(*refresh.error)));
        return reply;
    }
    if (!refresh.keptLineNumbers.empty()) {
        QStringList numbers;
        for (int n : refresh.keptLineNumbers)
            numbers << QString::number(n);
        reply.tell(title::kOddSummaryLines,
                   QStringLiteral("%1 の次の行は読み取れません。\r\n"
                                  "行の内容はそのまま保存され、削除されません。\r\n行番号: %2")
                       .arg(q(std::string(kSummaryFileName)), numbers.join(QStringLiteral(", "))));
    }
    return reply;
}

// ---- the clock ----

RoomAlerts DeskModel::tick() {
    clock_ = tickClock(seams_.now(), shown_.offset, shown_.date);
    return computeRoomAlerts(day_.records(), clock_);
}

bool DeskModel::dayChangeDue() {
    const DateTime now = seams_.now();
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
    return !pendingDayChanges_.empty() && !rollingOver_ && !asking();
}

DayCycleStep DeskModel::runDayCycle() {
    DayCycleStep step;
    if (!dayChangeDue())
        return step;

    const bool firstAttempt = !carryFailureReported_;
    rollingOver_ = true; // the day read below ticks, and the tick must not start this again
    // The day that ends is the one of the clock, whatever day the desk shows: a past or future
    // day left on screen must not hand its stays to the new day. Each day passed hands its
    // stays to the next, in order.
    std::optional<std::string> error;
    while (!pendingDayChanges_.empty()) {
        const Date newDate = dateOf(pendingDayChanges_.front());
        error = carry(addDays(newDate, -1), newDate);
        if (error)
            break;
        pendingDayChanges_.erase(pendingDayChanges_.begin());
    }
    const Date today = businessDateAt(seams_.now());
    // Restarting after a failed carry would hide the failure behind a fresh start.
    if (!error)
        seams_.requestRestart();
    carryFailureReported_ = error.has_value();
    if (firstAttempt) {
        // Whether or not the machine agreed to restart, the desk leaves the old day now: a
        // restart can be refused or take a while, and any save until then must land in the new
        // day's file on top of what was carried, never write the old day over it.
        step.newDay = true;
        emit dayChanging();
        step.load = show(today, today);
        clock_ = seams_.now();
    } else if (!error) {
        // The clerk may be at work on the new day: its file is read again, the panel stays.
        if (shown_.date == today) {
            step.readAgain = true;
            step.load = loadShownDay();
        }
        step.reply.tell(title::kDayChange,
                        QStringLiteral("前日から続く記録を新しい日付ファイルへ引き継ぎました。"));
    }
    if (error && firstAttempt)
        step.reply.tell(title::kFileError,
                        QStringLiteral("06:00の日替わりで、前日から続く記録を新しい日付ファイルへ"
                                       "引き継げませんでした。\r\n前日の記録は前日のファイルに"
                                       "残っています。原因が取り除かれると、30秒ごとの時刻の更新"
                                       "で引き継ぎ直します。それまでパソコンは再起動しません。"
                                       "\r\n%1")
                            .arg(q(*error)));
    rollingOver_ = false;
    return step;
}

std::optional<std::string> DeskModel::carry(Date endingDate, Date newDate) {
    return carryIntoNewDay(seams_.dir, endingDate, newDate, seams_.now());
}

} // namespace kavro
