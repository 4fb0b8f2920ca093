// 元に戻す and やり直す on the shown day: the change named in a question, written through the
// journal only after a yes, against the day file exactly as it was when the question was put.
#include "desk/desk_model.h"

#include "core/journal/journal_words.h"
#include "core/rules/step_plan.h"
#include "desk/message_titles.h"
#include "desk/scan_refusal.h"
#include "desk/summary_keeper.h"

namespace kavro {

Reply DeskModel::undo() { return step(true); }

Reply DeskModel::redo() { return step(false); }

Reply DeskModel::step(bool undo) {
    const QString& title = undo ? title::kUndo : title::kRedo;
    Reply reply = day_.syncJournal(seams_.now());
    const FileRead file = readWholeFile(day_.file(), "日付ファイル");
    if (file.error || !day_.journal().usable()) {
        reply.tell(
            title::kFileError,
            QString::fromStdString(file.error ? *file.error : "履歴ファイルを読み込めません") +
                QStringLiteral("\r\n") + QString::fromStdString(day_.file().string()));
        return reply;
    }
    const DayLines lines = splitDayLines(file.bytes);
    const auto& entries = day_.journal().entries();
    const StepDay stepDay{shown_.date, seams_.now()};
    // The plan holds its own copy of the entry: nothing of the journal is read after the
    // question.
    StepPlan plan = undo ? planUndo(entries, lines, stepDay) : planRedo(entries, lines, stepDay);
    if (auto notice = scanRefusal(plan.conflict)) {
        reply.tell(notice->title, notice->text);
        return reply;
    }
    if (plan.refusal) {
        reply.tell(title, QString::fromStdString(*plan.refusal));
        return reply;
    }
    const QString what = QString::fromStdString(entryInWords(*plan.target));
    const QString question = undo ? QStringLiteral("次の変更を元に戻しますか？\r\n%1").arg(what)
                                  : QStringLiteral("次の変更をやり直しますか？\r\n%1").arg(what);
    const DayChange change{undo ? JournalOp::Undo : JournalOp::Redo, plan.target->number,
                           seams_.now()};
    const FileIdentity expected = file.exists ? identityOf(file.bytes) : kMissingFile;
    reply.take(ask({title, question}, [this, title, change, expected, before = lines,
                                       planned = std::move(plan.lines)](bool yes) {
        if (!yes)
            return Reply{};
        Reply after;
        DayChange made = change;
        made.when = seams_.now();
        const JournaledSave saved = writeStep(before, planned, made, expected, after);
        if (saved.error || saved.changedOutside)
            after.tell(title::kFileError,
                       QStringLiteral("%1できませんでした。\r\n%2")
                           .arg(title, saved.error ? QString::fromStdString(*saved.error)
                                                   : QStringLiteral("日付ファイルがこのプログラム"
                                                                    "の外で変更されています")));
        // What the file holds now, whatever happened.
        if (saved.error || saved.changedOutside) {
            after.take(loadShownDay());
        } else {
            summaryKeeper_->dayChanged(day_.date());
            emit recordsChanged();
        }
        return after;
    }));
    return reply;
}

} // namespace kavro
