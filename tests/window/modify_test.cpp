#include "support/entry_fixture.h"

namespace kavro::test {
namespace {

class ModifyTest : public EntryTest {};

const std::string kSettled7 = "007100100,2026/12/05 08:00,1,2026/12/05 09:00,2,007,A,精算";
const std::string kReserved7 = "007100200,2026/12/05 21:00,1,2026/12/05 22:00,3,007,ヨヤク,予約";
const std::string kLater7 = "007100300,2026/12/05 12:00,1,2026/12/05 13:00,2,007,C,精算";

TEST_F(ModifyTest, AReservationIsCheckedInWhereItStands) {
    startWith({kSettled7, kReserved7, kLater7});
    select(kReserved7, {"利用", "予約"});
    statusBox()->setCurrentIndex(0);
    modifyButton()->show();
    click(modifyButton());
    EXPECT_TRUE(world().messages.empty());
    EXPECT_EQ(day(),
              (std::vector<std::string>{
                  kSettled7, "007100200,2026/12/05 21:00,1,2026/12/05 22:00,3,007,ヨヤク,利用",
                  kLater7}));
    EXPECT_TRUE(modifyButton()->isHidden());
}

class ModifyBlockedBy : public EntryTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ModifyBlockedBy, AnyPartyInTheRoomWhateverTheTimes) {
    const std::string party =
        std::string("007100100,2026/12/05 08:00,1,2026/12/05 09:00,2,007,A,") + GetParam();
    startWith({party, kReserved7});
    const std::string before = dayBytes();
    select(kReserved7, {"利用", "予約"});
    nameEdit()->setText(QStringLiteral("ナマエ")); // only the name changes
    click(modifyButton());
    EXPECT_EQ(titles(), std::vector<std::string>{"利用データあり"});
    EXPECT_EQ(lastMessageText(),
              QStringLiteral("利用しているデータがあります\r\n精算してから操作してください"));
    EXPECT_EQ(dayBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Rows, ModifyBlockedBy, ::testing::Values("利用", "通知"));

TEST_F(ModifyTest, AModificationOverlappingAReservationIsRefused) {
    const std::string stay = "007100100,2026/12/05 19:00,1,2026/12/05 20:00,2,007,A,利用";
    const std::string reservation = "007100200,2026/12/05 21:00,1,2026/12/05 22:00,2,007,R,予約";
    startWith({stay, reservation});
    select(stay, {"利用"});
    endEdit()->setText(QStringLiteral("21:30"));
    click(modifyButton());
    EXPECT_EQ(titles(), std::vector<std::string>{"予約あり"});
    EXPECT_EQ(day(), (std::vector<std::string>{stay, reservation}));
    // the stored period stays for the status buttons
    EXPECT_EQ(selected().start, "2026/12/05 19:00");
    EXPECT_EQ(selected().end, "2026/12/05 20:00");
}

TEST_F(ModifyTest, AMovedRecordKeepsItsIdAndCanMoveBack) {
    const std::string moving = "003100400,2026/12/05 20:00,1,2026/12/05 21:00,2,003,ヤマダ,利用";
    const std::string in3 = "003100100,2026/12/05 08:00,1,2026/12/05 09:00,2,003,A,精算";
    const std::string in12 = "012100200,2026/12/05 08:00,1,2026/12/05 09:00,2,012,B,精算";
    startWith({moving, in3, in12});
    select(moving, {"利用"});
    roomBox()->setEditText(QStringLiteral("012"));
    click(modifyButton());
    ASSERT_TRUE(world().messages.empty());
    EXPECT_EQ(day(),
              (std::vector<std::string>{
                  in3, in12, "003100400,2026/12/05 20:00,1,2026/12/05 21:00,2,012,ヤマダ,利用"}));

    select(day()[2], {"利用"});
    roomBox()->setEditText(QStringLiteral("003"));
    nameEdit()->setText(QStringLiteral("ヤマダ2"));
    click(modifyButton());
    EXPECT_TRUE(world().messages.empty());
    EXPECT_EQ(day(),
              (std::vector<std::string>{
                  in3, "003100400,2026/12/05 20:00,1,2026/12/05 21:00,2,003,ヤマダ2,利用", in12}));
}

TEST_F(ModifyTest, AnEndTypedAfterMidnightLiesOnTheNextDate) {
    const std::string stay = "008100100,2026/12/05 22:00,1,2026/12/05 23:00,2,008,A,利用";
    startWith({stay});
    select(stay, {"利用"});
    endEdit()->setText(QStringLiteral("0130"));
    click(modifyButton());
    EXPECT_EQ(day(), (std::vector<std::string>{
                         "008100100,2026/12/05 22:00,1,2026/12/06 01:30,2,008,A,利用"}));
    EXPECT_EQ(selected().end, "2026/12/06 01:30");
}

TEST_F(ModifyTest, OnlyAnOfferedStatusIsWritten) {
    startWith({kReserved7});
    const std::string before = dayBytes();
    select(kReserved7, {"利用", "予約"});
    for (const char* typed : {"精算", "りよう", ""}) {
        statusBox()->setEditText(QString::fromUtf8(typed));
        click(modifyButton());
        EXPECT_EQ(lastMessageTitle(), QStringLiteral("入力エラー")) << typed;
        EXPECT_EQ(dayBytes(), before) << typed;
    }
    EXPECT_EQ(world().messages.size(), 3u);
}

} // namespace
} // namespace kavro::test
