// The whole road of a stay, driven through the window's own events as the desk uses it:
// a click on a free place, a typed name, "利用"; the alarm; "通知" from the pop-up; "延長"
// and "入力"; "精算". The day file is checked after every step.
#include "support/form_fixture.h"
#include "window/board_half.h"
#include "window/timetable_board.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kavro::test {
namespace {

class RoadOfACheckIn : public FormTest {
protected:
    static constexpr int kRoom005Row = 4;

    // A press on the left half at board units, through the widget's mouse event.
    void clickBoard(double x, double y) {
        BoardHalf* half = boardHalf(0);
        QTest::mouseClick(half, Qt::LeftButton, {}, half->toPixels({x, y}).toPoint());
    }
    double rowY() const { return 20.0 * kRoom005Row + 24; }

    QColor room5Colour() { return roomLabel(4)->palette().color(QPalette::Window); }
    std::vector<std::string> day() const { return readDay(ymd(2026, 12, 5)); }

    // A board x for a time, with the window as the last tick left it.
    double xOf(DateTime t) { return static_cast<double>(minuteDiff(board().span().start, t)); }
};

TEST_F(RoadOfACheckIn, FromAFreePlaceToTheSettledBar) {
    start();
    form().show();

    // 1. A free place in room 005's row at 20:10: the panel is prepared for a new booking.
    clickBoard(xOf(at(2026, 12, 5, 20, 10)) + 0.2, rowY());
    EXPECT_EQ(roomBox()->currentText(), "005");
    EXPECT_EQ(startEdit()->text(), "20:10");
    EXPECT_EQ(endEdit()->text(), "21:10");
    EXPECT_TRUE(checkInButton()->isVisibleTo(&form()));
    EXPECT_TRUE(reserveButton()->isVisibleTo(&form()));

    // 2. The name and "利用".
    typeName("山田");
    EXPECT_EQ(nameEdit()->text(), "山田");
    QTest::mouseClick(checkInButton(), Qt::LeftButton);
    ASSERT_EQ(day(), (std::vector<std::string>{
                         "005100100,2026/12/05 20:10,1,2026/12/05 21:10,2,005,山田,利用"}));
    EXPECT_TRUE(checkInButton()->isHidden());

    // 3. Eleven minutes before the end the label turns yellow and the alarm sounds.
    const int beepsBefore = world().beeps;
    tickAt(at(2026, 12, 5, 20, 59, 0));
    EXPECT_EQ(room5Colour(), QColor(0xFF, 0xFF, 0x00));
    EXPECT_GT(world().beeps, beepsBefore);
    EXPECT_TRUE(alarmTimer()->isActive());

    // 4. The call is made: the bar, then "通知" from the pop-up.
    clickBoard(xOf(at(2026, 12, 5, 20, 30)), rowY());
    ASSERT_TRUE(popupNotifyButton(0)->isVisibleTo(&form()));
    QTest::mouseClick(popupNotifyButton(0), Qt::LeftButton);
    ASSERT_EQ(day(), (std::vector<std::string>{
                         "005100100,2026/12/05 20:10,1,2026/12/05 21:10,2,005,山田,通知"}));
    EXPECT_EQ(room5Colour(), QColor(0xFF, 0xDD, 0xDD));
    EXPECT_FALSE(alarmTimer()->isActive()) << "the notified room is quiet";

    // 5. The party stays half an hour longer: "延長" from the pop-up, then "入力".
    clickBoard(xOf(at(2026, 12, 5, 20, 30)), rowY());
    ASSERT_TRUE(popupExtendButton(0)->isVisibleTo(&form()));
    QTest::mouseClick(popupExtendButton(0), Qt::LeftButton);
    EXPECT_EQ(selectedIdLabel()->text(), "005100101");
    EXPECT_EQ(startEdit()->text(), "21:10");
    EXPECT_EQ(endEdit()->text(), "21:40");
    EXPECT_EQ(day().size(), 1u) << "nothing is written before 入力";
    QTest::mouseClick(inputExtensionButton(), Qt::LeftButton);
    ASSERT_EQ(day(), (std::vector<std::string>{
                         "005100100,2026/12/05 20:10,1,2026/12/05 21:10,2,005,山田,延長",
                         "005100101,2026/12/05 21:10,0.5,2026/12/05 21:40,2,005,山田,利用"}));

    // 6. The extended stay gets its call, then the party pays and leaves.
    tickAt(at(2026, 12, 5, 21, 31, 0));
    EXPECT_EQ(room5Colour(), QColor(0xFF, 0xFF, 0x00));
    clickBoard(xOf(at(2026, 12, 5, 21, 25)), rowY());
    QTest::mouseClick(popupNotifyButton(0), Qt::LeftButton);
    clickBoard(xOf(at(2026, 12, 5, 21, 25)), rowY());
    ASSERT_TRUE(popupSettleButton(0)->isVisibleTo(&form()));
    QTest::mouseClick(popupSettleButton(0), Qt::LeftButton);
    ASSERT_EQ(day(), (std::vector<std::string>{
                         "005100100,2026/12/05 20:10,1,2026/12/05 21:10,2,005,山田,精算",
                         "005100101,2026/12/05 21:10,0.5,2026/12/05 21:40,2,005,山田,精算"}));
    EXPECT_EQ(room5Colour(), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_FALSE(alarmTimer()->isActive());

    // 7. The bars are blue now: sample the first record's fill left of its texts.
    const QImage image = boardHalf(0)->render();
    const QPoint fill = boardHalf(0)->toPixels({xOf(at(2026, 12, 5, 20, 13)), rowY()}).toPoint();
    EXPECT_EQ(image.pixelColor(fill), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(groupsLabel()->text(), "1組");
    EXPECT_EQ(peopleLabel()->text(), "2人");
    EXPECT_EQ(minutesLabel()->text(), "1：30");
}

} // namespace
} // namespace kavro::test
