#include "support/selection_fixture.h"

namespace kavro::test {
namespace {

using PopupAction = SelectionTest;

TEST_F(PopupAction, NotifyOnTheRightHalfHidesThePopupAndStores) {
    startWith({rec("020100100", "2026/12/05 21:00", "2026/12/05 22:00", "利用")});
    clickAt(19, 70);
    ASSERT_EQ(buttons(), "ENMDen");
    click(popupNotifyButton(1));
    EXPECT_TRUE(popupExtendButton(1)->isHidden());
    EXPECT_TRUE(popupNotifyButton(1)->isHidden());
    EXPECT_EQ(readDay(kDay), (std::vector<std::string>{rec("020100100", "2026/12/05 21:00",
                                                           "2026/12/05 22:00", "通知")}));
}

TEST_F(PopupAction, ExtendLeavesOnlyInputOffered) {
    const std::vector<std::string> day = {
        rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00", "利用")};
    startWith(day);
    clickAt(0, 70);
    click(popupExtendButton(0));
    EXPECT_EQ(buttons(), "I");
    EXPECT_EQ(label11(), "001100101");
    EXPECT_EQ(readDay(kDay), day);
}

TEST_F(PopupAction, SettleWithAnEmptyNameLeavesThePopupHidden) {
    const std::vector<std::string> day = {
        rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00", "通知")};
    startWith(day);
    form().show();
    clickAt(0, 70);
    nameEdit()->clear();
    click(popupSettleButton(0));
    EXPECT_EQ(lastMessageText(), "ナマエが入力されていません");
    EXPECT_EQ(form().focusWidget(), startEdit());
    EXPECT_EQ(buttons(), "ESM");
    EXPECT_EQ(readDay(kDay), day);
}

} // namespace
} // namespace kavro::test
