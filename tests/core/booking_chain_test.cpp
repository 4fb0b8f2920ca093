#include "core/rules/booking_chain.h"

#include "core/records/record.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kavro {
namespace {

std::string rec(const std::string& id, const std::string& status, const std::string& people = "2") {
    return id + ",2026/12/05 20:00,1,2026/12/05 21:00," + people + "," + id.substr(0, 3) +
           ",名前," + status;
}

struct IdCase {
    const char* id;
    std::optional<std::string> next;
};
void PrintTo(const IdCase& c, std::ostream* os) { *os << '"' << c.id << '"'; }
class ExtensionId : public ::testing::TestWithParam<IdCase> {};
TEST_P(ExtensionId, StepsTheSubNumberWithinTheBooking) {
    EXPECT_EQ(extensionId(GetParam().id), GetParam().next);
}
INSTANTIATE_TEST_SUITE_P(Ids, ExtensionId,
                         ::testing::Values(IdCase{"001100100", "001100101"},
                                           IdCase{"012100503", "012100504"},
                                           IdCase{"001100198", "001100199"},
                                           // 99 would step into the next group number: refused.
                                           IdCase{"001100199", std::nullopt},
                                           IdCase{"", std::nullopt},
                                           IdCase{"00110010x", std::nullopt}));

struct RoomCase {
    const char* text;
    std::optional<int> room;
};
void PrintTo(const RoomCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
class RoomFromText : public ::testing::TestWithParam<RoomCase> {};
TEST_P(RoomFromText, ReadsTheRoomNumber) {
    EXPECT_EQ(roomIndexFromText(GetParam().text), GetParam().room);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, RoomFromText,
    ::testing::Values(RoomCase{"001", 0}, RoomCase{"034", 33}, RoomCase{"5", 4}, RoomCase{" 7", 6},
                      RoomCase{"000", std::nullopt}, RoomCase{"035", std::nullopt},
                      RoomCase{"abc", std::nullopt}, RoomCase{"", std::nullopt}));

TEST(NotificationChain, ReplacesOnlyInTheGivenRoom) {
    RoomGrid grid;
    grid.set(0, 0, rec("001100100", "利用"));
    EXPECT_FALSE(replaceRecordInRoom(grid, 1, "001100100", "x"));
    EXPECT_EQ(statusOf(grid.at(0, 0)), "利用");
    EXPECT_TRUE(replaceRecordInRoom(grid, 0, "001100100", rec("001100100", "通知", "3")));
    EXPECT_EQ(grid.at(0, 0), rec("001100100", "通知", "3"));
}

TEST(SettlementChain, SettlesTheRecordAndThoseItContinues) {
    RoomGrid grid;
    grid.set(2, 0, rec("003100600", "精算"));
    grid.set(2, 1, rec("003100700", "延長"));
    grid.set(2, 2, rec("003100701", "延長"));
    grid.set(2, 3, rec("003100702", "通知"));
    grid.set(2, 4, rec("003100800", "利用"));
    grid.set(3, 0, rec("004100699", "利用"));

    ASSERT_TRUE(settleBooking(grid, "003100702", rec("003100702", "精算", "5")));
    EXPECT_EQ(grid.at(2, 3), rec("003100702", "精算", "5"));
    // Earlier records only change their status: the panel's edits are not copied.
    EXPECT_EQ(grid.at(2, 2), rec("003100701", "精算"));
    EXPECT_EQ(grid.at(2, 1), rec("003100700", "精算"));
    EXPECT_EQ(grid.at(2, 4), rec("003100800", "利用"));
    EXPECT_EQ(grid.at(3, 0), rec("004100699", "利用"));
}

TEST(SettlementChain, AFirstRecordSettlesAlone) {
    RoomGrid grid;
    grid.set(0, 0, rec("001100099", "利用"));
    grid.set(0, 1, rec("001100100", "通知"));
    ASSERT_TRUE(settleBooking(grid, "001100100", rec("001100100", "精算")));
    EXPECT_EQ(statusOf(grid.at(0, 0)), "利用");
}

TEST(SettlementChain, AnIdNoRecordHoldsChangesNothing) {
    RoomGrid grid;
    grid.set(0, 0, rec("001100100", "延長"));
    grid.set(0, 1, rec("001100101", "延長"));
    EXPECT_FALSE(settleBooking(grid, "001100102", rec("001100102", "精算")));
    EXPECT_EQ(statusOf(grid.at(0, 0)), "延長");
    EXPECT_EQ(statusOf(grid.at(0, 1)), "延長");
}

TEST(DeletionChain, TakingBackTheLastExtensionRestoresTheRecordBefore) {
    RoomGrid grid;
    grid.set(6, 0, rec("007101300", "延長"));
    grid.set(6, 1, rec("007101301", "延長"));
    grid.set(6, 2, rec("007101302", "利用"));
    auto r = deleteRecord(grid, "007101302");
    EXPECT_EQ(r.removed, 1);
    EXPECT_FALSE(r.firstRecordRemoved);
    ASSERT_TRUE(r.restored);
    EXPECT_EQ(*r.restored, rec("007101301", "利用"));
    EXPECT_EQ(grid.at(6, 1), rec("007101301", "利用"));
    EXPECT_EQ(grid.at(6, 0), rec("007101300", "延長"));
    EXPECT_TRUE(grid.at(6, 2).empty());
}

TEST(DeletionChain, AnExtensionNotRightAfterItsRecordIsRemovedAlone) {
    RoomGrid grid;
    grid.set(4, 0, rec("005101200", "延長"));
    grid.set(4, 1, rec("005101300", "予約"));
    grid.set(4, 2, rec("005101201", "利用"));
    auto r = deleteRecord(grid, "005101201");
    EXPECT_EQ(r.removed, 1);
    EXPECT_FALSE(r.restored);
    EXPECT_EQ(statusOf(grid.at(4, 0)), "延長");
    EXPECT_EQ(statusOf(grid.at(4, 1)), "予約");
}

TEST(DeletionChain, AnExtensionAtTheRowStartIsRemovedAlone) {
    RoomGrid grid;
    grid.set(3, 0, rec("004100201", "利用"));
    auto r = deleteRecord(grid, "004100201");
    EXPECT_EQ(r.removed, 1);
    EXPECT_FALSE(r.restored);
}

TEST(DeletionChain, AFirstRecordIsRemovedAndReported) {
    RoomGrid grid;
    grid.set(0, 0, rec("001100100", "予約"));
    grid.set(0, 1, rec("001100200", "利用"));
    auto r = deleteRecord(grid, "001100100");
    EXPECT_TRUE(r.firstRecordRemoved);
    EXPECT_FALSE(r.restored);
    EXPECT_TRUE(grid.at(0, 0).empty());
    EXPECT_EQ(statusOf(grid.at(0, 1)), "利用");
}

TEST(DeletionChain, AnUnknownIdRemovesNothing) {
    RoomGrid grid;
    grid.set(0, 0, rec("001100100", "利用"));
    auto r = deleteRecord(grid, "001100101");
    EXPECT_EQ(r.removed, 0);
    EXPECT_FALSE(grid.at(0, 0).empty());
}

TEST(FindRecord, FindsByIdAcrossRooms) {
    RoomGrid grid;
    grid.set(20, 3, rec("021100500", "通知"));
    EXPECT_EQ(findRecord(grid, "021100500"), rec("021100500", "通知"));
    EXPECT_FALSE(findRecord(grid, "021100501"));
}

} // namespace
} // namespace kavro
