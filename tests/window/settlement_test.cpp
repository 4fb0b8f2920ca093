#include "support/selection_fixture.h"

namespace kavro::test {
namespace {

using Settlement = SelectionTest;

const std::vector<std::string> kBooking = {
    rec("003100700", "2026/12/05 20:00", "2026/12/05 21:00", "延長"),
    rec("003100701", "2026/12/05 21:00", "2026/12/05 21:30", "延長", "山田", "0.5"),
    rec("003100702", "2026/12/05 21:30", "2026/12/05 22:00", "通知", "山田", "0.5"),
    rec("003100800", "2026/12/05 22:30", "2026/12/05 23:30", "予約", "他"),
    rec("004100699", "2026/12/05 20:00", "2026/12/05 21:00", "利用", "他"),
};

TEST_F(Settlement, SettlesTheWholeBookingAndNothingElse) {
    startWith(kBooking);
    clickAt(2, 100);
    ASSERT_EQ(label11(), "003100702");
    ASSERT_EQ(buttons(), "ESMes");
    peopleBox()->setEditText("5");
    click(settleButton());
    EXPECT_EQ(
        readDay(kDay),
        (std::vector<std::string>{
            rec("003100700", "2026/12/05 20:00", "2026/12/05 21:00", "精算"),
            rec("003100701", "2026/12/05 21:00", "2026/12/05 21:30", "精算", "山田", "0.5"),
            rec("003100702", "2026/12/05 21:30", "2026/12/05 22:00", "精算", "山田", "0.5", "5"),
            kBooking[3], kBooking[4]}));
}

TEST_F(Settlement, AnEmptyNameIsRefusedAndTheStartBoxGetsTheFocus) {
    startWith(kBooking);
    form().show();
    clickAt(2, 100);
    nameEdit()->clear();
    click(settleButton());
    EXPECT_EQ(lastMessageText(), "ナマエが入力されていません");
    EXPECT_EQ(form().focusWidget(), startEdit());
    EXPECT_EQ(readDay(kDay), kBooking);
}

TEST_F(Settlement, AnIdNoRecordHoldsChangesNothing) {
    startWith(kBooking);
    clickAt(2, 100);
    entry().select({"003100703", selected().start, selected().end});
    click(settleButton());
    EXPECT_EQ(readDay(kDay), kBooking);
}

} // namespace
} // namespace kavro::test
