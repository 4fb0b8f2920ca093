#include "support/entry_fixture.h"

namespace kavro::test {
namespace {

class NewBookingTest : public EntryTest {};

TEST_F(NewBookingTest, UseWritesTheBookingLine) {
    start();
    fill("001", "22:00", "1.5", "23:30", "ヤマダ");
    checkInButton()->show();
    click(checkInButton());
    EXPECT_EQ(day(), (std::vector<std::string>{
                         "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,ヤマダ,利用"}));
    EXPECT_TRUE(world().messages.empty());
    // closed: the panel is reset, the day holds what its file holds, and the new booking is
    // nobody's selection until it is pressed on the board
    EXPECT_TRUE(checkInButton()->isHidden());
    EXPECT_EQ(nameEdit()->text(), QString());
    EXPECT_EQ(selectedIdLabel()->text(), QString());
    EXPECT_EQ(selected().id, "");
    EXPECT_EQ(model().records().at(0, 0), day()[0]);
}

TEST_F(NewBookingTest, StartsBeforeSixLieOnTheNextCalendarDate) {
    start();
    fill("002", "02:00", "1", "03:00", "ヤマダ");
    click(checkInButton());
    EXPECT_EQ(day(), (std::vector<std::string>{
                         "002100100,2026/12/06 02:00,1,2026/12/06 03:00,2,002,ヤマダ,利用"}));
}

TEST_F(NewBookingTest, UseAppendsAfterTheRoomsRecords) {
    startWith({"005100100,2026/12/05 10:00,1,2026/12/05 11:00,2,005,A,精算",
               "006100200,2026/12/05 10:00,1,2026/12/05 11:00,2,006,B,精算"});
    fill("005", "22:00", "1", "23:00", "C");
    click(checkInButton());
    ASSERT_EQ(day().size(), 3u);
    EXPECT_EQ(day()[1], "005100300,2026/12/05 22:00,1,2026/12/05 23:00,2,005,C,利用");
}

struct OverlapCase {
    const char* start;
    const char* end;
    bool refused;
};

class UseAgainstReservation : public EntryTest,
                              public ::testing::WithParamInterface<OverlapCase> {};

TEST_P(UseAgainstReservation, RefusesOnlyAnOverlap) {
    const std::string reservation = "005100100,2026/12/05 20:00,1,2026/12/05 21:00,2,005,R,予約";
    startWith({reservation});
    fill("005", GetParam().start, "1", GetParam().end, "ヤマダ");
    click(checkInButton());
    if (GetParam().refused) {
        EXPECT_EQ(titles(), std::vector<std::string>{"予約あり"});
        EXPECT_EQ(lastMessageText(),
                  QStringLiteral("その区画のデータに予約があり、入力データと重なります\r\n"
                                 "予約を削除するか、ほかの区画を指定してください"));
        EXPECT_EQ(day(), std::vector<std::string>{reservation});
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("ヤマダ")); // kept for a correction
    } else {
        EXPECT_TRUE(world().messages.empty());
        EXPECT_EQ(day().size(), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, UseAgainstReservation,
                         ::testing::Values(OverlapCase{"20:30", "22:00", true},
                                           OverlapCase{"20:15", "20:45", true},
                                           OverlapCase{"21:00", "22:00", false},
                                           OverlapCase{"19:00", "20:00", false}));

class UseAgainstStatus : public EntryTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UseAgainstStatus, OnlyAPartyInTheRoomRefuses) {
    const std::string status = GetParam();
    const std::vector<std::string> lines{
        "007100100,2026/12/05 08:00,1,2026/12/05 09:00,2,007,A,精算",
        "007100200,2026/12/05 10:00,1,2026/12/05 11:00,2,007,B," + status};
    startWith(lines);
    fill("007", "23:00", "1", "00:00", "ヤマダ");
    click(checkInButton());
    if (status == "利用") {
        EXPECT_EQ(titles(), std::vector<std::string>{"利用中"});
        EXPECT_EQ(lastMessageText(),
                  QStringLiteral("その区画のデータの中に、利用中のものが含まれています。\r\n"
                                 "データを清算にしてから操作してください"));
        EXPECT_EQ(day(), lines);
    } else {
        EXPECT_TRUE(world().messages.empty());
        EXPECT_EQ(day().size(), 3u);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, UseAgainstStatus, ::testing::Values("利用", "精算", "延長", "通知"));

TEST_F(NewBookingTest, ARefusedUseStillTakesAGroupNumber) {
    startWith({"005100100,2026/12/05 20:00,1,2026/12/05 21:00,2,005,A,利用"});
    fill("005", "22:00", "1", "23:00", "B");
    click(checkInButton());
    ASSERT_EQ(titles(), std::vector<std::string>{"利用中"});
    EXPECT_EQ(model().maxGroupNo(), 100200);

    roomBox()->setEditText(QStringLiteral("006"));
    click(checkInButton());
    EXPECT_EQ(day().back(), "006100300,2026/12/05 22:00,1,2026/12/05 23:00,2,006,B,利用");
}

TEST_F(NewBookingTest, ReservationsAreTakenWhateverTheRoomHolds) {
    const std::string stay = "005100100,2026/12/05 20:00,1,2026/12/05 21:00,2,005,A,利用";
    startWith({stay});
    for (int i = 0; i < 2; ++i) {
        fill("005", "20:00", "1", "21:00", "R");
        reserveButton()->show();
        click(reserveButton());
        EXPECT_TRUE(reserveButton()->isHidden());
    }
    EXPECT_TRUE(world().messages.empty());
    EXPECT_EQ(day(), (std::vector<std::string>{
                         stay, "005100200,2026/12/05 20:00,1,2026/12/05 21:00,2,005,R,予約",
                         "005100300,2026/12/05 20:00,1,2026/12/05 21:00,2,005,R,予約"}));
}

TEST_F(NewBookingTest, AReservationOnAnEmptyDayIsBooking1001) {
    start();
    fill("010", "03:00", "1", "04:00", "ヨヤク", "4");
    click(reserveButton());
    EXPECT_EQ(day(), (std::vector<std::string>{
                         "010100100,2026/12/06 03:00,1,2026/12/06 04:00,4,010,ヨヤク,予約"}));
}

} // namespace
} // namespace kavro::test
