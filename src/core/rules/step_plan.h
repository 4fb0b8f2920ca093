#pragma once
// Undo and redo, planned against the day as it stands: which change, the day's lines after
// the step, or why it must not be made. The result of a step passes the checks of the
// operation it repeats, and a step never reaches into a later day.
#include "core/journal/journal.h"
#include "core/rules/booking_rules.h"

#include <optional>
#include <string>
#include <vector>

namespace kavro {

struct StepDay {
    Date date{};    // the business day whose journal it is
    DateTime now{}; // the real clock
};

struct StepPlan {
    std::optional<JournalEntry> target; // none: nothing to undo or redo
    DayLines lines;                     // the day's lines after the step
    std::optional<std::string> refusal; // Japanese; the lines are not to be written
    // Refused because a stay the step puts back finds its room taken, as the check-in or
    // modification it repeats would have been; the desk is told as that operation tells it.
    Conflict conflict = Conflict::None;
};

// Undo: takes back the latest desk change in force. Redo: applies the latest undone one
// again. Refused, besides a line no longer there or a room over 48 records:
// - once the day has ended, when a record the step takes out or puts in runs past its end:
//   that stay was carried into the next day (or would have been), whose file the step would
//   leave as it is, a guest sold twice or a guest who never came;
// - when a record it puts in as a stay (利用, 通知) finds another party in its room or a
//   reservation over its time: a new stay checked as a check-in, a rewritten one as a
//   modification.
StepPlan planUndo(const std::vector<JournalEntry>& entries, const DayLines& current,
                  const StepDay& day);
StepPlan planRedo(const std::vector<JournalEntry>& entries, const DayLines& current,
                  const StepDay& day);

} // namespace kavro
