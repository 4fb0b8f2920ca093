#include "support/entry_fixture.h"

namespace kavro::test {
namespace {

class CancelTest : public EntryTest {};

TEST_F(CancelTest, CancelResetsThePanelAndWithdrawsEveryOperation) {
    const std::string booking = "005100200,2026/12/05 20:00,1,2026/12/05 21:00,3,005,ヤマダ,利用";
    startWith({booking});
    const std::string before = dayBytes();
    select(booking, {"利用"});
    bookingList()->addItem(QString::fromStdString(booking));
    for (auto* b : {checkInButton(), extendButton(), notifyButton(), settleButton(), modifyButton(),
                    reserveButton(), deleteButton(), inputExtensionButton(), popupExtendButton(0),
                    popupNotifyButton(1), popupSettleButton(0)})
        b->show();

    click(cancelButton());

    EXPECT_EQ(peopleBox()->currentText(), QStringLiteral("2"));
    EXPECT_EQ(startEdit()->text(), QString());
    EXPECT_EQ(unitBox()->currentText(), QStringLiteral("1"));
    EXPECT_EQ(endEdit()->text(), QString());
    EXPECT_EQ(nameEdit()->text(), QString());
    EXPECT_EQ(bookingList()->count(), 0);
    for (auto* b : {checkInButton(), extendButton(), notifyButton(), settleButton(), modifyButton(),
                    reserveButton(), deleteButton(), inputExtensionButton()})
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(popupExtendButton(i)->isHidden());
        EXPECT_TRUE(popupNotifyButton(i)->isHidden());
        EXPECT_TRUE(popupSettleButton(i)->isHidden());
    }
    EXPECT_FALSE(cancelButton()->isHidden());
    // what it leaves alone
    EXPECT_EQ(roomBox()->currentText(), QStringLiteral("005"));
    EXPECT_EQ(statusBox()->currentText(), QStringLiteral("利用"));
    EXPECT_EQ(selectedIdLabel()->text(), QStringLiteral("005100200"));
    EXPECT_EQ(entry().selection(),
              (SelectedBooking{"005100200", "2026/12/05 20:00", "2026/12/05 21:00"}));
    EXPECT_EQ(model().records().at(4, 0), booking);
    EXPECT_EQ(dayBytes(), before);
    EXPECT_TRUE(world().messages.empty());
}

} // namespace
} // namespace kavro::test
