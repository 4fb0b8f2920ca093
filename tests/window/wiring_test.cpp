// Each connection of the window proven once through real events: timers that fire under the
// fake clock, and clicks on the operation buttons and the booking list.
#include "support/selection_fixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

namespace kavro::test {
namespace {

const std::string kStay = rec("005100100", "2026/12/05 19:30", "2026/12/05 20:20", "利用");
const std::string kCalled = rec("005100100", "2026/12/05 19:30", "2026/12/05 20:20", "通知");
const std::string kReserved = rec("005100100", "2026/12/05 21:00", "2026/12/05 22:00", "予約");

class Wiring : public SelectionTest {
protected:
    void TearDown() override {
        if (QWidget* w = QApplication::focusWidget())
            w->clearFocus();
        form().hide();
    }
    void startShown(const std::vector<std::string>& lines) {
        startWith(lines);
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }
    static void click(QWidget* w) {
        ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
        QTest::mouseClick(w, Qt::LeftButton);
    }
};

TEST_F(Wiring, TheClockTimerTicksAndTheAlarmTimerBeeps) {
    startShown({kStay});
    EXPECT_EQ(form().clockTimer->interval(), 30000);
    EXPECT_TRUE(form().clockTimer->isActive());
    EXPECT_EQ(form().roomLabels[4]->palette().color(QPalette::Window), QColor(Qt::white));

    setNow(at(2026, 12, 5, 20, 10)); // ten minutes before the end
    form().clockTimer->start(5);     // the wiring, not the interval, is under test here
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().clockLabel->text() == "20:10"; }, 5000));
    EXPECT_EQ(form().roomLabels[4]->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0x00));
    form().clockTimer->stop();

    ASSERT_TRUE(form().alarmTimer->isActive());
    EXPECT_EQ(form().alarmTimer->interval(), 5000);
    const int beeps = world().beeps;
    form().alarmTimer->start(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return world().beeps >= beeps + 2; }, 5000));
}

struct ButtonCase {
    const char* name;
    std::string line;
    double clickX; // minutes into the board's window, from 19:00
    std::function<void(Form1&)> fill;
    QPushButton* Form1::*button;
    std::vector<std::string> after; // the day file; empty: see `check`
    std::function<bool(Form1&)> check;
};
void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.name; }

class WiringButton : public Wiring, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(WiringButton, AClickRunsItsOperation) {
    const ButtonCase& c = GetParam();
    startShown({c.line});
    form().board.start = at(2026, 12, 5, 19, 0);
    clickAt(4, c.clickX);
    if (c.fill)
        c.fill(form());
    click(form().*c.button);
    if (!c.after.empty()) {
        EXPECT_EQ(readDay(kDay), c.after);
    }
    if (c.check) {
        EXPECT_TRUE(c.check(form()));
    }
    EXPECT_TRUE(world().messages.empty()) << lastMessageText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, WiringButton,
    ::testing::Values(
        ButtonCase{"Extend",
                   kStay,
                   40,
                   {},
                   &Form1::extendButton,
                   {},
                   [](Form1& f) { return f.inputExtensionButton->isVisible(); }},
        ButtonCase{"Notify",
                   kStay,
                   40,
                   {},
                   &Form1::notifyButton,
                   {rec("005100100", "2026/12/05 19:30", "2026/12/05 20:20", "通知")},
                   {}},
        ButtonCase{"Settle",
                   kCalled,
                   40,
                   {},
                   &Form1::settleButton,
                   {rec("005100100", "2026/12/05 19:30", "2026/12/05 20:20", "精算")},
                   {}},
        ButtonCase{"Modify",
                   kReserved,
                   150,
                   [](Form1& f) { f.nameEdit->setText(QStringLiteral("佐藤")); },
                   &Form1::modifyButton,
                   {rec("005100100", "2026/12/05 21:00", "2026/12/05 22:00", "予約", "佐藤")},
                   {}},
        ButtonCase{"Delete",
                   kReserved,
                   150,
                   {},
                   &Form1::deleteButton,
                   {},
                   [](Form1& f) { return f.roomGrid.recordCount(4) == 0; }},
        ButtonCase{
            "CheckIn",
            kReserved,
            60,
            [](Form1& f) { f.nameEdit->setText(QStringLiteral("佐藤")); },
            &Form1::checkInButton,
            {kReserved, rec("005100200", "2026/12/05 20:00", "2026/12/05 21:00", "利用", "佐藤")},
            {}},
        ButtonCase{
            "Reserve",
            kReserved,
            60,
            [](Form1& f) { f.nameEdit->setText(QStringLiteral("佐藤")); },
            &Form1::reserveButton,
            {kReserved, rec("005100200", "2026/12/05 20:00", "2026/12/05 21:00", "予約", "佐藤")},
            {}},
        ButtonCase{
            "Cancel",
            kStay,
            40,
            {},
            &Form1::cancelButton,
            {},
            [](Form1& f) { return f.notifyButton->isHidden() && f.nameEdit->text().isEmpty(); }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Wiring, TypedBoxesKeepWhatWasTypedAndAreRefusedAsTyped) {
    startShown({kReserved});
    form().board.start = at(2026, 12, 5, 19, 0);
    clickAt(4, 60);
    form().nameEdit->setText(QStringLiteral("佐藤"));
    for (QComboBox* box : {form().unitBox, form().peopleBox}) {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), "0");
        EXPECT_EQ(box->currentText(), "0") << box->objectName().toStdString();
    }
    click(form().checkInButton);
    EXPECT_EQ(lastMessageTitle(), "入力エラー");
    EXPECT_EQ(readDay(kDay), std::vector<std::string>{kReserved});
}

TEST_F(Wiring, AClickOnTheBookingListSelectsThatRecord) {
    const std::string extended = rec("005100100", "2026/12/05 19:00", "2026/12/05 19:30", "延長");
    startShown({extended, kStay.substr(0, 7) + "01" + kStay.substr(9)});
    form().board.start = at(2026, 12, 5, 19, 0);
    clickAt(4, 40);
    ASSERT_EQ(form().bookingList->count(), 2);
    QListWidgetItem* first = form().bookingList->item(0);
    QTest::mouseClick(form().bookingList->viewport(), Qt::LeftButton, {},
                      form().bookingList->visualItemRect(first).center());
    EXPECT_EQ(form().selected.id, "005100100");
    EXPECT_EQ(label11(), "005100100");
}

} // namespace
} // namespace kavro::test
