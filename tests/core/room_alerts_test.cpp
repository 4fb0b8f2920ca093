#include "core/screen/room_alerts.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

DateTime when(int d, int hh, int mm, int ss = 0) {
    using namespace std::chrono;
    return makeDateTime(Date{year{2026}, month{12}, day{static_cast<unsigned>(d)}}, hh, mm, ss);
}

std::string record(const std::string& room, const std::string& end, const std::string& name,
                   const std::string& status, const std::string& group = "1001") {
    return room + group + "00,2026/12/05 22:00,1," + end + ",2," + room + "," + name + "," + status;
}

// ---- one record ending 23:00, by status and clock ----
struct AlertCase {
    const char* status;
    DateTime clock;
    RoomAlert alert;
    int alarmRecords;
    const char* item; // nullptr: not listed
};
void PrintTo(const AlertCase& c, std::ostream* os) {
    *os << c.status << " at " << formatDateTime(c.clock);
}

class OneRecord : public ::testing::TestWithParam<AlertCase> {};

TEST_P(OneRecord, ColourAlarmAndList) {
    const AlertCase& c = GetParam();
    RoomGrid grid;
    grid.set(4, 0, record("005", "2026/12/05 23:00", "山田", c.status));
    const RoomAlerts a = computeRoomAlerts(grid, c.clock);
    EXPECT_EQ(a.rooms[4], c.alert);
    EXPECT_EQ(a.alarmRecords, c.alarmRecords);
    if (c.item) {
        ASSERT_EQ(a.listItems.size(), 1u);
        EXPECT_EQ(a.listItems[0], c.item);
    } else {
        EXPECT_TRUE(a.listItems.empty());
    }
    for (int room = 0; room < kRoomCount; ++room) {
        if (room != 4) {
            EXPECT_EQ(a.rooms[room], RoomAlert::None);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Threshold, OneRecord,
    ::testing::Values(AlertCase{"利用", when(5, 22, 48, 59), RoomAlert::None, 0, "005 012  山田"},
                      AlertCase{"利用", when(5, 22, 49, 0), RoomAlert::Near, 1, "005 011  山田"},
                      AlertCase{"利用", when(5, 22, 59, 59), RoomAlert::Near, 1, "005 001  山田"},
                      AlertCase{"利用", when(5, 23, 0, 0), RoomAlert::Overdue, 1, "005 000  山田"},
                      AlertCase{"利用", when(5, 23, 3, 30), RoomAlert::Overdue, 1,
                                "005 -003  山田"},
                      AlertCase{"利用", when(5, 20, 55), RoomAlert::None, 0, "005 125  山田"},
                      AlertCase{"通知", when(5, 22, 48, 59), RoomAlert::None, 0, "005 012  山田"},
                      AlertCase{"通知", when(5, 22, 52), RoomAlert::Called, 0, "005 008  山田"},
                      AlertCase{"通知", when(5, 23, 0), RoomAlert::Overdue, 1, "005 000  山田"},
                      AlertCase{"予約", when(5, 22, 55), RoomAlert::None, 0, nullptr},
                      AlertCase{"予約", when(5, 23, 10), RoomAlert::None, 0, nullptr},
                      AlertCase{"延長", when(5, 22, 55), RoomAlert::None, 0, nullptr},
                      AlertCase{"延長", when(5, 23, 10), RoomAlert::None, 0, nullptr},
                      AlertCase{"精算", when(5, 22, 55), RoomAlert::None, 0, nullptr},
                      AlertCase{"精算", when(5, 23, 10), RoomAlert::None, 0, nullptr}));

TEST(RemainingList, EqualMinutesListTheLaterRoomFirst) {
    RoomGrid grid;
    grid.set(2, 0, record("003", "2026/12/05 23:00", "A", "利用"));
    grid.set(20, 0, record("021", "2026/12/05 23:00", "B", "利用"));
    grid.set(7, 0, record("008", "2026/12/05 22:30", "C", "通知"));
    const auto a = computeRoomAlerts(grid, when(5, 22, 0));
    EXPECT_EQ(a.listItems, (std::vector<std::string>{"008 030  C", "021 060  B", "003 060  A"}));
}

TEST(RemainingList, OverdueSortsBeforeZeroAndAboveFewMinutes) {
    RoomGrid grid;
    grid.set(0, 0, record("001", "2026/12/05 23:05", "A", "利用"));
    grid.set(1, 0, record("002", "2026/12/05 23:00", "B", "利用"));
    grid.set(2, 0, record("003", "2026/12/05 22:57", "C", "通知"));
    grid.set(3, 0, record("004", "2026/12/06 01:00", "D", "利用"));
    const auto a = computeRoomAlerts(grid, when(5, 23, 0, 45));
    EXPECT_EQ(a.listItems,
              (std::vector<std::string>{"003 -003  C", "002 000  B", "001 005  A", "004 120  D"}));
}

TEST(RemainingList, LongOverdueKeepsItsNumericPlace) {
    // A stay forgotten for a whole day still sorts by its minutes, not by a cut text.
    RoomGrid grid;
    grid.set(0, 0, record("001", "2026/12/05 06:30", "A", "利用"));
    grid.set(1, 0, record("002", "2026/12/05 22:00", "B", "利用"));
    const auto a = computeRoomAlerts(grid, when(6, 0, 0));
    EXPECT_EQ(a.listItems, (std::vector<std::string>{"001 -1050  A", "002 -120  B"}));
}

TEST(RoomColour, TheLastQualifyingRecordOfARoomDecides) {
    RoomGrid grid;
    grid.set(0, 0, record("001", "2026/12/05 22:00", "A", "利用", "1001")); // overdue
    grid.set(0, 1, record("001", "2026/12/05 22:40", "A", "通知", "1002")); // 10 minutes
    grid.set(1, 0, record("002", "2026/12/05 22:35", "B", "通知", "1003")); // 5 minutes
    grid.set(1, 1, record("002", "2026/12/05 22:00", "B", "利用", "1004")); // overdue
    grid.set(2, 0, record("003", "2026/12/05 22:00", "C", "利用", "1005")); // overdue
    grid.set(2, 1, record("003", "2026/12/06 01:00", "C", "利用", "1006")); // far: no say
    const auto a = computeRoomAlerts(grid, when(5, 22, 30));
    EXPECT_EQ(a.rooms[0], RoomAlert::Called);
    EXPECT_EQ(a.rooms[1], RoomAlert::Overdue);
    EXPECT_EQ(a.rooms[2], RoomAlert::Overdue);
    EXPECT_EQ(a.alarmRecords, 3); // each overdue record beeps; a called room does not
}

TEST(RemainingList, RecordWithoutAReadableEndIsLeftOut) {
    RoomGrid grid;
    grid.set(0, 0, "001100100,2026/12/05 22:00,1,--,2,001,A,利用");
    const auto a = computeRoomAlerts(grid, when(5, 22, 30));
    EXPECT_TRUE(a.listItems.empty());
    EXPECT_EQ(a.alarmRecords, 0);
}

TEST(FormatRemaining, AtLeastThreeDigitsWithSign) {
    EXPECT_EQ(formatRemaining(5), "005");
    EXPECT_EQ(formatRemaining(0), "000");
    EXPECT_EQ(formatRemaining(125), "125");
    EXPECT_EQ(formatRemaining(1234), "1234");
    EXPECT_EQ(formatRemaining(-3), "-003");
    EXPECT_EQ(formatRemaining(-1050), "-1050");
}

TEST(TickClock, ProjectsTheTimeOfDayOntoTheShownDay) {
    using namespace std::chrono;
    const Date shown{year{2026}, month{12}, day{3}};
    EXPECT_EQ(tickClock(when(6, 2, 15, 7), 0, shown), when(6, 2, 15, 7));
    EXPECT_EQ(tickClock(when(6, 2, 15, 7), -2, shown), when(4, 2, 15, 7));
    EXPECT_EQ(tickClock(when(6, 6, 0, 0), -3, shown), when(3, 6, 0, 0));
    EXPECT_EQ(tickClock(when(6, 5, 59, 59), 1, shown), when(4, 5, 59, 59));
}

} // namespace
} // namespace kavro
