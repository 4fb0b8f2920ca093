// The 会計 window after a 精算 in a shop with prices, driven by the keyboard; and the amount
// the clerk sees beside the pop-up's 精算 and over the bar.
#include "charges/rate_file.h"
#include "sales/sales_ledger.h"
#include "support/flat_rates.h"
#include "support/selection_fixture.h"
#include "window/account_dialog.h"
#include "window/board_half.h"
#include "window/report/poppler_output.h"

#include <QCheckBox>
#include <QPrinter>
#include <QRegularExpression>

#include <QTest>

namespace kavro::test {
namespace {

// Room 003 from 20:00 to 22:00, notified: 3,000 + 2 × 1,000 yen.
const std::vector<std::string> kParty = {
    rec("003100700", "2026/12/05 20:00", "2026/12/05 21:00", "延長"),
    rec("003100701", "2026/12/05 21:00", "2026/12/05 21:30", "延長", "山田", "0.5"),
    rec("003100702", "2026/12/05 21:30", "2026/12/05 22:00", "通知", "山田", "0.5"),
};

class Account : public SelectionTest {
protected:
    void startPriced() {
        writeBytes(dir().path() / std::string(kRatesFileName), kFlatRates);
        startWith(kParty);
    }
    AccountDialog* dialog() { return form().findChild<AccountDialog*>("accountDialog"); }
    template <class T> T* in(const char* name) { return dialog()->findChild<T*>(name); }
    std::optional<StoredSale> sale(int receiptNo) {
        auto opened = SalesLedger::open(dir().path());
        return opened.ledger ? opened.ledger->sale(receiptNo).value : std::nullopt;
    }
};

TEST_F(Account, TheAmountStandsBesideTheBarAndThePopupsSettle) {
    startPriced();
    hoverBoard(0, 100, 60);
    EXPECT_TRUE(boardHalf(0)->toolTip().contains("合計　5,000円"))
        << boardHalf(0)->toolTip().toStdString();
    clickAt(2, 100);
    ASSERT_EQ(buttons(), "ESMes");
    auto* amount = named<QLabel>("lblCrdtAmount_0");
    EXPECT_FALSE(amount->isHidden());
    EXPECT_EQ(amount->text(), "5,000円");
    EXPECT_EQ(popupSettleButton(0)->text(), "精算");
    EXPECT_FALSE(amount->geometry().intersects(popupSettleButton(0)->geometry()));
}

TEST_F(Account, ShortCashIsRefusedAndEnterRecordsTheSale) {
    startPriced();
    clickAt(2, 100);
    click(settleButton());
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(in<QLabel>("totalLabel")->text(), "5,000円");
    EXPECT_EQ(in<QLabel>("taxLabel")->text(), "454円");

    auto* received = in<QLineEdit>("receivedBox");
    EXPECT_EQ(dialog()->focusWidget(), received);
    QTest::keyClicks(received, "3000");
    EXPECT_EQ(in<QLabel>("changeLabel")->text(), "不足 2,000円");
    QTest::keyClick(received, Qt::Key_Return);
    ASSERT_NE(dialog(), nullptr) << "short cash is never confirmed";
    EXPECT_EQ(in<QLabel>("problemLabel")->text(), "お預かり金額が合計に足りません");
    EXPECT_FALSE(sale(1));

    // A 10 % discount for a reason, then enough cash.
    QTest::keyClick(received, Qt::Key_Tab); // お支払い方法 stays 現金
    auto* kind = in<QComboBox>("discountKindBox");
    kind->setCurrentIndex(2);
    QTest::keyClicks(in<QLineEdit>("discountValueBox"), "10");
    in<QLineEdit>("discountReasonBox")->insert("会員"); // as the input method commits it
    EXPECT_EQ(in<QLabel>("totalLabel")->text(), "4,500円");
    received->clear();
    QTest::keyClicks(received, "10000");
    EXPECT_EQ(in<QLabel>("changeLabel")->text(), "5,500円");
    // And the receipt, saved where the clerk says.
    const QString pdf = QString::fromStdString((dir().path() / "receipt.pdf").string());
    form().setReceiptPrinterFunction([&](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        return true;
    });
    in<QCheckBox>("receiptCheck")->setChecked(true);
    QTest::keyClick(received, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialog(), nullptr);

    const auto stored = sale(1);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->input.bookingId, "003100702");
    EXPECT_EQ(stored->amounts.total, 4500);
    EXPECT_EQ(stored->amounts.change, 5500);
    EXPECT_EQ(stored->input.discount.reason, "会員");
    const QString receipt = popplerOutput("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    EXPECT_TRUE(receipt.contains("No. 000001")) << receipt.toStdString();
    EXPECT_TRUE(receipt.contains("4,500円"));
}

TEST_F(Account, EscClosesWithoutASaleAndTheMenuOpensItAgain) {
    startPriced();
    clickAt(2, 100);
    click(settleButton());
    ASSERT_NE(dialog(), nullptr);
    QTest::keyClick(in<QLineEdit>("receivedBox"), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_FALSE(sale(1));
    EXPECT_TRUE(readDay(kDay).back().ends_with(",精算"));

    // The party is 未会計: 会計 in the desk menu opens its window again.
    runMenuEntry("会計");
    ASSERT_NE(dialog(), nullptr);
    in<QComboBox>("methodBox")->setCurrentIndex(1); // クレジットカード: the exact total
    click(in<QPushButton>("confirmButton"));
    ASSERT_TRUE(sale(1));
    EXPECT_EQ(sale(1)->input.method, PaymentMethod::CreditCard);
}

// 領収書の再発行 (Ctrl+P): recorded first, then printed with 再発行 on the shop's 58 mm roll;
// a number without a sale is refused and nothing is recorded.
TEST_F(Account, AReprintIsRecordedAndPrintedOnTheShopsRoll) {
    writeBytes(dir().path() / "kavro-shop.txt",
               "# kavro shop settings, format 1\nname=ホテル テスト\npaper=58mm\n");
    startPriced();
    clickAt(2, 100);
    click(settleButton());
    in<QComboBox>("methodBox")->setCurrentIndex(1);
    click(in<QPushButton>("confirmButton"));
    ASSERT_TRUE(sale(1));

    const QString pdf = QString::fromStdString((dir().path() / "again.pdf").string());
    form().setReceiptPrinterFunction([&](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        return true;
    });
    int asked = 0;
    form().setReceiptNumberFunction([&](int offered) {
        EXPECT_EQ(offered, 1) << "the shown day's last receipt";
        return ++asked == 1 ? 1 : 7;
    });
    runMenuEntry("領収書の再発行");
    EXPECT_EQ(sale(1)->reprints, 1);
    const QString text = popplerOutput("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    EXPECT_TRUE(text.contains("領収書（再発行）")) << text.toStdString();
    EXPECT_TRUE(text.contains("No. 000001"));
    EXPECT_TRUE(popplerOutput("pdfinfo", {pdf}).contains(QRegularExpression("16[45][.0-9]* x 42")));

    runMenuEntry("領収書の再発行");
    EXPECT_EQ(lastMessageText(), "領収書 No. 7 の売上はありません。");
    EXPECT_EQ(sale(1)->reprints, 1);
}

} // namespace
} // namespace kavro::test
