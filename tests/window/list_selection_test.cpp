#include "support/selection_fixture.h"

#include <QTest>

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
    ASSERT_EQ(bookingList()->count(), 2);
    ASSERT_EQ(buttons(), "ENMDen");

    chooseListLine(0);
    EXPECT_EQ(label11(), "004100300");
    EXPECT_EQ(selected().start, "2026/12/05 20:00");
    EXPECT_EQ(endEdit()->text(), "21:00");
    EXPECT_EQ(statusBox()->currentText(), "延長");
    EXPECT_EQ(statusChoices(), QStringList{"延長"});
    EXPECT_EQ(buttons(), "");

    chooseListLine(1);
    EXPECT_EQ(selected().id, "004100301");
    EXPECT_EQ(selected().end, "2026/12/05 21:30");
    EXPECT_EQ(unitBox()->currentText(), "0.5");
    EXPECT_EQ(peopleBox()->currentText(), "3");
    EXPECT_EQ(buttons(), "ENMD");
    EXPECT_EQ(statusChoices(), QStringList{"利用"});
}

TEST_F(ListSelection, ALineWhoseRecordIsGoneChangesNothing) {
    startWith(kExtended);
    clickAt(3, 75);
    // The list still shows a record the day no longer holds.
    entry().showBookingList({"004100399  20:00  1    21:00   3  004  田中         延長",
                             bookingList()->item(1)->text().toStdString()});
    chooseListLine(0);
    EXPECT_EQ(label11(), "004100301");
    EXPECT_EQ(selected().id, "004100301");
    EXPECT_EQ(buttons(), "ENMDen");

    // A click below the lines chooses none.
    QListWidget* list = bookingList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(5, list->visualItemRect(list->item(1)).bottom() + 5));
    EXPECT_EQ(buttons(), "ENMDen");
}

} // namespace
} // namespace kavro::test
