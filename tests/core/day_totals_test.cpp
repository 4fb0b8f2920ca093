#include "core/rules/day_totals.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

std::string rec(const std::string& id, const std::string& start, const std::string& end,
                const std::string& people, const std::string& status = "利用") {
    return id + "," + start + ",1," + end + "," + people + "," + id.substr(0, 3) + ",n," + status;
}

TEST(DayTotals, EmptyDay) {
    auto t = computeTotals(RoomGrid{});
    EXPECT_EQ(minutesCaption(t.minutesTotal), "0：00");
    EXPECT_EQ(peopleCaption(t.peopleTotal), "0人");
    EXPECT_EQ(groupsCaption(t.maxGroupNo), "0組");
}

TEST(DayTotals, ContinuationsCountMinutesButNotPeopleAndEveryStatusCounts) {
    RoomGrid g;
    g.set(0, 0, rec("001100100", "2026/12/05 22:00", "2026/12/05 23:30", "2", "延長"));
    g.set(0, 1, rec("001100101", "2026/12/05 23:30", "2026/12/06 00:00", "2", "精算"));
    g.set(4, 0, rec("005100200", "2026/12/06 01:00", "2026/12/06 02:00", "3", "予約"));
    g.set(33, 0, rec("034100501", "2026/12/05 10:00", "2026/12/05 10:00", "9"));
    auto t = computeTotals(g);
    EXPECT_EQ(t.minutesTotal, 90 + 30 + 60);
    EXPECT_EQ(minutesCaption(t.minutesTotal), "3：00");
    EXPECT_EQ(t.peopleTotal, 5);
    EXPECT_EQ(t.maxGroupNo, 100501);
    EXPECT_EQ(groupsCaption(t.maxGroupNo), "5組");
}

// Kept from call to call, the totals follow every change as a whole recount would: a
// record added, changed in place, moved, removed, the day emptied, and another grid (a
// copy, as the carry and the undo plans make) handed to the same totals.
TEST(DayTotals, KeptTotalsFollowEachChangeAsARecount) {
    RoomGrid g;
    GridTotals kept;
    const std::vector<KeptLine> odd{{3, "007100900,junk"}};
    const auto same = [&](const char* step, const RoomGrid& grid) {
        const DayTotals a = kept.update(grid, odd), b = computeTotals(grid, odd);
        EXPECT_EQ(a.peopleTotal, b.peopleTotal) << step;
        EXPECT_EQ(a.minutesTotal, b.minutesTotal) << step;
        EXPECT_EQ(a.maxGroupNo, b.maxGroupNo) << step;
    };
    same("empty", g);
    g.set(0, 0, rec("001100100", "2026/12/05 22:00", "2026/12/05 23:30", "2"));
    g.set(0, 1, rec("001100101", "2026/12/05 23:30", "2026/12/06 00:00", "2", "延長"));
    same("added", g);
    g.set(0, 0, rec("001100100", "2026/12/05 22:00", "2026/12/06 00:30", "4"));
    same("changed in place", g);
    g.set(5, 0, g.at(0, 1));
    g.clear(0, 1);
    same("moved", g);
    RoomGrid copy = g;
    copy.set(0, 0, rec("001100100", "2026/12/05 22:00", "2026/12/05 22:30", "3"));
    same("a changed copy", copy);
    same("the original again", g);
    same("an empty grid", RoomGrid{});
    g.clear(0, 0);
    same("removed", g);
    g.clearRecords();
    same("emptied", g);
}

TEST(DayTotals, CaptionsRoundGroupsHalfToEvenAndShowNegativeTimeOnce) {
    EXPECT_EQ(minutesCaption(150), "2：30");
    EXPECT_EQ(minutesCaption(-30), "-0：30");
    EXPECT_EQ(minutesCaption(-150), "-2：30");
    EXPECT_EQ(groupsCaption(100101), "1組");
    EXPECT_EQ(groupsCaption(100150), "2組"); // 1001.5 rounds to the even 1002
    EXPECT_EQ(groupsCaption(100250), "2組"); // 1002.5 rounds to the even 1002
    RoomGrid g;
    g.set(0, 0, rec("001100100", "2026/12/05 23:00", "2026/12/05 22:00", "1"));
    EXPECT_EQ(computeTotals(g).minutesTotal, -60);
}

TEST(DayTotals, KeptLinesRaiseTheGroupCounterSoNoNumberIsReused) {
    std::vector<KeptLine> kept{{3, "009100900,broken"}, {4, "garbage"}};
    EXPECT_EQ(computeTotals(RoomGrid{}, kept).maxGroupNo, 100900);
}

} // namespace
} // namespace kavro
