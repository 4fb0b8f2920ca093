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
    // A real click, on a button that is on screen.
    static void click(QWidget* w) {
        ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
        QTest::mouseClick(w, Qt::LeftButton);
    }
};

TEST_F(Wiring, TheClockTimerTicksAndTheAlarmTimerBeeps) {
    startShown({kStay});
    EXPECT_EQ(clockTimer()->interval(), 30000);
    EXPECT_TRUE(clockTimer()->isActive());
    EXPECT_EQ(roomLabel(4)->palette().color(QPalette::Window), QColor(Qt::white));

    setNow(at(2026, 12, 5, 20, 10)); // ten minutes before the end
    clockTimer()->start(5);          // the wiring, not the interval, is under test here
    ASSERT_TRUE(QTest::qWaitFor([&] { return clockLabel()->text() == "20:10"; }, 5000));
    EXPECT_EQ(roomLabel(4)->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0x00));
    clockTimer()->stop();

    ASSERT_TRUE(alarmTimer()->isActive());
    EXPECT_EQ(alarmTimer()->interval(), 5000);
    const int beeps = world().beeps;
    alarmTimer()->start(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return world().beeps >= beeps + 2; }, 5000));
}

struct ButtonCase {
    const char* name;
    std::string line;
    double clickX;                  // minutes into the board's window, from 19:00
    const char* typed;              // the name typed before the click, if any
    const char* button;             // its design name
    std::vector<std::string> after; // the day file; empty: see `check`
    std::function<bool(const FormTest&)> check;
};
void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.name; }

class WiringButton : public Wiring, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(WiringButton, AClickRunsItsOperation) {
    const ButtonCase& c = GetParam();
    startShown({c.line});
    showBoardFrom(at(2026, 12, 5, 19, 0));
    clickAt(4, c.clickX);
    if (c.typed)
        nameEdit()->setText(QString::fromUtf8(c.typed));
    click(named<QPushButton>(c.button));
    if (!c.after.empty()) {
        EXPECT_EQ(readDay(kDay), c.after);
    }
    if (c.check) {
        EXPECT_TRUE(c.check(*this));
    }
    EXPECT_TRUE(world().messages.empty()) << lastMessageText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, WiringButton,
    ::testing::Values(
        ButtonCase{"Extend",
                   kStay,
                   40,
                   nullptr,
                   "Command2",
                   {},
                   [](const FormTest& f) { return f.inputExtensionButton()->isVisible(); }},
        ButtonCase{"Notify",
                   kStay,
                   40,
                   nullptr,
                   "Command3",
                   {rec("005100100", "2026/12/05 19:30", "2026/12/05 20:20", "通知")},
                   {}},
        ButtonCase{"Settle",
                   kCalled,
                   40,
                   nullptr,
                   "Command4",
                   {rec("005100100", "2026/12/05 19:30", "2026/12/05 20:20", "精算")},
                   {}},
        ButtonCase{"Modify",
                   kReserved,
                   150,
                   "佐藤",
                   "Command5",
                   {rec("005100100", "2026/12/05 21:00", "2026/12/05 22:00", "予約", "佐藤")},
                   {}},
        ButtonCase{"Delete",
                   kReserved,
                   150,
                   nullptr,
                   "Command8",
                   {},
                   [](const FormTest& f) { return f.model().records().recordCount(4) == 0; }},
        ButtonCase{
            "CheckIn",
            kReserved,
            60,
            "佐藤",
            "Command1",
            {kReserved, rec("005100200", "2026/12/05 20:00", "2026/12/05 21:00", "利用", "佐藤")},
            {}},
        ButtonCase{
            "Reserve",
            kReserved,
            60,
            "佐藤",
            "Command6",
            {kReserved, rec("005100200", "2026/12/05 20:00", "2026/12/05 21:00", "予約", "佐藤")},
            {}},
        ButtonCase{"Cancel",
                   kStay,
                   40,
                   nullptr,
                   "Command10",
                   {},
                   [](const FormTest& f) {
                       return f.notifyButton()->isHidden() && f.nameEdit()->text().isEmpty();
                   }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Wiring, TypedBoxesKeepWhatWasTypedAndAreRefusedAsTyped) {
    startShown({kReserved});
    showBoardFrom(at(2026, 12, 5, 19, 0));
    clickAt(4, 60);
    nameEdit()->setText(QStringLiteral("佐藤"));
    for (QComboBox* box : {unitBox(), peopleBox()}) {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), "0");
        EXPECT_EQ(box->currentText(), "0") << box->objectName().toStdString();
    }
    click(checkInButton());
    EXPECT_EQ(lastMessageTitle(), "入力エラー");
    EXPECT_EQ(readDay(kDay), std::vector<std::string>{kReserved});
}

TEST_F(Wiring, AClickOnTheBookingListSelectsThatRecord) {
    const std::string extended = rec("005100100", "2026/12/05 19:00", "2026/12/05 19:30", "延長");
    startShown({extended, kStay.substr(0, 7) + "01" + kStay.substr(9)});
    showBoardFrom(at(2026, 12, 5, 19, 0));
    clickAt(4, 40);
    ASSERT_EQ(bookingList()->count(), 2);
    QListWidgetItem* first = bookingList()->item(0);
    QTest::mouseClick(bookingList()->viewport(), Qt::LeftButton, {},
                      bookingList()->visualItemRect(first).center());
    EXPECT_EQ(selected().id, "005100100");
    EXPECT_EQ(label11(), "005100100");
}

} // namespace
} // namespace kavro::test
