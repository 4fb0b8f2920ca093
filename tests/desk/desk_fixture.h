#pragma once
// The desk model over a temporary program directory, with a clock the test sets, and what a
// test reads back: the day file's lines, its journal's operations, the messages of a reply.
#include "core/journal/journal_file.h"
#include "core/records/cp932.h"
#include "desk/desk_model.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro::test {

inline const Date kDay{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};
inline const Date kNextDay = addDays(kDay, 1);

inline DateTime at(Date d, int hh, int mm, int ss = 0) { return makeDateTime(d, hh, mm, ss); }

inline EntryFields panel(const char* room, const char* start, const char* end, const char* name,
                         const char* unit = "1") {
    return {"2", start, unit, end, room, name};
}

class DeskTest : public ::testing::Test {
protected:
    TempDir dir;
    DateTime now = at(kDay, 20, 0);
    int restarts = 0;
    DeskModel model{{[this] { return now; }, dir.path(), [this] { return ++restarts, true; }}};

    std::filesystem::path dayFile(Date d = kDay) const { return dayFilePath(dir.path(), d); }
    std::vector<std::string> lines(Date d = kDay) const {
        std::vector<std::string> out;
        for (const auto& raw : splitDayLines(readBytes(dayFile(d))))
            out.push_back(decodeCp932(raw).value_or("<undecodable>"));
        return out;
    }
    std::vector<JournalOp> journalOps(Date d = kDay) const {
        DayJournal journal(journalPathFor(dayFile(d)));
        journal.load();
        std::vector<JournalOp> ops;
        for (const auto& e : journal.entries())
            ops.push_back(e.op);
        return ops;
    }
    static std::string texts(const Reply& reply) {
        std::string out;
        for (const auto& n : reply.notices)
            out += n.title.toStdString() + ": " + n.text.toStdString() + "\n";
        return out;
    }
    void tickAt(DateTime t) {
        now = t;
        model.tick();
        model.runDayCycle();
    }
};

} // namespace kavro::test
