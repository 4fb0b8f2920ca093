#include "support/entry_fixture.h"

namespace kavro::test {
namespace {

const std::string kBooking = "005100200,2026/12/05 20:00,1,2026/12/05 21:00,2,005,ヤマダ,利用";

class InputTest : public EntryTest {
protected:
    // The panel as the extension button leaves it after selecting `line`.
    void prepareExtension(const std::string& line) {
        select(line, {"利用"});
        click(extendButton());
    }
};

TEST_F(InputTest, StoresTheExtensionAndMarksTheRecordItContinues) {
    startWith({kBooking});
    prepareExtension(kBooking);
    ASSERT_EQ(endEdit()->text(), QStringLiteral("21:30"));
    bookingList()->addItem(QStringLiteral("005100200 ..."));
    click(inputExtensionButton());
    EXPECT_TRUE(world().messages.empty());
    EXPECT_EQ(day(), (std::vector<std::string>{
                         "005100200,2026/12/05 20:00,1,2026/12/05 21:00,2,005,ヤマダ,延長",
                         "005100201,2026/12/05 21:00,0.5,2026/12/05 21:30,2,005,ヤマダ,利用"}));
    EXPECT_EQ(bookingList()->count(), 0);
    EXPECT_TRUE(inputExtensionButton()->isHidden());
    EXPECT_EQ(model().maxGroupNo(), 100201);

    // and once more: the first record stays "延長" and is no obstacle
    prepareExtension(day()[1]);
    click(inputExtensionButton());
    EXPECT_TRUE(world().messages.empty());
    EXPECT_EQ(day(), (std::vector<std::string>{
                         "005100200,2026/12/05 20:00,1,2026/12/05 21:00,2,005,ヤマダ,延長",
                         "005100201,2026/12/05 21:00,0.5,2026/12/05 21:30,2,005,ヤマダ,延長",
                         "005100202,2026/12/05 21:30,0.5,2026/12/05 22:00,2,005,ヤマダ,利用"}));
}

TEST_F(InputTest, AReservationBlocksUnlessTheExtensionOnlyTouchesIt) {
    const std::string reservation = "005100300,2026/12/05 21:15,1,2026/12/05 22:00,2,005,R,予約";
    startWith({kBooking, reservation});
    prepareExtension(kBooking);
    click(inputExtensionButton());
    EXPECT_EQ(titles(), std::vector<std::string>{"予約あり"});
    EXPECT_EQ(day(), (std::vector<std::string>{kBooking, reservation}));
    EXPECT_EQ(selectedIdLabel()->text(), QStringLiteral("005100201")); // kept for a second try

    endEdit()->setText(QStringLiteral("21:15"));
    click(inputExtensionButton());
    EXPECT_EQ(world().messages.size(), 1u);
    EXPECT_EQ(day().size(), 3u);
    EXPECT_EQ(day()[2], "005100201,2026/12/05 21:00,0.5,2026/12/05 21:15,2,005,ヤマダ,利用");
}

TEST_F(InputTest, AnotherPartyInTheRoomBlocks) {
    const std::string other = "005100300,2026/12/05 19:00,3,2026/12/05 22:00,2,005,B,利用";
    startWith({kBooking, other});
    prepareExtension(kBooking);
    click(inputExtensionButton());
    EXPECT_EQ(titles(), std::vector<std::string>{"利用中"});
    EXPECT_EQ(day(), (std::vector<std::string>{kBooking, other}));
}

TEST_F(InputTest, ARoomWithoutTheContinuedRecordIsRefused) {
    startWith({kBooking});
    const std::string before = dayBytes();
    prepareExtension(kBooking);
    roomBox()->setEditText(QStringLiteral("006"));
    click(inputExtensionButton());
    EXPECT_EQ(titles(), std::vector<std::string>{"入力エラー"});
    EXPECT_EQ(dayBytes(), before);
}

TEST_F(InputTest, TimesAreCheckedLikeAUse) {
    startWith({kBooking});
    const std::string before = dayBytes();
    prepareExtension(kBooking);
    endEdit()->setText(QString());
    click(inputExtensionButton());
    EXPECT_EQ(titles(), std::vector<std::string>{"入力エラー"});
    EXPECT_EQ(lastMessageText(), QStringLiteral("時間が正しくありません"));
    EXPECT_EQ(dayBytes(), before);
}

} // namespace
} // namespace kavro::test
