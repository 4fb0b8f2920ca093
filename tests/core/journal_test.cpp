#include "core/journal/journal.h"
#include "core/journal/journal_words.h"
#include "core/records/cp932.h"
#include "core/rules/step_plan.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace kavro {
namespace {

// A record line as the day file holds it (CP932). Times of 12/05 as "hh:nn", others whole.
std::string rec(int room, int group, const char* name = "山田", const char* status = "利用",
                const char* start = "20:00", const char* end = "21:00", const char* people = "2") {
    char code[4], id[10];
    std::snprintf(code, sizeof code, "%03d", room);
    std::snprintf(id, sizeof id, "%03d%04d00", room, group);
    auto when = [](const char* t) {
        return std::strlen(t) == 5 ? std::string("2026/12/05 ") + t : t;
    };
    return *encodeCp932(std::string(id) + "," + when(start) + ",1," + when(end) + "," + people +
                        "," + code + "," + name + "," + status);
}

const Date kDay{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};
const DateTime kWhen = makeDateTime(kDay, 20, 0, 12);
const StepDay kEvening{kDay, kWhen};

// ---- diff and apply ----

struct DiffCase {
    const char* name;
    DayLines before, after;
    std::size_t changedLines; // removed + added of the smallest change
};

class LineDiffRoundTrip : public ::testing::TestWithParam<DiffCase> {};

TEST_P(LineDiffRoundTrip, ApplyGivesTheAfterStateAndTheInverseTheBeforeState) {
    const auto& c = GetParam();
    const LineDiff d = diffLines(c.before, c.after);
    EXPECT_EQ(d.removed.size() + d.added.size(), c.changedLines);
    const ApplyResult forward = applyLineDiff(c.before, d);
    ASSERT_FALSE(forward.conflict) << *forward.conflict;
    EXPECT_EQ(forward.lines, c.after);
    const ApplyResult back = applyLineDiff(c.after, inverseOf(d));
    ASSERT_FALSE(back.conflict) << *back.conflict;
    EXPECT_EQ(back.lines, c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LineDiffRoundTrip,
    ::testing::Values(DiffCase{"FromTheEmptyDay", {}, {"a", "b"}, 2},
                      DiffCase{"ToTheEmptyDay", {"a", "b"}, {}, 2},
                      DiffCase{"CheckInMidFile", {"a", "b", "d"}, {"a", "b", "c", "d"}, 1},
                      DiffCase{"Deletion", {"a", "b", "c"}, {"a", "c"}, 1},
                      DiffCase{"Modify", {"a", "b", "c"}, {"a", "B", "c"}, 2},
                      DiffCase{"MoveToAnotherRoom", {"a", "b", "c", "d"}, {"a", "c", "d", "b"}, 2},
                      DiffCase{"SettleAChain", {"x", "a0", "a1", "y"}, {"x", "A0", "A1", "y"}, 4},
                      DiffCase{"RepeatedLines", {"a", "a", "b", "a"}, {"a", "b", "a", "a"}, 2},
                      DiffCase{"BlankLinesCount", {"a", "", "b"}, {"a", "b"}, 1},
                      DiffCase{"NothingInCommon", {"a", "b"}, {"c", "d", "e"}, 5},
                      DiffCase{"Unchanged", {"a", "b"}, {"a", "b"}, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(LineDiff, RandomEditsRoundTrip) {
    std::mt19937 rng(20261205);
    for (int round = 0; round < 300; ++round) {
        DayLines before;
        for (int i = std::uniform_int_distribution<int>(0, 40)(rng); i > 0; --i)
            before.push_back(std::to_string(rng() % 12));
        DayLines after = before;
        for (int e = std::uniform_int_distribution<int>(0, 8)(rng); e > 0; --e) {
            const std::size_t at = after.empty() ? 0 : rng() % (after.size() + 1);
            if (rng() % 2 || after.empty())
                after.insert(after.begin() + static_cast<long>(at), std::to_string(rng() % 12));
            else
                after.erase(after.begin() + static_cast<long>(std::min(at, after.size() - 1)));
        }
        const LineDiff d = diffLines(before, after);
        ASSERT_EQ(applyLineDiff(before, d).lines, after) << round;
        ASSERT_EQ(applyLineDiff(after, inverseOf(d)).lines, before) << round;
    }
}

TEST(LineDiff, SplitAndJoinGiveACrLfFileBack) {
    const std::string file = "a\r\n\r\nb\rc\r\n";
    EXPECT_EQ(splitDayLines(file), (DayLines{"a", "", "b\rc"}));
    EXPECT_EQ(joinDayLines(splitDayLines(file)), file);
    EXPECT_EQ(splitDayLines("a\nb"), (DayLines{"a", "b"}));
    EXPECT_TRUE(splitDayLines("").empty());
}

TEST(ApplyLineDiff, LinesThatMovedAreFoundByTheirBytes) {
    const LineDiff d = diffLines({"a", "b", "c"}, {"a", "c"});
    // Another program put a line in front: "b" is no longer at index 1.
    const ApplyResult r = applyLineDiff({"z", "a", "b", "c"}, d);
    ASSERT_FALSE(r.conflict);
    EXPECT_EQ(r.lines, (DayLines{"z", "a", "c"}));
}

TEST(ApplyLineDiff, RefusesWhenALineToTakeOutIsGoneOrARoomWouldOverflow) {
    const std::string yamada = rec(5, 1001);
    const LineDiff checkIn = diffLines({}, {yamada});
    // The stay was changed since: taking the check-in back finds no line to take out.
    const ApplyResult changed = applyLineDiff({rec(5, 1001, "山田", "精算")}, inverseOf(checkIn));
    ASSERT_TRUE(changed.conflict);
    EXPECT_NE(changed.conflict->find("005 山田 20:00-21:00 利用"), std::string::npos)
        << *changed.conflict;

    DayLines full;
    for (int g = 0; g < 48; ++g)
        full.push_back(rec(5, 2001 + g));
    const ApplyResult overflow = applyLineDiff(full, checkIn);
    ASSERT_TRUE(overflow.conflict);
    EXPECT_EQ(*overflow.conflict, "区画005のデータが1日48件を超えます");
    // A change that adds nothing to a full room passes: a modify within it.
    DayLines modified = full;
    modified[3] = rec(5, 2004, "佐藤");
    EXPECT_FALSE(applyLineDiff(full, diffLines(full, modified)).conflict);
}

// ---- the text format ----

JournalEntry entry(int number, JournalOp op, LineDiff diff, int target = 0) {
    JournalEntry e;
    e.number = number;
    e.when = kWhen;
    e.op = op;
    e.target = target;
    e.before = identityOf("before");
    e.after = number == 1 ? kMissingFile : identityOf("after");
    e.diff = std::move(diff);
    return e;
}

std::string journalOf(const std::vector<JournalEntry>& entries) {
    std::string out = journalHeader();
    for (const auto& e : entries)
        out += serializeEntry(e);
    return out;
}

void expectSameEntries(const std::vector<JournalEntry>& a, const std::vector<JournalEntry>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].number, b[i].number);
        EXPECT_EQ(a[i].when, b[i].when);
        EXPECT_EQ(a[i].op, b[i].op);
        EXPECT_EQ(a[i].target, b[i].target);
        EXPECT_EQ(a[i].before, b[i].before);
        EXPECT_EQ(a[i].after, b[i].after);
        EXPECT_EQ(a[i].diff, b[i].diff);
    }
}

// Lines the day file may hold that no re-encoding would give back: an undecodable byte, a
// code CP932 has twice, a CR inside, nothing at all.
const std::vector<JournalEntry> kEntries = {
    entry(1, JournalOp::Outside,
          {{}, {{0, std::string("001100100,\x80\xA0,kept")}, {1, ""}, {2, "x\ry"}}}),
    entry(2, JournalOp::Use, {{{1, ""}}, {{1, rec(4, 1002)}, {3, "\xED\x40\xFA\x55"}}}),
    entry(3, JournalOp::Undo, {{{1, rec(4, 1002)}}, {}}, 2),
    entry(4, JournalOp::Redo, {{}, {{1, rec(4, 1002)}}}, 2),
};

TEST(JournalFormat, EntriesReadBackByteForByte) {
    const std::string bytes = journalOf(kEntries);
    const ParsedJournal p = parseJournal(bytes);
    EXPECT_FALSE(p.error);
    EXPECT_FALSE(p.tornTail);
    EXPECT_FALSE(p.damaged);
    EXPECT_EQ(p.validBytes, bytes.size());
    expectSameEntries(p.entries, kEntries);
    EXPECT_NE(bytes.find("+1 " + rec(4, 1002) + "\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("entry 3 2026/12/05 20:00:12 " + *encodeCp932("元に戻す") + " 2\r\n"),
              std::string::npos);
}

TEST(JournalFormat, ALastEntryCutAnywhereIsIgnored) {
    const std::string whole = journalOf(kEntries);
    const std::size_t lastStart = journalOf({kEntries[0], kEntries[1], kEntries[2]}).size();
    for (std::size_t cut = lastStart; cut < whole.size(); ++cut) {
        const ParsedJournal p = parseJournal(std::string_view(whole).substr(0, cut));
        ASSERT_EQ(p.entries.size(), 3u) << "cut at " << cut;
        EXPECT_EQ(p.validBytes, lastStart);
        EXPECT_EQ(p.tornTail, cut > lastStart);
        EXPECT_FALSE(p.damaged);
    }
    // A cut inside the header: nothing whole yet, nothing wrong.
    const ParsedJournal header = parseJournal(journalHeader().substr(0, 5));
    EXPECT_FALSE(header.error);
    EXPECT_TRUE(header.tornTail);
}

TEST(JournalFormat, DamageInTheMiddleIsToldFromATornTail) {
    std::string bytes = journalOf(kEntries);
    const std::size_t second = journalOf({kEntries[0]}).size();
    bytes[second + 30] ^= 0x01; // one bit of entry 2 flipped: its hash no longer matches
    const ParsedJournal p = parseJournal(bytes);
    EXPECT_EQ(p.entries.size(), 1u);
    EXPECT_TRUE(p.damaged);
    EXPECT_FALSE(p.tornTail);
}

// What may follow the last whole entry: a crash leaves the start of what it was writing (the
// next entry, or the last one's "done"); anything else was put there and is kept aside.
struct TailCase {
    const char* name;
    std::string tail;
    bool torn, damaged;
};

class JournalTail : public ::testing::TestWithParam<TailCase> {};

TEST_P(JournalTail, OnlyTheStartOfTheNextWriteCountsAsTorn) {
    const std::string whole = journalOf(kEntries);
    const ParsedJournal p = parseJournal(whole + GetParam().tail);
    EXPECT_EQ(p.entries.size(), 4u);
    EXPECT_EQ(p.validBytes, whole.size());
    EXPECT_EQ(p.tornTail, GetParam().torn);
    EXPECT_EQ(p.damaged, GetParam().damaged);
}

const std::string kNextHead = "entry 5 2026/12/05 20:00:12 " + *encodeCp932("利用") + "\r\n";
INSTANTIATE_TEST_SUITE_P(
    Tails, JournalTail,
    ::testing::Values(TailCase{"DoneCutShort", "done", true, false},
                      TailCase{"DoneCutBeforeItsLineEnd", "done 4\r", true, false},
                      TailCase{"NextEntryCutInItsHead", "entry 5 2026/12/0", true, false},
                      TailCase{"NextEntryCutInAChange",
                               kNextHead + "before -\r\nafter 0:0\r\n+0 0071", true, false},
                      TailCase{"NextEntryCutBeforeItsEnd",
                               kNextHead + "before -\r\nafter 0:0\r\n+0 x\r\nend 5", true, false},
                      TailCase{"ALineOfAnotherFile", "007100100,2026/12/05\r\n", false, true},
                      TailCase{"BytesWithoutALineEnd", "xx", false, true},
                      TailCase{"ABlankLine", "\r\n", false, true},
                      TailCase{"TheDoneOfAnotherEntry", "done 3\r\n", false, true},
                      TailCase{"AnEarlierEntryAgain", serializeEntry(kEntries[1]), false, true},
                      TailCase{"AnEntryGoingOnWithOtherLines",
                               kNextHead + "before -\r\nafter 0:0\r\nzz", false, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(JournalFormat, AnotherVersionIsRefusedAndAnotherFileCountsAsDamaged) {
    EXPECT_TRUE(parseJournal("KAVRO-JOURNAL 3\r\n").error);
    EXPECT_TRUE(parseJournal("001100100,2026/12/05 20:00\r\n").damaged);
    EXPECT_TRUE(parseJournal("garbage").damaged);
    EXPECT_FALSE(parseJournal(journalHeader()).error);
}

// ---- undo, redo, replay ----

// A day: check-in of room 4 (1), of room 5 (2), settlement of room 4 (3).
struct Day {
    std::vector<JournalEntry> entries;
    DayLines lines;
    void change(JournalOp op, DayLines next, int target = 0) {
        JournalEntry e;
        e.number = static_cast<int>(entries.size()) + 1;
        e.op = op;
        e.target = target;
        e.when = kWhen;
        e.before = identityOf(joinDayLines(lines));
        e.after = identityOf(joinDayLines(next));
        e.diff = diffLines(lines, next);
        entries.push_back(std::move(e));
        lines = std::move(next);
    }
    bool undo() { return step(planUndo(entries, lines, kEvening), JournalOp::Undo); }
    bool redo() { return step(planRedo(entries, lines, kEvening), JournalOp::Redo); }
    bool step(const StepPlan& p, JournalOp op) {
        if (p.refusal)
            return false;
        change(op, p.lines, p.target->number);
        return true;
    }
};

Day busyDay() {
    Day d;
    d.change(JournalOp::Use, {rec(4, 1001)});
    d.change(JournalOp::Use, {rec(4, 1001), rec(5, 1002)});
    d.change(JournalOp::Settle, {rec(4, 1001, "山田", "精算"), rec(5, 1002)});
    return d;
}

TEST(UndoRedo, StepsBackToTheStartOfTheDayAndForwardAgainByteForByte) {
    Day d = busyDay();
    const DayLines end = d.lines;
    std::vector<DayLines> states;
    while (d.undo())
        states.push_back(d.lines);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0], (DayLines{rec(4, 1001), rec(5, 1002)}));
    EXPECT_TRUE(states[2].empty());
    EXPECT_EQ(*planUndo(d.entries, d.lines, kEvening).refusal, "元に戻せる変更はありません");
    while (d.redo())
        ;
    EXPECT_EQ(d.lines, end);
    EXPECT_EQ(replayJournal(d.entries).lines, end);
}

TEST(UndoRedo, ANewChangeAfterUndosEndsTheRedoChain) {
    Day d = busyDay();
    ASSERT_TRUE(d.undo()); // the settlement
    ASSERT_TRUE(d.undo()); // room 5
    d.change(JournalOp::Reserve, {rec(4, 1001), rec(9, 1003, "佐藤", "予約")});
    EXPECT_FALSE(d.redo());
    const UndoState s = undoStateOf(d.entries);
    EXPECT_EQ(s.done, (std::vector<int>{1, 6}));
    EXPECT_TRUE(s.undone.empty());
    EXPECT_EQ(undoneFlags(d.entries), (std::vector<bool>{false, true, true, false, false, false}));
    const std::vector<HistoryRow> rows = historyRows(d.entries, kDay);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].operation, "予約");
    EXPECT_EQ(rows[1].operation, "元に戻す（番号2 利用）");
    EXPECT_TRUE(rows[4].undone); // room 5's check-in, taken back for good
    ASSERT_TRUE(d.undo());
    EXPECT_EQ(d.lines, (DayLines{rec(4, 1001)}));
}

TEST(UndoRedo, PassesOverOutsideChangesAndTheCarryButRefusesWhatTheyChanged) {
    Day d = busyDay();
    d.change(JournalOp::Carry, {rec(1, 1009), rec(4, 1001, "山田", "精算"), rec(5, 1002)});
    // Another program renamed room 5's guest after the check-in was made.
    d.change(JournalOp::Outside,
             {rec(1, 1009), rec(4, 1001, "山田", "精算"), rec(5, 1002, "鈴木")});
    ASSERT_TRUE(d.undo()); // the settlement, not the carry or the outside change
    EXPECT_EQ(d.lines, (DayLines{rec(1, 1009), rec(4, 1001), rec(5, 1002, "鈴木")}));
    const DayLines before = d.lines;
    const StepPlan refused = planUndo(d.entries, d.lines, kEvening); // room 5's check-in
    ASSERT_TRUE(refused.refusal);
    EXPECT_EQ(refused.target->number, 2);
    EXPECT_EQ(refused.refusal->rfind("この変更は元に戻せません\r\n", 0), 0u) << *refused.refusal;
    EXPECT_EQ(d.lines, before);
}

// Undo and redo checked as the operations they repeat, and never reaching into a later day.
struct StepCase {
    const char* name;
    Day day;
    bool undo;
    DateTime now;
    const char* refusal; // nullptr: allowed
    Conflict conflict = Conflict::None;
};

class StepChecks : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepChecks, RefuseWhatTheOperationWouldRefuse) {
    const StepCase& c = GetParam();
    const StepDay day{kDay, c.now};
    const StepPlan p = c.undo ? planUndo(c.day.entries, c.day.lines, day)
                              : planRedo(c.day.entries, c.day.lines, day);
    EXPECT_EQ(p.conflict, c.conflict);
    if (!c.refusal) {
        EXPECT_FALSE(p.refusal) << *p.refusal;
        EXPECT_NE(p.lines, c.day.lines);
    } else {
        ASSERT_TRUE(p.refusal);
        EXPECT_EQ(*p.refusal, c.refusal);
        EXPECT_TRUE(p.lines.empty());
    }
}

// Room 7 from 05:55 to 07:00 of the night of 12/05, carried into 12/06 at 06:00.
const std::string kNight = rec(7, 1001, "ナナ", "利用", "2026/12/06 05:55", "2026/12/06 07:00");
const std::string kOther = rec(5, 1009, "他", "利用");

// The steps in order; an Undo among them is the desk's undo of the latest change.
Day changes(std::initializer_list<std::pair<JournalOp, DayLines>> steps) {
    Day d;
    for (const auto& [op, lines] : steps)
        if (op == JournalOp::Undo)
            d.undo();
        else
            d.change(op, lines);
    return d;
}

const DateTime kBeforeSix = makeDateTime(addDays(kDay, 1), 5, 59);
const DateTime kAfterSix = makeDateTime(addDays(kDay, 1), 6, 30);
const char* const kCarried = "この変更は 12/06 に引き継がれた利用に関わるため、元に戻せません。"
                             "\r\n12/06 の表示で修正してください";

INSTANTIATE_TEST_SUITE_P(
    Steps, StepChecks,
    ::testing::Values(
        StepCase{"UndoOfADeletedStayRunningPastSixAfterSix",
                 changes({{JournalOp::Use, {kNight}}, {JournalOp::Delete, {}}}), true, kAfterSix,
                 kCarried},
        StepCase{"UndoOfACheckInRunningPastSixAfterSix", changes({{JournalOp::Use, {kNight}}}),
                 true, kAfterSix, kCarried},
        StepCase{"UndoOfACheckInRunningPastSixBeforeSix", changes({{JournalOp::Use, {kNight}}}),
                 true, kBeforeSix, nullptr},
        StepCase{"RedoAfterSixOfAStayRunningPastSix",
                 changes({{JournalOp::Use, {kNight}}, {JournalOp::Undo, {}}}), false, kAfterSix,
                 "この変更は 12/06 に引き継がれた利用に関わるため、やり直せません。"
                 "\r\n12/06 の表示で修正してください"},
        StepCase{"RedoOfACheckInIntoARoomNowInUse",
                 changes({{JournalOp::Use, {rec(5, 1001)}},
                          {JournalOp::Undo, {}},
                          {JournalOp::Outside, {kOther}}}),
                 false, kWhen, "この変更はやり直せません", Conflict::InUse},
        StepCase{"RedoOfACheckInOverAReservationMadeSince",
                 changes({{JournalOp::Use, {rec(5, 1001)}},
                          {JournalOp::Undo, {}},
                          {JournalOp::Outside, {rec(5, 1002, "佐藤", "予約", "20:30", "22:00")}}}),
                 false, kWhen, "この変更はやり直せません", Conflict::Reserved},
        StepCase{"UndoOfASettlementWhileAnotherPartyIsInTheRoom",
                 changes({{JournalOp::Use, {rec(5, 1001)}},
                          {JournalOp::Settle, {rec(5, 1001, "山田", "精算")}},
                          {JournalOp::Outside, {rec(5, 1001, "山田", "精算"), kOther}}}),
                 true, kWhen, "この変更は元に戻せません", Conflict::Occupied},
        StepCase{"UndoOfASettlementWithTheRoomFree",
                 changes({{JournalOp::Use, {rec(5, 1001)}},
                          {JournalOp::Settle, {rec(5, 1001, "山田", "精算")}}}),
                 true, kWhen, nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Replay, RebuildsEveryStateFromTheEmptyDay) {
    Day d = busyDay();
    d.undo();
    for (std::size_t n = 0; n <= d.entries.size(); ++n) {
        const std::vector<JournalEntry> head(d.entries.begin(), d.entries.begin() + long(n));
        const Replay r = replayJournal(head);
        ASSERT_FALSE(r.error);
        EXPECT_EQ(identityOf(joinDayLines(r.lines)),
                  n == 0 ? identityOf("") : d.entries[n - 1].after);
    }
}

TEST(ChangeSummary, NamesTheRoomTheGuestAndTheStatesBeforeAndAfter) {
    const ChangeSummary settle = summarizeChange(
        diffLines({rec(4, 1001), rec(5, 1002)}, {rec(4, 1001, "山田", "精算"), rec(5, 1002)}));
    EXPECT_EQ(settle.rooms, "004");
    EXPECT_EQ(settle.names, "山田");
    EXPECT_EQ(settle.before, "20:00-21:00 利用");
    EXPECT_EQ(settle.after, "20:00-21:00 精算");
    const ChangeSummary checkIn = summarizeChange(diffLines({}, {rec(7, 1003, "佐藤")}));
    EXPECT_EQ(checkIn.before, "なし");
    EXPECT_EQ(checkIn.after, "20:00-21:00 利用");
}

struct RewriteCase {
    const char* name;
    std::string before, after;
    std::string beforeWords, afterWords;
};

class RewriteInWords : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteInWords, ShowsWhateverOfTheRecordChanged) {
    const ChangeSummary s = summarizeChange(diffLines({GetParam().before}, {GetParam().after}));
    EXPECT_EQ(s.before, GetParam().beforeWords);
    EXPECT_EQ(s.after, GetParam().afterWords);
}

INSTANTIATE_TEST_SUITE_P(
    Modifications, RewriteInWords,
    ::testing::Values(RewriteCase{"Name", rec(4, 1001), rec(4, 1001, "佐藤"),
                                  "20:00-21:00 利用 名前：山田", "20:00-21:00 利用 名前：佐藤"},
                      RewriteCase{"People", rec(4, 1001),
                                  rec(4, 1001, "山田", "利用", "20:00", "21:00", "3"),
                                  "20:00-21:00 利用 人数：2", "20:00-21:00 利用 人数：3"},
                      RewriteCase{"End", rec(4, 1001),
                                  rec(4, 1001, "山田", "利用", "20:00", "21:30"),
                                  "20:00-21:00 利用", "20:00-21:30 利用"},
                      RewriteCase{"OnlyTheDate", rec(4, 1001),
                                  rec(4, 1001, "山田", "利用", "20:00", "2026/12/06 21:00"),
                                  "004100100,2026/12/05 20:00,1,2026/12/05 21:00,2,004,山田,利用",
                                  "004100100,2026/12/05 20:00,1,2026/12/06 21:00,2,004,山田,利用"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ChangeSummary, NamesAFewAndCountsTheRestOrNamesMoreOneALine) {
    DayLines five;
    for (int room = 1; room <= 5; ++room)
        five.push_back(rec(room, 1000 + room, std::to_string(room).c_str()));
    const LineDiff d = diffLines({}, five);
    const ChangeSummary shortWords = summarizeChange(d);
    EXPECT_EQ(shortWords.rooms, "001, 002, 003, ほか2件");
    EXPECT_EQ(shortWords.names, "1, 2, 3, ほか2件");
    const ChangeSummary whole = summarizeChange(d, 30, "\n");
    EXPECT_EQ(whole.names, "1, 2, 3, 4, 5");
    EXPECT_EQ(whole.after, "20:00-21:00 利用\n20:00-21:00 利用\n20:00-21:00 利用\n"
                           "20:00-21:00 利用\n20:00-21:00 利用");
}

} // namespace
} // namespace kavro
