#include "support/selection_fixture.h"

#include <ostream>

namespace kavro::test {
namespace {

using Deletion = SelectionTest;

TEST_F(Deletion, TakingBackAnExtensionShowsTheRecordItExtended) {
    startWith({rec("005101200", "2026/12/05 20:00", "2026/12/05 21:00", "延長"),
               rec("005101201", "2026/12/05 21:00", "2026/12/05 21:30", "利用", "山田", "0.5")});
    clickAt(4, 80);
    ASSERT_EQ(label11(), "005101201");
    click(deleteButton());
    EXPECT_EQ(readDay(kDay), (std::vector<std::string>{rec("005101200", "2026/12/05 20:00",
                                                           "2026/12/05 21:00", "利用")}));
    EXPECT_EQ(selected().id, "005101200");
    EXPECT_EQ(label11(), "005101200");
    EXPECT_EQ(roomBox()->currentText(), "005");
    EXPECT_EQ(statusBox()->currentText(), "利用");
}

struct FirstRecordCase {
    const char* status;
    const char* buttons;
};
void PrintTo(const FirstRecordCase& c, std::ostream* os) { *os << c.status; }
class DeleteFirstRecord : public SelectionTest,
                          public ::testing::WithParamInterface<FirstRecordCase> {};

TEST_P(DeleteFirstRecord, RemovesOneLineAndKeepsItsIdRoomAndStatusShown) {
    const std::string other = rec("006100100", "2026/12/05 19:00", "2026/12/05 20:00", "精算");
    startWith({other, rec("006100200", "2026/12/05 21:00", "2026/12/05 22:00", GetParam().status)});
    clickAt(5, 90);
    ASSERT_EQ(buttons(), GetParam().buttons);
    click(deleteButton());
    EXPECT_EQ(readDay(kDay), std::vector<std::string>{other});
    EXPECT_EQ(label11(), "006100200");
    EXPECT_EQ(roomBox()->currentText(), "006");
    EXPECT_EQ(statusBox()->currentText(), GetParam().status);
    EXPECT_EQ(startEdit()->text(), "");
    EXPECT_EQ(nameEdit()->text(), "");
    EXPECT_EQ(peopleBox()->currentText(), "2");
    EXPECT_EQ(bookingList()->count(), 0);
}
INSTANTIATE_TEST_SUITE_P(StayOrReservation, DeleteFirstRecord,
                         ::testing::Values(FirstRecordCase{"予約", "MD"},
                                           FirstRecordCase{"利用", "ENMDen"}));

} // namespace
} // namespace kavro::test
