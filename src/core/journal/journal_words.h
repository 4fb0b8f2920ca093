#pragma once
// The journal's entries in words for the desk: the question before an undo, the messages of
// the check at load, the rows of the history window. UTF-8.
#include "core/journal/journal.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

// A line of the day file as the desk reads it: "005 山田 20:00-21:00 利用", or the line itself
// when it holds no booking.
std::string lineForPeople(std::string_view bytes);

// What an entry changed: the rooms, names and states of the records it took out and put in,
// matched by their IDs. A record that stays shows, besides its times and state, whatever
// else of it changed (people, unit, room, name).
struct ChangeSummary {
    std::string rooms;  // "005" or "005, 012"
    std::string names;  // "山田"
    std::string before; // "20:00-21:00 利用", "なし", several joined by `separator`
    std::string after;
};
// An outside change or a carry may touch hundreds of records: the words name `named` of
// them and count the rest.
ChangeSummary summarizeChange(const LineDiff& diff, std::size_t named = 3,
                              std::string_view separator = " / ");

// An entry in a few words for a question or a message: "12/05 20:00 精算 004 山田", dated by
// the business day of its time, since an undo may reach back days.
std::string entryInWords(const JournalEntry& entry);

// One line of the day's history, as the history window shows it.
struct HistoryRow {
    int number = 0;
    std::string time; // "20:00:12"; "12/06 06:30:12" when it was made on a later business day
    std::string operation; // an undo or redo names the entry it took back: "元に戻す（番号2 精算）"
    ChangeSummary change;
    bool undone = false; // a desk change taken back (and not applied again)
};
// Newest first. `day`: the business day the journal belongs to.
std::vector<HistoryRow> historyRows(const std::vector<JournalEntry>& entries, Date day);

} // namespace kavro
