#include "support/selection_fixture.h"
#include "window/board_half.h"
#include "window/timetable_board.h"

namespace kavro::test {
namespace {

using BoardClick = SelectionTest;

// Touching records of room 001: the one from 22:00 sits at position 0, the one ending
// at 22:00 after it.
const std::vector<std::string> kTouching = {
    rec("001100200", "2026/12/05 22:00", "2026/12/05 23:00", "利用", "後"),
    rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00", "延長", "前"),
};

TEST_F(BoardClick, BetweenRowsIsRefusedWithABeep) {
    startWith({});
    pressBoard(0, 60, 33);
    EXPECT_EQ(world().beeps, 1);
    EXPECT_EQ(buttons(), "");
    pressBoard(0, 60, 35.9);
    EXPECT_EQ(world().beeps, 2);
    pressBoard(0, 60, 36.01); // inside the next band (a press reaches the board in pixels)
    EXPECT_EQ(world().beeps, 2);
    EXPECT_EQ(roomBox()->currentText(), "002");
}

TEST_F(BoardClick, OnAWholeMinuteTheSharedMinuteSelectsTheLaterPosition) {
    startWith(kTouching);
    clickAt(0, 120); // 22:00:00
    EXPECT_EQ(label11(), "001100100");
    clickAt(0, 60); // first minute of the earlier record
    EXPECT_EQ(label11(), "001100100");
    clickAt(0, 180); // last minute of the later record
    EXPECT_EQ(label11(), "001100200");
}

TEST_F(BoardClick, TheSecondsOfTheWindowStartPassTheEndMinute) {
    startWith(kTouching, at(2026, 12, 5, 20, 17, 40));
    DateTime pressedAt{};
    QObject::connect(&board(), &TimetableBoard::pressed,
                     [&](int, std::optional<int>, DateTime t) { pressedAt = t; });
    clickAt(0, 102.6); // rounds to 103: 22:00:40
    EXPECT_EQ(pressedAt, at(2026, 12, 5, 22, 0, 40));
    EXPECT_EQ(label11(), "001100200");
    EXPECT_EQ(nameEdit()->text(), "後");
}

TEST_F(BoardClick, BeyondTheBusinessDayIsRefusedEvenOverAnEmptyRow) {
    setNow(at(2026, 12, 6, 4, 30));
    startWith({}, at(2026, 12, 6, 3, 0));
    clickAt(3, 181); // 06:01
    EXPECT_EQ(world().beeps, 1);
    EXPECT_EQ(buttons(), "");
    EXPECT_EQ(roomBox()->currentText(), "004");
    clickAt(3, 179); // 05:59
    EXPECT_EQ(world().beeps, 1);
    EXPECT_EQ(startEdit()->text(), "05:59");
}

TEST_F(BoardClick, AFreePlaceTodayPreparesAStayOrAReservation) {
    startWith({});
    form().show();
    clickAt(4, 89.6);
    EXPECT_EQ(roomBox()->currentText(), "005");
    EXPECT_EQ(startEdit()->text(), "21:30");
    EXPECT_EQ(peopleBox()->currentText(), "2");
    EXPECT_EQ(unitBox()->currentText(), "1");
    EXPECT_EQ(nameEdit()->text(), "");
    EXPECT_EQ(form().focusWidget(), nameEdit());
    EXPECT_EQ(label11(), "");
    EXPECT_EQ(buttons(), "UR");
    EXPECT_EQ(world().beeps, 0);
}

TEST_F(BoardClick, AFreePlaceOutsideTheReadOutAreaTakesTheClickedTime) {
    startWith({});
    clickAt(0, 4);
    EXPECT_EQ(startEdit()->text(), "20:04");
    clickAt(0, 175);
    EXPECT_EQ(startEdit()->text(), "22:55");
}

TEST_F(BoardClick, AStayTodayOffersItsOperationsAndThePopup) {
    startWith(
        {rec("020100100", "2026/12/05 21:00", "2026/12/06 00:30", "利用", "鈴木", "3.5", "4")});
    clickAt(19, 140.5);
    EXPECT_EQ(label11(), "020100100");
    EXPECT_EQ(selected().id, "020100100");
    EXPECT_EQ(selected().start, "2026/12/05 21:00");
    EXPECT_EQ(selected().end, "2026/12/06 00:30");
    EXPECT_EQ(startEdit()->text(), "21:00");
    EXPECT_EQ(unitBox()->currentText(), "3.5");
    EXPECT_EQ(endEdit()->text(), "00:30");
    EXPECT_EQ(peopleBox()->currentText(), "4");
    EXPECT_EQ(nameEdit()->text(), "鈴木");
    EXPECT_EQ(statusBox()->currentText(), "利用");
    EXPECT_EQ(statusChoices(), QStringList{"利用"});
    EXPECT_EQ(buttons(), "ENMDen");
    EXPECT_TRUE(popupExtendButton(0)->isHidden());
    ASSERT_EQ(bookingList()->count(), 1);
    EXPECT_TRUE(bookingList()->item(0)->text().startsWith("020100100  21:00  3.5  00:30   4  020"));

    // Row 2 at Y 60: the pop-up at 140.5 - 40 = 100.5, to even 100; 延長 above 通知.
    BoardHalf* half = boardHalf(1);
    EXPECT_EQ(popupNotifyButton(1)->pos(), half->toPixels({100, 60}).toPoint());
    EXPECT_EQ(popupExtendButton(1)->pos(), half->toPixels({100, 40}).toPoint());
    EXPECT_EQ(popupSettleButton(1)->pos(), half->toPixels({100, 80}).toPoint());
}

TEST_F(BoardClick, ExtendedAndSettledRecordsOfferNothing) {
    startWith({rec("001100100", "2026/12/05 20:00", "2026/12/05 21:00", "延長"),
               rec("001100101", "2026/12/05 21:00", "2026/12/05 21:30", "精算"),
               rec("002100200", "2026/12/05 21:00", "2026/12/05 22:00", "利用")});
    clickAt(1, 70);
    ASSERT_EQ(buttons(), "ENMDen");
    clickAt(0, 30);
    EXPECT_EQ(buttons(), "");
    EXPECT_EQ(statusChoices(), QStringList{"延長"});
    EXPECT_EQ(bookingList()->count(), 2);
    clickAt(0, 80);
    EXPECT_EQ(statusChoices(), QStringList{"精算"});
}

TEST_F(BoardClick, OnALaterDayOnlyReservationsAreOffered) {
    startWith({});
    writeDay(ymd(2026, 12, 7), {rec("001100100", "2026/12/07 21:00", "2026/12/07 22:00", "予約"),
                                rec("002100200", "2026/12/07 21:00", "2026/12/07 22:00", "利用")});
    showDay(ymd(2026, 12, 7), at(2026, 12, 7, 20, 0));

    clickAt(5, 10);
    EXPECT_EQ(buttons(), "R");
    EXPECT_EQ(startEdit()->text(), "20:10");
    clickAt(0, 70);
    EXPECT_EQ(buttons(), "MD");
    EXPECT_EQ(statusChoices(), QStringList{"予約"});
    clickAt(1, 70); // a stay on a later day changes no buttons
    EXPECT_EQ(buttons(), "MD");
    EXPECT_EQ(statusChoices(), QStringList{});
    EXPECT_EQ(label11(), "002100200");
}

TEST_F(BoardClick, OnAnEarlierDayARecordIsShownButRefused) {
    startWith({});
    writeDay(ymd(2026, 12, 3), {rec("007100300", "2026/12/03 21:00", "2026/12/03 22:00", "利用")});
    showDay(ymd(2026, 12, 3), at(2026, 12, 3, 20, 0));

    clickAt(6, 70);
    EXPECT_EQ(world().beeps, 1);
    EXPECT_EQ(label11(), "007100300");
    EXPECT_EQ(roomBox()->currentText(), "007");
    EXPECT_EQ(statusBox()->currentText(), "利用");
    EXPECT_EQ(statusBox()->count(), 0);
    EXPECT_EQ(buttons(), "");

    startEdit()->setText("12:00");
    clickAt(8, 30); // a free place: nothing is prepared
    EXPECT_EQ(world().beeps, 1);
    EXPECT_EQ(startEdit()->text(), "12:00");
    EXPECT_EQ(buttons(), "");
}

TEST_F(BoardClick, TheRightHalfsLastRowIsRoom034) {
    startWith({rec("034100100", "2026/12/05 21:00", "2026/12/05 22:00", "利用")});
    pressBoard(1, 70, 352);
    EXPECT_EQ(label11(), "034100100");
    EXPECT_EQ(roomBox()->currentText(), "034");
}

TEST_F(BoardClick, SelectingARecordKeepsTheDaysHighestGroupNumber) {
    startWith({rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00", "利用"),
               rec("002100300", "2026/12/05 21:00", "2026/12/05 22:00", "利用")});
    ASSERT_EQ(model().maxGroupNo(), 100300);
    clickAt(0, 70);
    EXPECT_EQ(label11(), "001100100");
    EXPECT_EQ(model().maxGroupNo(), 100300);
}

TEST_F(BoardClick, AClickHidesThePopupItLeftBefore) {
    startWith({rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00", "利用")});
    clickAt(0, 70);
    ASSERT_EQ(buttons(), "ENMDen");
    clickAt(0, 150);
    EXPECT_EQ(buttons(), "UR");
}

} // namespace
} // namespace kavro::test
