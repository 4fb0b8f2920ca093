#include "sales/desk_day.h"

#include "core/journal/journal_file.h"
#include "core/records/cp932.h"
#include "core/records/record.h"
#include "core/rules/step_plan.h"
#include "support/temp_dir.h"

#include <cstdio>

namespace kavro::test {

namespace {

std::string recordId(int room) {
    char id[32];
    std::snprintf(id, sizeof id, "%03d%04d00", room, 1000 + room);
    return id;
}

std::optional<std::string> save(const std::filesystem::path& file, const std::string& bytes,
                                JournalOp op, int target, DateTime now, const FileOps& ops) {
    DayJournal journal(journalPathFor(file));
    if (auto loaded = journal.load(ops); loaded.error)
        return loaded.error;
    return saveDayJournaled(journal, file, bytes, {op, target, now}, std::nullopt, ops).error;
}

} // namespace

std::string dayLine(int room, std::string_view status) {
    return *encodeCp932(recordId(room) + ",2026/12/05 19:00,2,2026/12/05 21:00,2," +
                        roomCode(room - 1) + ",ヤマダ," + std::string(status));
}

DeskDay::DeskDay(const std::filesystem::path& dir, int parties, const FileOps& ops)
    : file_(dayFilePath(dir, kSalesDay)), ops_(ops) {
    if (std::filesystem::exists(file_))
        return;
    DayLines lines;
    for (int room = 1; room <= parties; ++room)
        lines.push_back(dayLine(room, kStatusNotified));
    save(file_, joinDayLines(lines), JournalOp::Use, 0, kSalesNow, ops_);
}

BookingRef DeskDay::booking(int room) const { return {kSalesDay, recordId(room), room}; }

DaySave DeskDay::settleSave(int room, DateTime now) const {
    return [this, room, now]() -> std::optional<std::string> {
        DayLines lines = splitDayLines(readBytes(file_));
        for (std::string& l : lines)
            if (idOf(l) == recordId(room))
                l = dayLine(room, kStatusSettled);
        return save(file_, joinDayLines(lines), JournalOp::Settle, 0, now, ops_);
    };
}

DaySave DeskDay::undoSave(DateTime now) const {
    return [this, now]() -> std::optional<std::string> {
        DayJournal journal(journalPathFor(file_));
        journal.load(ops_);
        const StepPlan plan =
            planUndo(journal.entries(), splitDayLines(readBytes(file_)), StepDay{kSalesDay, now});
        if (!plan.target || plan.refusal)
            return plan.refusal.value_or("元に戻せる変更はありません");
        return save(file_, joinDayLines(plan.lines), JournalOp::Undo, plan.target->number, now,
                    ops_);
    };
}

bool DeskDay::settled(int room) const {
    const DayBookings b = bookingStatuses(parseDayFile(readBytes(file_)));
    const auto it = b.find(bookingOf(recordId(room)));
    return it != b.end() && it->second;
}

SaleInput saleFor(int room, DateTime now, long long amount) {
    SaleInput s;
    s.soldAt = now;
    s.bookingDate = kSalesDay;
    s.bookingId = recordId(room);
    s.room = room;
    s.minutes = 120;
    s.people = 2;
    s.plan = "ご休憩";
    s.lines = {{"基本料金", amount - 800}, {"延長", 800}};
    s.received = amount;
    return s;
}

} // namespace kavro::test
