#include "sales/sales_ledger.h"
#include "support/sold_party.h"
#include "support/temp_dir.h"
#include "window/settings/day_close_window.h"
#include "window/settings/messages.h"

#include <QDateEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace kavro::test {
namespace {

const Date kDay{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};
const Date kNextDay = addDays(kDay, 1);

// A sales file made here: on the day three sales (one with a discount), one of them voided
// the same night; the next day a sale and the void of the day's first sale.
struct DayClosing : ::testing::Test {
    TempDir dir;
    std::unique_ptr<SalesLedger> ledger = SalesLedger::open(dir.path()).ledger;
    Messages messages;
    int nextId = 1;

    void sell(int room, DateTime when, long long amount, PaymentMethod method,
              Discount discount = {}) {
        const std::string id = QStringLiteral("%1%2")
                                   .arg(room, 3, 10, QChar('0'))
                                   .arg(nextId++, 6, 10, QChar('0'))
                                   .toStdString();
        sellParty(*ledger, {kDay, id, room}, when, amount, method, 120, discount);
    }
    void voidSale(int receipt, DateTime when) {
        const StoredSale sold = *ledger->sale(receipt).value;
        const auto intent = ledger->openIntent(
            IntentKind::Void, {kDay, sold.input.bookingId, sold.input.room}, receipt, "取消", when);
        ASSERT_EQ(ledger->completeVoid(intent.value, when), std::nullopt);
    }
    void SetUp() override {
        ASSERT_NE(ledger, nullptr);
        sell(1, makeDateTime(kDay, 21, 30), 4800, PaymentMethod::Cash);
        sell(2, makeDateTime(kDay, 23, 10), 8000, PaymentMethod::CreditCard,
             {DiscountKind::Fixed, 1000, "会員"});
        sell(3, makeDateTime(kNextDay, 3, 0), 3300, PaymentMethod::Cash);
        voidSale(3, makeDateTime(kNextDay, 4, 0));
        sell(4, makeDateTime(kNextDay, 10, 0), 5500, PaymentMethod::QrCode);
        voidSale(1, makeDateTime(kNextDay, 11, 0));
    }
    std::map<QString, QString> figures(DayCloseWindow& w) {
        std::map<QString, QString> out;
        QTableWidget* table = w.findChild<QTableWidget*>(QStringLiteral("closeTable"));
        for (int r = 0; r < table->rowCount(); ++r)
            out[table->item(r, 0)->text().trimmed()] = table->item(r, 1)->text();
        return out;
    }
};

TEST_F(DayClosing, ShowsTheDaysTakingsByMethodWithDiscountsVoidsAndTheCashInTheDrawer) {
    DayCloseWindow w(*ledger, {}, kDay, messages.function());
    auto f = figures(w);
    EXPECT_EQ(f[QStringLiteral("売上合計（税込）")], QStringLiteral("11,800円"));
    EXPECT_EQ(f[QStringLiteral("内消費税")], QStringLiteral("1,072円")); // 436 + 636
    EXPECT_EQ(f[QStringLiteral("組数")], QStringLiteral("2 組"));
    EXPECT_EQ(f[QStringLiteral("客単価")], QStringLiteral("5,900円"));
    EXPECT_EQ(f[QStringLiteral("現金")], QStringLiteral("1 組　4,800円"));
    EXPECT_EQ(f[QStringLiteral("クレジットカード")], QStringLiteral("1 組　7,000円"));
    EXPECT_EQ(f[QStringLiteral("QRコード決済")], QStringLiteral("0 組　0円"));
    EXPECT_EQ(f[QStringLiteral("値引き")], QStringLiteral("1 件　1,000円"));
    EXPECT_EQ(f[QStringLiteral("取消")], QStringLiteral("1 件　3,300円"));
    EXPECT_EQ(f[QStringLiteral("現金の在高（釣銭準備金を除く）")], QStringLiteral("4,800円"));
    EXPECT_EQ(f[QStringLiteral("領収書番号")], QStringLiteral("1 ～ 3"));
    EXPECT_TRUE(messages.shown.empty());

    // The next day paid back the first day's cash sale from its drawer.
    w.findChild<QDateEdit*>(QStringLiteral("closeDateEdit"))->setDate(QDate(2026, 12, 6));
    f = figures(w);
    EXPECT_EQ(f[QStringLiteral("売上合計（税込）")], QStringLiteral("700円"));
    EXPECT_EQ(f[QStringLiteral("取消")],
              QStringLiteral("1 件　4,800円（うち前日までの売上 1 件）"));
    EXPECT_EQ(f[QStringLiteral("現金の在高（釣銭準備金を除く）")], QStringLiteral("-4,800円"));
}

TEST_F(DayClosing, TheSavedPdfHoldsTheShopTheDayAndItsFigures) {
    ShopSettings shop;
    shop.name = "ホテル カブロ";
    DayCloseWindow w(*ledger, shop, kDay, messages.function());
    const QString pdf = QString::fromStdString((dir / "close.pdf").string());
    w.setSavePathFunction([&](const QString&, const QString& suggested, const QString&) {
        EXPECT_TRUE(suggested.endsWith(QStringLiteral("日計_2026-12-05.pdf")));
        return pdf;
    });
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("pdfCloseButton")), Qt::LeftButton);
    ASSERT_TRUE(messages.shown.empty()) << messages.last().toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"日計表", "2026/12/05", "ホテル カブロ", "11,800", "1,072",
                                 "クレジットカード", "4,800", "取消"})
        EXPECT_TRUE(out.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                               << out.toStdString();
}

TEST_F(DayClosing, APdfThatCannotBeWrittenIsSaidSo) {
    DayCloseWindow w(*ledger, {}, kDay, messages.function());
    EXPECT_FALSE(w.savePdf(QString::fromStdString((dir / "no-such-folder" / "x.pdf").string())));
    EXPECT_TRUE(messages.last().contains(QStringLiteral("PDFファイルを書き込めません")));
}

} // namespace
} // namespace kavro::test
