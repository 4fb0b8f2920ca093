// The desk's operations on the shown day: each checks the panel's values, changes the day's
// records and stores them through the journal, or refuses with the message that says why.
#include "desk/desk_model.h"

#include "core/records/cp932.h"
#include "core/rules/booking_chain.h"
#include "core/rules/booking_rules.h"
#include "core/rules/record_period.h"
#include "desk/message_titles.h"
#include "desk/scan_refusal.h"
#include "desk/summary_keeper.h"

namespace kavro {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

Outcome refused(const QString& title, const QString& text, EntryField focus = EntryField::None) {
    Outcome o;
    o.focus = focus;
    o.reply.tell(title, text);
    return o;
}

Outcome refusedInput(const QString& text, EntryField focus) {
    return refused(title::kInputError, text, focus);
}

// The panel's checks, in the order the clerk meets them; nullopt when the panel passes.
std::optional<Outcome> checkPanel(const EntryFields& panel) {
    const EntryCheck check = checkEntry(panel);
    switch (check.problem) {
    case EntryProblem::None:
        return std::nullopt;
    case EntryProblem::StartTime:
        return refusedInput(QStringLiteral("時間が正しくありません"), EntryField::Start);
    case EntryProblem::EndTime:
        return refusedInput(QStringLiteral("時間が正しくありません"), EntryField::End);
    case EntryProblem::NameEmpty:
        return refusedInput(QStringLiteral("ナマエが入力されていません"), EntryField::Name);
    case EntryProblem::Room:
        return refusedInput(
            QStringLiteral("区画が正しくありません\r\n001から034までの3桁の番号を入力してください"),
            EntryField::Room);
    case EntryProblem::Unit:
        return refusedInput(
            QStringLiteral("単位が正しくありません\r\n0より大きく24以下の時間数を入力してください"),
            EntryField::Unit);
    case EntryProblem::People:
        return refusedInput(
            QStringLiteral("人数が正しくありません\r\n1以上の整数を入力してください"),
            EntryField::People);
    case EntryProblem::NameCharacter:
        return refusedInput(QStringLiteral("名前に使えない文字「%1」(%2) が含まれています\r\n"
                                           "別の文字に置き換えてください")
                                .arg(q(check.character), q(codePointLabel(check.character))),
                            EntryField::Name);
    }
    return std::nullopt;
}

Outcome refusedFullRow() {
    return refusedInput(
        QStringLiteral("この区画のデータは1日48件までです\r\nほかの区画を指定してください"),
        EntryField::Room);
}

// A party or a reservation in the way; nullopt when nothing is.
std::optional<Outcome> checkScan(Conflict conflict) {
    auto notice = scanRefusal(conflict);
    if (!notice)
        return std::nullopt;
    return refused(notice->title, notice->text);
}

// The operation with the panel's room and name, as a failed save names what it lost.
QString describe(const QString& operation, const EntryFields& panel) {
    return QStringLiteral("%1（%2 %3）").arg(operation, q(panel.room), q(panel.name));
}

} // namespace

Outcome DeskModel::finish(Outcome outcome, JournalOp op, const QString& what) {
    outcome.done = true;
    BusinessDay::Saved saved = day_.save(op, what, seams_.now());
    outcome.stored = saved.stored;
    outcome.reply.take(std::move(saved.reply));
    outcome.reply.take(afterSave(saved));
    return outcome;
}

Reply DeskModel::afterSave(const BusinessDay::Saved& saved) {
    if (saved.stored || saved.readAgain)
        summaryKeeper_->dayChanged(day_.date());
    if (saved.readAgain)
        emit dayShown();
    else
        emit recordsChanged();
    return reconcileAfterOutsideChange();
}

Outcome DeskModel::registerNew(const EntryFields& panel, std::string_view status) {
    if (auto refusal = checkPanel(panel))
        return *refusal;
    const int room = *roomIndexOfCode(panel.room);
    RoomGrid& grid = day_.records();
    if (grid.isFull(room))
        return refusedFullRow();
    const auto group = nextGroupNumber(day_.maxGroupNo());
    if (!group)
        return refusedInput(
            QStringLiteral("この日の組番号を使い切りました\r\nこれ以上登録できません"),
            EntryField::None);
    // Taken for good: a refusal below leaves a gap in the day's numbering, so that no number
    // handed out can ever be handed out again.
    day_.takeGroupNo(*group);
    const std::string id = panel.room + std::to_string(*group);
    const BookingPeriod period = bookingPeriod(shown_.date, panel.start, panel.unit, panel.end);
    // A reservation is taken whatever the room holds; a stay must find the room free.
    if (status == kStatusUse)
        if (auto refusal =
                checkScan(scanRoom(grid, room, ScanMode::Use, id, period.start, period.end)))
            return *refusal;
    grid.set(room, grid.firstFree(room),
             joinRecord({id, period.startField, panel.unit, period.endField, panel.people,
                         panel.room, panel.name, std::string(status)}));
    return finish({}, status == kStatusUse ? JournalOp::Use : JournalOp::Reserve,
                  describe(q(status), panel));
}

Outcome DeskModel::checkIn(const EntryFields& panel) { return registerNew(panel, kStatusUse); }

Outcome DeskModel::reserve(const EntryFields& panel) { return registerNew(panel, kStatusReserved); }

Outcome DeskModel::inputExtension(const EntryFields& panel, const SelectedBooking& pending) {
    if (auto refusal = checkPanel(panel))
        return *refusal;
    const int room = *roomIndexOfCode(panel.room);
    RoomGrid& grid = day_.records();
    const auto continued = recordContinuedBy(grid, room, pending.id);
    if (!continued)
        return refusedInput(QStringLiteral("延長するデータがこの区画に見つかりません\r\n"
                                           "キャンセルしてから延長をやり直してください"),
                            EntryField::Room);
    if (grid.isFull(room))
        return refusedFullRow();
    // The extension starts where the record it continues ends, whatever day that is.
    std::optional<DateTime> continuedEnd;
    for (int pos = 0; pos < kRecordsPerRoom && !continuedEnd; ++pos)
        if (const std::string& cell = grid.at(room, pos);
            !cell.empty() && idNumber(cell) == *continued)
            continuedEnd = parseDateTime(parseFields(cell).end);
    const BookingPeriod period = periodKeepingDates(shown_.date, continuedEnd, std::nullopt,
                                                    panel.start, panel.unit, panel.end);
    if (auto refusal =
            checkScan(scanRoom(grid, room, ScanMode::Input, pending.id, period.start, period.end)))
        return *refusal;
    const SelectedBooking stored{pending.id, period.startField, period.endField};
    grid.set(room, grid.firstFree(room),
             joinRecord({stored.id, stored.start, panel.unit, stored.end, panel.people, panel.room,
                         panel.name, std::string(kStatusUse)}));
    markContinued(grid, room, *continued);
    Outcome outcome;
    outcome.selection = stored;
    return finish(std::move(outcome), JournalOp::Input, describe(QStringLiteral("延長"), panel));
}

Outcome DeskModel::modify(const EntryFields& panel, const SelectedBooking& selected,
                          const std::string& status, bool statusOffered) {
    if (auto refusal = checkPanel(panel))
        return *refusal;
    // Only a word the selection offered: a typed word would give the record a status no
    // operation knows.
    if (!statusOffered || !isStatusWord(status))
        return refusedInput(QStringLiteral("状態が正しくありません\r\n一覧の中から選んでください"),
                            EntryField::Status);
    RoomGrid& grid = day_.records();
    if (!findCell(grid, selected.id))
        return refusedInput(
            QStringLiteral("修正するデータが見つかりません\r\nもう一度選択してください"),
            EntryField::None);
    const int room = *roomIndexOfCode(panel.room);
    if (!modifyFits(grid, room, selected.id))
        return refusedFullRow();
    // Times the panel still shows as stored keep their stored dates.
    const BookingPeriod period =
        periodKeepingDates(shown_.date, parseDateTime(selected.start), parseDateTime(selected.end),
                           panel.start, panel.unit, panel.end);
    if (auto refusal = checkScan(
            scanRoom(grid, room, ScanMode::Modify, selected.id, period.start, period.end)))
        return *refusal;
    const SelectedBooking stored{selected.id, period.startField, period.endField};
    storeModified(grid, room, selected.id,
                  joinRecord({stored.id, stored.start, panel.unit, stored.end, panel.people,
                              panel.room, panel.name, status}));
    Outcome outcome;
    outcome.selection = stored;
    return finish(std::move(outcome), JournalOp::Modify, describe(QStringLiteral("修正"), panel));
}

Outcome DeskModel::rewriteStatus(const EntryFields& panel, const SelectedBooking& selected,
                                 std::string_view status, JournalOp op, const QString& word) {
    if (panel.name.empty())
        return refusedInput(QStringLiteral("ナマエが入力されていません"), EntryField::Start);
    // The record is written back as the panel shows it: its unit, people and name pass the
    // checks of 修正, and a room changed in the panel is refused, since a move is 修正's, with
    // its checks of the target room.
    if (auto refusal = checkPanel(panel))
        return *refusal;
    RoomGrid& grid = day_.records();
    if (const auto cell = findCell(grid, selected.id);
        cell && parseFields(grid.at(cell->room, cell->position)).room != panel.room)
        return refusedInput(QStringLiteral("通知と清算では区画を変えられません。\r\n"
                                           "部屋を移すときは修正を使ってください"),
                            EntryField::Room);
    // ID, start and end as selected (the time boxes are not read).
    const std::string line =
        joinRecord({selected.id, selected.start, panel.unit, selected.end, panel.people, panel.room,
                    panel.name, std::string(status)});
    // A line the day file could not hold as one record is refused before anything changes.
    if (!isWellFormedRecord(line) || firstUnencodableCharacter(line))
        return refusedInput(QStringLiteral("記録できない文字か値が入力されています。\r\n"
                                           "人数・単位・区分・名前を確かめてください"),
                            EntryField::None);
    if (status == kStatusSettled)
        settleBooking(grid, selected.id, line);
    else if (auto room = roomIndexFromText(panel.room)) // only the room in the room box
        replaceRecordInRoom(grid, *room, selected.id, line);
    if (op == JournalOp::Settle)
        return finishSettlement(selected, *roomIndexOfCode(panel.room) + 1, describe(word, panel));
    return finish({}, op, describe(word, panel));
}

Outcome DeskModel::notify(const EntryFields& panel, const SelectedBooking& selected) {
    return rewriteStatus(panel, selected, kStatusNotified, JournalOp::Notify,
                         QStringLiteral("通知"));
}

Outcome DeskModel::settle(const EntryFields& panel, const SelectedBooking& selected) {
    return rewriteStatus(panel, selected, kStatusSettled, JournalOp::Settle,
                         QStringLiteral("精算"));
}

Outcome DeskModel::remove(const EntryFields& panel, const SelectedBooking& selected) {
    const QString what = describe(QStringLiteral("削除"), panel);
    const DeletionResult result = deleteRecord(day_.records(), selected.id);
    Outcome outcome;
    outcome.firstRecordRemoved = result.firstRecordRemoved;
    if (result.restored)
        outcome.restored = parseFields(*result.restored);
    return finish(std::move(outcome), JournalOp::Delete, what);
}

} // namespace kavro
