#include "core/rules/booking_rules.h"

#include "core/records/record.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

DateTime at(int d, int hh, int mm) { return makeDateTime(ymd(2026, 12, d), hh, mm); }

std::string line(const std::string& id, const std::string& start, const std::string& end,
                 std::string_view status, const std::string& room = "005") {
    return joinRecord({id, start, "1", end, "2", room, "ナマエ", std::string(status)});
}

TEST(NextGroupNumber, FollowsTheDaysHighestGroup) {
    EXPECT_EQ(nextGroupNumber(100000), 100100); // empty day
    EXPECT_EQ(nextGroupNumber(100100), 100200);
    EXPECT_EQ(nextGroupNumber(100201), 100300); // booking 1002 extended once
    EXPECT_EQ(nextGroupNumber(100250), 100300); // halves to even
    EXPECT_EQ(nextGroupNumber(100350), 100500);
    EXPECT_EQ(nextGroupNumber(999800), 999900);
    EXPECT_FALSE(nextGroupNumber(999900)); // a fifth digit would break the ID
}

struct PeriodCase {
    const char* start;
    const char* unit;
    const char* end;
    const char* startField;
    const char* endField;
};

class BookingPeriodRows : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(BookingPeriodRows, DatesFollowTheBusinessDay) {
    const auto& c = GetParam();
    auto p = bookingPeriod(ymd(2026, 12, 5), c.start, c.unit, c.end);
    EXPECT_EQ(p.startField, c.startField);
    EXPECT_EQ(p.endField, c.endField);
    EXPECT_EQ(parseDateTime(p.startField), p.start);
    EXPECT_EQ(parseDateTime(p.endField), p.end);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BookingPeriodRows,
    ::testing::Values(PeriodCase{"22:00", "1.5", "23:30", "2026/12/05 22:00", "2026/12/05 23:30"},
                      PeriodCase{"02:00", "1", "03:00", "2026/12/06 02:00", "2026/12/06 03:00"},
                      PeriodCase{"23:30", "1", "00:30", "2026/12/05 23:30", "2026/12/06 00:30"},
                      PeriodCase{"23:00", "2", "01:00", "2026/12/05 23:00", "2026/12/06 01:00"},
                      // an end typed by hand after midnight still lies after its start
                      PeriodCase{"22:00", "1", "01:30", "2026/12/05 22:00", "2026/12/06 01:30"},
                      PeriodCase{"06:00", "1", "05:00", "2026/12/05 06:00", "2026/12/06 05:00"},
                      // the end's date follows start plus unit, its time is the one typed
                      PeriodCase{"05:30", "1", "06:30", "2026/12/06 05:30", "2026/12/06 06:30"},
                      PeriodCase{"22:00", "1", "21:00", "2026/12/05 22:00", "2026/12/05 21:00"}));

class RoomScan : public ::testing::Test {
protected:
    static constexpr int kRoom = 4; // "005"
    void put(const std::string& l) { grid.set(kRoom, grid.firstFree(kRoom), l); }
    Conflict scan(ScanMode mode, const std::string& id, DateTime s, DateTime e) const {
        return scanRoom(grid, kRoom, mode, id, s, e);
    }
    RoomGrid grid;
};

struct OverlapCase {
    int sh, sm, eh, em;
    bool refused;
};

class ReservationOverlap : public RoomScan, public ::testing::WithParamInterface<OverlapCase> {};

TEST_P(ReservationOverlap, OnlyTouchingIsAllowed) {
    put(line("005100100", "2026/12/05 20:00", "2026/12/05 21:00", kStatusReserved));
    const auto& c = GetParam();
    const auto expected = c.refused ? Conflict::Reserved : Conflict::None;
    for (ScanMode mode : {ScanMode::Use, ScanMode::Input, ScanMode::Modify})
        EXPECT_EQ(scan(mode, "005100200", at(5, c.sh, c.sm), at(5, c.eh, c.em)), expected)
            << c.sh << ":" << c.sm << "-" << c.eh << ":" << c.em;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReservationOverlap,
    ::testing::Values(OverlapCase{20, 30, 22, 0, true}, OverlapCase{19, 0, 20, 30, true},
                      OverlapCase{19, 0, 22, 0, true}, OverlapCase{20, 15, 20, 45, true},
                      OverlapCase{20, 0, 21, 0, true}, OverlapCase{21, 0, 22, 0, false},
                      OverlapCase{19, 0, 20, 0, false}));

TEST_F(RoomScan, APartyInTheRoomBlocksWhateverTheTimes) {
    put(line("005100100", "2026/12/05 10:00", "2026/12/05 11:00", kStatusUse));
    EXPECT_EQ(scan(ScanMode::Use, "005100200", at(5, 22, 0), at(5, 23, 0)), Conflict::InUse);
    EXPECT_EQ(scan(ScanMode::Input, "005100201", at(5, 22, 0), at(5, 23, 0)), Conflict::InUse);
    EXPECT_EQ(scan(ScanMode::Modify, "005100200", at(5, 22, 0), at(5, 23, 0)), Conflict::Occupied);
}

TEST_F(RoomScan, ACalledPartyBlocksOnlyAModification) {
    put(line("005100100", "2026/12/05 20:00", "2026/12/05 21:00", kStatusNotified));
    EXPECT_EQ(scan(ScanMode::Use, "005100200", at(5, 20, 0), at(5, 21, 0)), Conflict::None);
    EXPECT_EQ(scan(ScanMode::Modify, "005100200", at(5, 22, 0), at(5, 23, 0)), Conflict::Occupied);
}

TEST_F(RoomScan, SettledAndExtendedRecordsNeverBlock) {
    put(line("005100100", "2026/12/05 20:00", "2026/12/05 21:00", kStatusExtended));
    put(line("005100200", "2026/12/05 20:00", "2026/12/05 21:00", kStatusSettled));
    for (ScanMode mode : {ScanMode::Use, ScanMode::Input, ScanMode::Modify})
        EXPECT_EQ(scan(mode, "005100300", at(5, 20, 0), at(5, 21, 0)), Conflict::None);
}

TEST_F(RoomScan, TheRecordItselfOrTheOneContinuedIsSkipped) {
    put(line("005100200", "2026/12/05 20:00", "2026/12/05 21:00", kStatusUse));
    EXPECT_EQ(scan(ScanMode::Modify, "005100200", at(5, 20, 0), at(5, 21, 0)), Conflict::None);
    EXPECT_EQ(scan(ScanMode::Input, "005100201", at(5, 21, 0), at(5, 21, 30)), Conflict::None);
    // the pending extension of another booking does not skip it
    EXPECT_EQ(scan(ScanMode::Input, "005100301", at(5, 21, 0), at(5, 21, 30)), Conflict::InUse);
}

TEST_F(RoomScan, TheFirstBlockingRecordDecides) {
    put(line("005100100", "2026/12/05 20:00", "2026/12/05 21:00", kStatusReserved));
    put(line("005100200", "2026/12/05 10:00", "2026/12/05 11:00", kStatusUse));
    EXPECT_EQ(scan(ScanMode::Use, "005100300", at(5, 20, 30), at(5, 21, 0)), Conflict::Reserved);
    EXPECT_EQ(scan(ScanMode::Use, "005100300", at(5, 22, 0), at(5, 23, 0)), Conflict::InUse);
}

TEST(RecordContinuedBy, OnlyTheNextNewNumberOfARecordOfTheRoom) {
    RoomGrid grid;
    grid.set(4, 0, line("005100200", "2026/12/05 20:00", "2026/12/05 21:00", kStatusUse));
    grid.set(4, 1, line("005100300", "2026/12/05 21:00", "2026/12/05 21:30", kStatusUse));
    EXPECT_EQ(recordContinuedBy(grid, 4, "005100201"), 5100200);
    for (const char* refused : {"005100501" /* continues nothing */, "005100300" /* exists */,
                                "005100400" /* a new booking */, "00510020" /* too short */})
        EXPECT_FALSE(recordContinuedBy(grid, 4, refused)) << refused;
    EXPECT_FALSE(recordContinuedBy(grid, 5, "005100201")) << "another room";
}

TEST(MarkContinued, OnlyTheContinuedRecordOfTheRoomIsExtended) {
    RoomGrid grid;
    grid.set(4, 0, line("005100200", "2026/12/05 20:00", "2026/12/05 21:00", kStatusUse));
    grid.set(4, 1, line("005100300", "2026/12/05 22:00", "2026/12/05 23:00", kStatusReserved));
    grid.set(5, 0, line("005100200", "2026/12/05 20:00", "2026/12/05 21:00", kStatusUse, "006"));
    markContinued(grid, 4, 5100200);
    EXPECT_EQ(statusOf(grid.at(4, 0)), kStatusExtended);
    EXPECT_EQ(statusOf(grid.at(4, 1)), kStatusReserved);
    EXPECT_EQ(statusOf(grid.at(5, 0)), kStatusUse);
    EXPECT_TRUE(roomHoldsId(grid, 4, 5100200));
    EXPECT_FALSE(roomHoldsId(grid, 4, 5100201));
}

class ModifyStore : public ::testing::Test {
protected:
    static constexpr int k003 = 2, k012 = 11;
    void SetUp() override {
        grid.set(k003, 0,
                 line("003100300", "2026/12/05 18:00", "2026/12/05 19:00", kStatusSettled, "003"));
        grid.set(k003, 1,
                 line("003100400", "2026/12/05 20:00", "2026/12/05 21:00", kStatusReserved, "003"));
        grid.set(k012, 0,
                 line("012100100", "2026/12/05 18:00", "2026/12/05 19:00", kStatusSettled, "012"));
    }
    std::string moved(const std::string& room) const {
        return line("003100400", "2026/12/05 20:00", "2026/12/05 21:00", kStatusUse, room);
    }
    RoomGrid grid;
};

TEST_F(ModifyStore, AMovedRecordGoesAfterTheTargetRoomsRecords) {
    ASSERT_EQ(modifyPlacement(grid, k012, "003100400"), ModifyPlacement::Move);
    storeModified(grid, k012, "003100400", moved("012"));
    EXPECT_TRUE(grid.at(k003, 1).empty());
    EXPECT_EQ(grid.at(k012, 1), moved("012"));

    // modified again in its new room: appended again (the gap vanishes on the next save)
    grid.set(k012, 2,
             line("012100500", "2026/12/05 23:00", "2026/12/06 00:00", kStatusReserved, "012"));
    storeModified(grid, k012, "003100400", moved("012"));
    EXPECT_TRUE(grid.at(k012, 1).empty());
    EXPECT_EQ(grid.at(k012, 3), moved("012"));
}

TEST_F(ModifyStore, AFullRowTakesNoMoveButItsOwnRecords) {
    for (int p = grid.firstFree(k012); p < kRecordsPerRoom; ++p)
        grid.set(k012, p,
                 line("012" + std::to_string(100600 + p * 100), "2026/12/05 06:00",
                      "2026/12/05 06:30", kStatusSettled, "012"));
    EXPECT_FALSE(modifyFits(grid, k012, "003100400"));
    EXPECT_TRUE(modifyFits(grid, k003, "003100400"));
    // a record already moved into the full row can still be modified there
    grid.set(k012, 47, moved("012"));
    EXPECT_TRUE(modifyFits(grid, k012, "003100400"));
    grid.clear(k003, 1);
    storeModified(grid, k012, "003100400", moved("012") + "x");
    EXPECT_EQ(grid.at(k012, 47), moved("012") + "x");
}

} // namespace
} // namespace kavro
