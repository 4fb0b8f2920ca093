#include "entry/entry_fixture.h"

namespace kavro::test {
namespace {

class CancelTest : public EntryTest {};

TEST_F(CancelTest, CancelResetsThePanelAndWithdrawsEveryOperation) {
    const std::string booking = "005100200,2026/12/05 20:00,1,2026/12/05 21:00,3,005,ヤマダ,利用";
    startWith({booking});
    const std::string before = dayBytes();
    select(booking, {"利用"});
    form().bookingList->addItem(QString::fromStdString(booking));
    for (auto* b : {form().checkInButton, form().extendButton, form().notifyButton,
                    form().settleButton, form().modifyButton, form().reserveButton,
                    form().deleteButton, form().inputExtensionButton, form().popupExtendButtons[0],
                    form().popupNotifyButtons[1], form().popupSettleButtons[0]})
        b->show();

    form().resetEntry();

    Form1& f = form();
    EXPECT_EQ(f.peopleBox->currentText(), QStringLiteral("2"));
    EXPECT_EQ(f.startEdit->text(), QString());
    EXPECT_EQ(f.unitBox->currentText(), QStringLiteral("1"));
    EXPECT_EQ(f.endEdit->text(), QString());
    EXPECT_EQ(f.nameEdit->text(), QString());
    EXPECT_EQ(f.bookingList->count(), 0);
    for (auto* b : {f.checkInButton, f.extendButton, f.notifyButton, f.settleButton, f.modifyButton,
                    f.reserveButton, f.deleteButton, f.inputExtensionButton})
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(f.popupExtendButtons[i]->isHidden());
        EXPECT_TRUE(f.popupNotifyButtons[i]->isHidden());
        EXPECT_TRUE(f.popupSettleButtons[i]->isHidden());
    }
    EXPECT_FALSE(f.cancelButton->isHidden());
    // what it leaves alone
    EXPECT_EQ(f.roomBox->currentText(), QStringLiteral("005"));
    EXPECT_EQ(f.statusBox->currentText(), QStringLiteral("利用"));
    EXPECT_EQ(f.selectedIdLabel->text(), QStringLiteral("005100200"));
    EXPECT_EQ(f.selected.id, "005100200");
    EXPECT_EQ(f.selected.start, "2026/12/05 20:00");
    EXPECT_EQ(f.selected.end, "2026/12/05 21:00");
    EXPECT_EQ(f.roomGrid.at(4, 0), booking);
    EXPECT_EQ(dayBytes(), before);
    EXPECT_TRUE(world().messages.empty());
}

} // namespace
} // namespace kavro::test
