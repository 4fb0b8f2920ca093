// 料金設定 and 日計 reached from the main window's desk menu.
#include "support/form_fixture.h"

#include "sales/sales_ledger.h"
#include "window/settings/day_close_window.h"
#include "window/settings/rates_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace kavro::test {
namespace {

class SettingsEntryTest : public FormTest {
protected:
    void showForm() {
        form().show();
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }
    // Answers the PIN question the desk opens next, setting the PIN the first time.
    static void answerPin(const char* pin) {
        QTimer::singleShot(0, [pin] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            for (const char* name : {"pinEdit", "confirmPinEdit"})
                if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name)))
                    edit->setText(QString::fromLatin1(pin));
            dialog->findChild<QPushButton*>(QStringLiteral("pinOkButton"))->click();
            if (dialog->isVisible())
                dialog->close(); // refused: the desk's question ends here
        });
    }
};

TEST_F(SettingsEntryTest, EachHasAKeyOfItsOwnInTheDeskMenu) {
    start();
    std::vector<QKeySequence> keys;
    for (QAction* a : deskMenu()->actions())
        if (!a->shortcut().isEmpty())
            keys.push_back(a->shortcut());
    EXPECT_EQ(menuEntry(QStringLiteral("料金設定"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_EQ(menuEntry(QStringLiteral("日計"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << "a key used twice";
}

TEST_F(SettingsEntryTest, TheRatesSavedAfterThePinAreWhatTheDeskPricesFrom) {
    start();
    showForm();
    EXPECT_EQ(model().rateBook(), nullptr);
    answerPin("2468");
    QTest::keyClick(&form(), Qt::Key_L, Qt::ControlModifier);
    auto* rates = form().findChild<RatesWindow*>();
    ASSERT_NE(rates, nullptr);
    EXPECT_TRUE(rates->isWindow());
    rates->findChild<QSpinBox*>(QStringLiteral("restFirstPrice"))->setValue(3000);
    QTest::mouseClick(rates->findChild<QPushButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
    ASSERT_NE(model().rateBook(), nullptr) << "read again after the save";
    EXPECT_EQ(model().rateBook()->tables.at(0).classes.at(0).rates[0].rest->firstPrice, 3000);
    rates->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().findChild<RatesWindow*>() == nullptr; }, 2000));

    // Later the PIN is asked for: a wrong one keeps the window shut.
    answerPin("1357");
    menuEntry(QStringLiteral("料金設定"))->trigger();
    EXPECT_EQ(form().findChild<RatesWindow*>(), nullptr);
    ASSERT_FALSE(world().messages.empty());
    EXPECT_EQ(world().messages.back().text, QStringLiteral("暗証番号が違います"));
}

TEST_F(SettingsEntryTest, TheDaysCloseOpensOnTheShownDayOnceThereIsASalesFile) {
    start();
    showForm();
    QTest::keyClick(&form(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(form().findChild<DayCloseWindow*>(), nullptr);
    ASSERT_FALSE(world().messages.empty());
    EXPECT_TRUE(world().messages.back().text.contains(QStringLiteral("売上の記録がありません")));

    ASSERT_NE(SalesLedger::open(dir().path()).ledger, nullptr);
    restart();
    showForm();
    menuEntry(QStringLiteral("日計"))->trigger();
    auto* close = form().findChild<DayCloseWindow*>();
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isWindow());
    EXPECT_EQ(close->dayClose().date, ymd(2026, 12, 5));
}

} // namespace
} // namespace kavro::test
