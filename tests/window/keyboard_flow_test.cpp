// The entry panel from the keyboard: Tab through the fields and the offered operations,
// a function key for each operation on screen, Enter in the name box, and a name that does
// not fit said at once.
#include "support/entry_fixture.h"
#include "window/board_half.h"
#include "window/timetable_board.h"

#include <QInputMethodEvent>

namespace kavro::test {
namespace {

class KeyboardFlow : public EntryTest {
protected:
    // A free place of room 005 at 20:10, clicked: 利用 and 予約 are offered.
    void offerNewBooking(const std::vector<std::string>& lines = {}) {
        startWith(lines);
        showActive();
        BoardHalf* half = boardHalf(0);
        const double x = minuteDiff(board().span().start, at(2026, 12, 5, 20, 10)) + 0.2;
        QTest::mouseClick(half, Qt::LeftButton, {}, half->toPixels({x, 104}).toPoint());
        ASSERT_TRUE(checkInButton()->isVisible());
        nameEdit()->setFocus();
    }
    void imeEvent(const QString& preedit, const QString& commit) {
        QInputMethodEvent e(preedit, {});
        e.setCommitString(commit);
        QCoreApplication::sendEvent(nameEdit(), &e);
    }
    void key(Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QTest::qWait(150); // a button's key clicks it the way a click looks (animated)
    }
    // Around the whole Tab chain, from the people box back to it: each stop looks different
    // with the focus. Returns the stops.
    std::vector<QWidget*> tabAround() {
        std::vector<QWidget*> stops;
        peopleBox()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab); // focus arrives by keyboard
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        do {
            QWidget* stop = focused();
            const QImage withFocus = stop->grab().toImage();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_NE(stop->grab().toImage(), withFocus) << stop->objectName().toStdString();
            stops.push_back(stop);
        } while (focused() != peopleBox() && stops.size() < 40);
        return stops;
    }
    std::string savedStatus() {
        const auto lines = day();
        return lines.empty() ? "" : parseFields(lines.back()).status;
    }
};

TEST_F(KeyboardFlow, TabFollowsThePanelThenTheOfferedOperations) {
    offerNewBooking();
    peopleBox()->setFocus();
    std::vector<QWidget*> stops;
    for (int i = 0; i < 10; ++i) {
        stops.push_back(focused());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const std::vector<QWidget*> expected{peopleBox(), startEdit(),     unitBox(),
                                         endEdit(),   roomBox(),       nameEdit(),
                                         statusBox(), checkInButton(), reserveButton()};
    EXPECT_EQ(std::vector<QWidget*>(stops.begin(), stops.begin() + 9), expected);
}

TEST_F(KeyboardFlow, EveryStopShowsItsFocus) {
    // Room 005 holds a stay until 20:00; the place at 20:10 is free.
    offerNewBooking({"005100100,2026/12/05 19:00,1,2026/12/05 20:00,2,005,山田,利用"});
    const auto free = tabAround(); // the booking list is empty: no stop
    EXPECT_EQ(std::count(free.begin(), free.end(), bookingList()), 0);
    // The bar of room 005 clicked: its party listed.
    QTest::mouseClick(boardHalf(0), Qt::LeftButton, {},
                      boardHalf(0)->toPixels({40, 104}).toPoint());
    const auto listed = tabAround();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), bookingList()), 1);
}

struct EnterCase {
    const char* name;
    bool checkInOffered;
    const char* preedit; // a conversion still open when Enter comes
    const char* saved;   // the status saved, "" for nothing
};
void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.name; }

class EnterInTheNameBox : public KeyboardFlow, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterInTheNameBox, RunsTheFirstOfferedOperation) {
    const EnterCase& c = GetParam();
    offerNewBooking();
    if (!c.checkInOffered)
        checkInButton()->hide();
    imeEvent(QString::fromUtf8(c.preedit), QString());
    if (!*c.preedit)
        imeEvent({}, QStringLiteral("山田"));
    key(Qt::Key_Return);
    EXPECT_EQ(savedStatus(), c.saved);
    EXPECT_TRUE(world().messages.empty()) << lastMessageText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Offers, EnterInTheNameBox,
                         ::testing::Values(EnterCase{"CheckIn", true, "", "利用"},
                                           EnterCase{"ReservationWithoutCheckIn", false, "",
                                                     "予約"},
                                           EnterCase{"NotDuringAConversion", true, "やまだ", ""}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(KeyboardFlow, EnterDoesNothingWhenNothingIsOffered) {
    startWith({});
    showActive();
    nameEdit()->setFocus();
    imeEvent({}, QStringLiteral("山田"));
    key(Qt::Key_Return);
    EXPECT_TRUE(day().empty());
    EXPECT_TRUE(world().messages.empty());
}

TEST_F(KeyboardFlow, FunctionKeysWorkForTheButtonsOnScreenOnly) {
    offerNewBooking();
    imeEvent({}, QStringLiteral("山田"));
    key(Qt::Key_F9); // 削除 is not offered
    key(Qt::Key_F3); // nor 通知
    EXPECT_TRUE(day().empty());
    key(Qt::Key_F1);
    EXPECT_EQ(savedStatus(), "利用");
    EXPECT_EQ(checkInButton()->toolTip(), "利用 (F1)");
    EXPECT_EQ(notifyButton()->toolTip(), "10分前コールのした後 (F3)");
    EXPECT_EQ(cancelButton()->toolTip(), "キャンセル (Esc)");
    EXPECT_TRUE(exitButton()->shortcut().isEmpty());
}

TEST_F(KeyboardFlow, EscCancels) {
    offerNewBooking();
    key(Qt::Key_Escape);
    EXPECT_FALSE(checkInButton()->isVisible());
    EXPECT_FALSE(reserveButton()->isVisible());
}

TEST_F(KeyboardFlow, ANameThatDoesNotFitIsSaidAtOnceAndNeverStored) {
    offerNewBooking();
    const QString caption = nameCaption()->text();
    imeEvent({}, QStringLiteral("東京特許許可局"));
    EXPECT_EQ(nameEdit()->text(), "東京特許許");
    EXPECT_TRUE(nameCaption()->text().contains("「可局」")) << nameCaption()->text().toStdString();
    EXPECT_FALSE(nameEdit()->styleSheet().isEmpty()) << "no frame";
    key(Qt::Key_Backspace); // room again: the notice goes
    EXPECT_EQ(nameCaption()->text(), caption);
    QTest::keyClicks(nameEdit(), "ab"); // a typed key that does not fit is said too
    EXPECT_TRUE(nameCaption()->text().contains("「b」"));
    key(Qt::Key_F1);
    EXPECT_EQ(parseFields(day().back()).name, "東京特許a");
    EXPECT_EQ(nameCaption()->text(), caption) << "the cleared panel has room";
}

} // namespace
} // namespace kavro::test
