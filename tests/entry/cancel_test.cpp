#include "entry/entry_fixture.h"

namespace kavro::test {
namespace {

TEST_F(EntryTest, CancelResetsThePanelAndWithdrawsEveryOperation) {
    const std::string booking = "005100200,2026/12/05 20:00,1,2026/12/05 21:00,3,005,ヤマダ,利用";
    startWith({booking});
    const std::string before = dayBytes();
    select(booking, {"利用"});
    form().List1->addItem(QString::fromStdString(booking));
    for (auto* b : {form().Command1, form().Command2, form().Command3, form().Command4,
                    form().Command5, form().Command6, form().Command8, form().Command14,
                    form().cmdNext[0], form().cmdCall[1], form().cmdCrdt[0]})
        b->show();

    form().Command10_Click();

    Form1& f = form();
    EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("2"));
    EXPECT_EQ(f.Text1->text(), QString());
    EXPECT_EQ(f.Combo2->currentText(), QStringLiteral("1"));
    EXPECT_EQ(f.Text2->text(), QString());
    EXPECT_EQ(f.Text3->text(), QString());
    EXPECT_EQ(f.List1->count(), 0);
    for (auto* b : {f.Command1, f.Command2, f.Command3, f.Command4, f.Command5, f.Command6,
                    f.Command8, f.Command14})
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(f.cmdNext[i]->isHidden());
        EXPECT_TRUE(f.cmdCall[i]->isHidden());
        EXPECT_TRUE(f.cmdCrdt[i]->isHidden());
    }
    EXPECT_FALSE(f.Command10->isHidden());
    // what it leaves alone
    EXPECT_EQ(f.Combo3->currentText(), QStringLiteral("005"));
    EXPECT_EQ(f.Combo4->currentText(), QStringLiteral("利用"));
    EXPECT_EQ(f.Label11->text(), QStringLiteral("005100200"));
    EXPECT_EQ(f.curId, "005100200");
    EXPECT_EQ(f.curStart, "2026/12/05 20:00");
    EXPECT_EQ(f.curEnd, "2026/12/05 21:00");
    EXPECT_EQ(f.roomGrid.at(4, 0), booking);
    EXPECT_EQ(dayBytes(), before);
    EXPECT_TRUE(world().messages.empty());
}

} // namespace
} // namespace kavro::test
