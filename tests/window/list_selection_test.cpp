#include "support/selection_fixture.h"

namespace kavro::test {
namespace {

using ListSelection = SelectionTest;

const std::vector<std::string> kExtended = {
    rec("004100301", "2026/12/05 21:00", "2026/12/05 21:30", "利用", "田中", "0.5", "3"),
    rec("004100300", "2026/12/05 20:00", "2026/12/05 21:00", "延長", "田中", "1", "3"),
};

TEST_F(ListSelection, EachLineOffersWhatItsStatusAllows) {
    startWith(kExtended);
    clickAt(3, 75);
    ASSERT_EQ(form().bookingList->count(), 2);
    ASSERT_EQ(buttons(), "ENMDen");

    form().bookingList->setCurrentRow(0);
    form().selectListedBooking();
    EXPECT_EQ(label11(), "004100300");
    EXPECT_EQ(form().selected.start, "2026/12/05 20:00");
    EXPECT_EQ(form().endEdit->text(), "21:00");
    EXPECT_EQ(form().statusBox->currentText(), "延長");
    EXPECT_EQ(statusChoices(), QStringList{"延長"});
    EXPECT_EQ(buttons(), "");

    form().bookingList->setCurrentRow(1);
    form().selectListedBooking();
    EXPECT_EQ(form().selected.id, "004100301");
    EXPECT_EQ(form().selected.end, "2026/12/05 21:30");
    EXPECT_EQ(form().unitBox->currentText(), "0.5");
    EXPECT_EQ(form().peopleBox->currentText(), "3");
    EXPECT_EQ(buttons(), "ENMD");
    EXPECT_EQ(statusChoices(), QStringList{"利用"});
}

TEST_F(ListSelection, ALineWhoseRecordIsGoneChangesNothing) {
    startWith(kExtended);
    clickAt(3, 75);
    form().roomGrid.at(3, 1).clear(); // 004100300
    form().bookingList->setCurrentRow(0);
    form().selectListedBooking();
    EXPECT_EQ(label11(), "004100301");
    EXPECT_EQ(form().selected.id, "004100301");
    EXPECT_EQ(buttons(), "ENMDen");

    form().bookingList->setCurrentRow(-1);
    form().selectListedBooking();
    EXPECT_EQ(buttons(), "ENMDen");
}

} // namespace
} // namespace kavro::test
