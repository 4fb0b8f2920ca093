// The entry panel from the keyboard: Tab through the fields and the offered operations,
// a function key for each operation on screen, Enter in the name box, and a name that does
// not fit said at once.
#include "board/board_half.h"
#include "entry/entry_fixture.h"

#include <QInputMethodEvent>

namespace kavro::test {
namespace {

class KeyboardFlow : public EntryTest {
protected:
    // A free place of room 005 at 20:10, clicked: 利用 and 予約 are offered.
    void offerNewBooking() {
        startWith({});
        showActive();
        BoardHalf* half = form().boardHalves[0];
        const double x = minuteDiff(form().board.start, at(2026, 12, 5, 20, 10)) + 0.2;
        QTest::mouseClick(half, Qt::LeftButton, {}, half->toPixels({x, 104}).toPoint());
        ASSERT_TRUE(form().checkInButton->isVisible());
        form().nameEdit->setFocus();
    }
    void imeEvent(const QString& preedit, const QString& commit) {
        QInputMethodEvent e(preedit, {});
        e.setCommitString(commit);
        QCoreApplication::sendEvent(form().nameEdit, &e);
    }
    void key(Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QTest::qWait(150); // a button's key clicks it the way a click looks (animated)
    }
    // Around the whole Tab chain, from the people box back to it: each stop looks different
    // with the focus. Returns the stops.
    std::vector<QWidget*> tabAround() {
        Form1& f = form();
        std::vector<QWidget*> stops;
        f.peopleBox->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab); // focus arrives by keyboard
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        do {
            QWidget* stop = focused();
            const QImage withFocus = stop->grab().toImage();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_NE(stop->grab().toImage(), withFocus) << stop->objectName().toStdString();
            stops.push_back(stop);
        } while (focused() != f.peopleBox && stops.size() < 40);
        return stops;
    }
    std::string savedStatus() {
        const auto lines = day();
        return lines.empty() ? "" : parseFields(lines.back()).status;
    }
};

TEST_F(KeyboardFlow, TabFollowsThePanelThenTheOfferedOperations) {
    offerNewBooking();
    form().peopleBox->setFocus();
    std::vector<QWidget*> stops;
    for (int i = 0; i < 10; ++i) {
        stops.push_back(focused());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    Form1& f = form();
    const std::vector<QWidget*> expected{f.peopleBox, f.startEdit,     f.unitBox,
                                         f.endEdit,   f.roomBox,       f.nameEdit,
                                         f.statusBox, f.checkInButton, f.reserveButton};
    EXPECT_EQ(std::vector<QWidget*>(stops.begin(), stops.begin() + 9), expected);
}

TEST_F(KeyboardFlow, EveryStopShowsItsFocus) {
    offerNewBooking(); // the booking list is empty: no stop
    const auto free = tabAround();
    EXPECT_EQ(std::count(free.begin(), free.end(), form().bookingList), 0);
    // A bar of room 005 clicked: its party listed.
    writeDay(kDay, {"005100100,2026/12/05 19:00,1,2026/12/05 20:00,2,005,山田,利用"});
    form().loadDay();
    QTest::mouseClick(form().boardHalves[0], Qt::LeftButton, {},
                      form().boardHalves[0]->toPixels({40, 104}).toPoint());
    const auto listed = tabAround();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), form().bookingList), 1);
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
        form().checkInButton->hide();
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
    form().nameEdit->setFocus();
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
    EXPECT_EQ(form().checkInButton->toolTip(), "利用 (F1)");
    EXPECT_EQ(form().notifyButton->toolTip(), "10分前コールのした後 (F3)");
    EXPECT_EQ(form().cancelButton->toolTip(), "キャンセル (Esc)");
    EXPECT_TRUE(form().exitButton->shortcut().isEmpty());
}

TEST_F(KeyboardFlow, EscCancels) {
    offerNewBooking();
    key(Qt::Key_Escape);
    EXPECT_FALSE(form().checkInButton->isVisible());
    EXPECT_FALSE(form().reserveButton->isVisible());
}

TEST_F(KeyboardFlow, ANameThatDoesNotFitIsSaidAtOnceAndNeverStored) {
    offerNewBooking();
    const QString caption = form().nameCaption->text();
    imeEvent({}, QStringLiteral("東京特許許可局"));
    EXPECT_EQ(form().nameEdit->text(), "東京特許許");
    EXPECT_TRUE(form().nameCaption->text().contains("「可局」"))
        << form().nameCaption->text().toStdString();
    EXPECT_FALSE(form().nameEdit->styleSheet().isEmpty()) << "no frame";
    key(Qt::Key_Backspace); // room again: the notice goes
    EXPECT_EQ(form().nameCaption->text(), caption);
    QTest::keyClicks(form().nameEdit, "ab"); // a typed key that does not fit is said too
    EXPECT_TRUE(form().nameCaption->text().contains("「b」"));
    key(Qt::Key_F1);
    EXPECT_EQ(parseFields(day().back()).name, "東京特許a");
    EXPECT_EQ(form().nameCaption->text(), caption) << "the cleared panel has room";
}

} // namespace
} // namespace kavro::test
