#include "core/rules/step_plan.h"

#include "core/records/cp932.h"
#include "core/records/record.h"
#include "core/storage/day_file.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

namespace kavro {

namespace {

// A record line decoded, or none for a line that holds no booking.
std::optional<std::string> recordText(std::string_view bytes) {
    auto text = decodeCp932(bytes);
    if (!text || !isWellFormedRecord(*text))
        return std::nullopt;
    return text;
}

// The day after `day`, when the day is over and the step takes out or puts in a record that
// runs past its end.
std::optional<Date> laterDayTouched(const LineDiff& step, const StepDay& day) {
    const DateTime end = businessDayEnd(day.date);
    if (day.now < end)
        return std::nullopt;
    auto runsPast = [&](const JournalLine& line) {
        const auto text = recordText(line.bytes);
        const auto recordEnd = text ? parseDateTime(viewFields(*text).end) : std::nullopt;
        return recordEnd && *recordEnd > end;
    };
    if (std::any_of(step.removed.begin(), step.removed.end(), runsPast) ||
        std::any_of(step.added.begin(), step.added.end(), runsPast))
        return addDays(day.date, 1);
    return std::nullopt;
}

// The first stay the step puts in whose room is taken in the lines after it.
Conflict roomTaken(const LineDiff& step, const DayLines& after) {
    std::unordered_set<std::string> idsBefore;
    for (const auto& line : step.removed)
        if (auto text = recordText(line.bytes))
            idsBefore.insert(std::string(idOf(*text)));
    std::unique_ptr<RoomGrid> grid; // made when a stay is put in
    for (const auto& line : step.added) {
        const auto text = recordText(line.bytes);
        if (!text)
            continue;
        const RecordView r = viewFields(*text);
        if (r.status != kStatusUse && r.status != kStatusNotified)
            continue;
        const auto room = roomIndexOfCode(r.room);
        const auto start = parseDateTime(r.start), end = parseDateTime(r.end);
        if (!room || !start || !end)
            continue;
        if (!grid) {
            grid = std::make_unique<RoomGrid>();
            DayContent content = parseDayFile(joinDayLines(after));
            placeRecords(*grid, content);
        }
        const bool newStay = r.status == kStatusUse && !idsBefore.count(std::string(r.id));
        const Conflict c =
            scanRoom(*grid, *room, newStay ? ScanMode::Use : ScanMode::Modify, r.id, *start, *end);
        if (c != Conflict::None)
            return c;
    }
    return Conflict::None;
}

StepPlan planStep(const std::vector<JournalEntry>& entries, const DayLines& current,
                  const StepDay& day, bool undo) {
    StepPlan plan;
    const UndoState s = undoStateOf(entries);
    const auto& chain = undo ? s.done : s.undone;
    if (chain.empty()) {
        plan.refusal = undo ? "元に戻せる変更はありません" : "やり直せる変更はありません";
        return plan;
    }
    plan.target = entries[static_cast<std::size_t>(chain.back() - 1)];
    const LineDiff step = undo ? inverseOf(plan.target->diff) : plan.target->diff;
    const std::string cannot = undo ? "元に戻せません" : "やり直せません";
    if (const auto later = laterDayTouched(step, day)) {
        const std::string next = formatMonthDay(*later);
        plan.refusal = "この変更は " + next + " に引き継がれた利用に関わるため、" + cannot +
                       "。\r\n" + next + " の表示で修正してください";
        return plan;
    }
    auto applied = applyLineDiff(current, step);
    if (applied.conflict) {
        plan.refusal = "この変更は" + cannot + "\r\n" + *applied.conflict;
        return plan;
    }
    plan.conflict = roomTaken(step, applied.lines);
    if (plan.conflict != Conflict::None) {
        plan.refusal = "この変更は" + cannot;
        return plan;
    }
    plan.lines = std::move(applied.lines);
    return plan;
}

} // namespace

StepPlan planUndo(const std::vector<JournalEntry>& entries, const DayLines& current,
                  const StepDay& day) {
    return planStep(entries, current, day, true);
}

StepPlan planRedo(const std::vector<JournalEntry>& entries, const DayLines& current,
                  const StepDay& day) {
    return planStep(entries, current, day, false);
}

} // namespace kavro
