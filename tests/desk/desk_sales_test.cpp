// The desk's 精算 with a rate table: the sales file hears of each settlement before the day
// file does, the 会計 is recorded when confirmed, and an undo voids it; without a rate table
// the desk settles as it always has.
#include "charges/rate_file.h"
#include "core/figures/summary_file.h"
#include "desk/desk_fixture.h"
#include "sales/sales_ledger.h"
#include "support/flat_rates.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

const SelectedBooking kExtension{"005100101", "2026/12/05 21:00", "2026/12/05 21:30"};

class DeskSales : public DeskTest {
protected:
    void writeRates(const std::string& text) {
        writeBytes(dir.path() / std::string(kRatesFileName), text);
    }
    // A party of room 005 from 20:00, extended to 21:30, notified: ready for 精算.
    void stayAndNotify(DeskModel& desk) {
        ASSERT_TRUE(desk.checkIn(panel("005", "20:00", "21:00", "山田")).stored);
        ASSERT_TRUE(desk.inputExtension(panel("005", "21:00", "21:30", "山田", "0.5"),
                                        {kExtension.id, "2026/12/05 20:00", "2026/12/05 21:00"})
                        .stored);
        ASSERT_TRUE(desk.notify(panel("005", "21:00", "21:30", "山田", "0.5"), kExtension).stored);
    }
    Outcome settle() {
        return model.settle(panel("005", "21:00", "21:30", "山田", "0.5"), kExtension);
    }
    bool answerYes(Reply reply) {
        if (!reply.question)
            return false;
        model.answer(true);
        return true;
    }
};

TEST_F(DeskSales, ASettledPartyIsSoldOnceConfirmedAndVoidedByAnUndo) {
    writeRates(kFlatRates);
    ASSERT_TRUE(model.startUp().notices.empty());
    ASSERT_NE(model.rateBook(), nullptr);
    ASSERT_NE(model.sales(), nullptr);
    stayAndNotify(model);

    const auto bill = model.billOf("005100100");
    ASSERT_TRUE(bill && bill->bill.priced());
    EXPECT_EQ(bill->bill.total, 4000) << "an hour, and a half hour begun";
    EXPECT_EQ(bill->minutes, 90);

    ASSERT_TRUE(settle().stored);
    auto checkout = model.takeCheckout();
    ASSERT_TRUE(checkout);
    EXPECT_FALSE(model.takeCheckout()) << "handed over once";
    EXPECT_EQ(checkout->draft.bookingId, kExtension.id);
    EXPECT_EQ(checkout->draft.room, 5);
    EXPECT_EQ(checkout->draft.lines, (std::vector<BillLine>{{"基本料金", 3000}, {"延長", 1000}}));

    SaleInput sale = checkout->draft;
    sale.received = 5000;
    const auto confirmed = model.confirmSale(*checkout, sale);
    ASSERT_FALSE(confirmed.error) << *confirmed.error;
    auto stored = model.sales()->sale(confirmed.value);
    ASSERT_TRUE(stored.value);
    EXPECT_EQ(stored.value->amounts.total, 4000);
    EXPECT_EQ(stored.value->amounts.taxIncluded, 363);
    EXPECT_EQ(stored.value->amounts.change, 1000);
    EXPECT_TRUE(model.confirmSale(*checkout, sale).error) << "a checkout is sold once";
    const auto takings = [&] {
        model.waitForSummary();
        return readSummaryFile(dir.path()).file.days.at(kDay).sales;
    };
    EXPECT_EQ(takings(), (DaySales{1, 4000, {1, 0, 0, 0}, {4000, 0, 0, 0}}));
    EXPECT_EQ(model.lastReceiptOfShownDay(), confirmed.value);
    EXPECT_EQ(model.reprintReceipt(confirmed.value).value.reprints, 1);

    // Ctrl+Z takes the 精算 back: the sale stays, voided.
    ASSERT_TRUE(answerYes(model.undo()));
    EXPECT_TRUE(lines().back().ends_with(",通知")) << lines().back();
    stored = model.sales()->sale(confirmed.value);
    EXPECT_TRUE(stored.value->voided);
    EXPECT_EQ(stored.value->voidReason, "元に戻す");
    EXPECT_EQ(takings(), DaySales{}) << "the void made the same day takes the sale back";
    EXPECT_TRUE(model.reprintReceipt(confirmed.value).error) << "no receipt for a voided sale";
    EXPECT_EQ(model.sales()->sale(confirmed.value).value->reprints, 1);

    // The redo settles again: a new 会計 is due for the party.
    ASSERT_TRUE(answerYes(model.redo()));
    const auto again = model.takeCheckout();
    ASSERT_TRUE(again);
    EXPECT_NE(again->intent, checkout->intent);
    EXPECT_FALSE(model.confirmSale(*again, sale).error);
}

TEST_F(DeskSales, AClosedCheckoutIsReportedUnpaidAtTheNextStart) {
    writeRates(kFlatRates);
    model.startUp();
    stayAndNotify(model);
    ASSERT_TRUE(settle().stored);
    ASSERT_TRUE(model.takeCheckout()); // the 会計 window closed without 確定

    DeskModel next{{[this] { return now; }, dir.path(), [] { return true; }}};
    const std::string told = texts(next.startUp());
    EXPECT_NE(told.find("未会計"), std::string::npos) << told;
    EXPECT_NE(told.find("5号室（005100101）"), std::string::npos) << told;

    // 会計 from the menu finds the party and sells it once.
    const auto checkout = next.unpaidCheckout("");
    ASSERT_TRUE(checkout);
    EXPECT_EQ(checkout->draft.bookingId, kExtension.id);
    SaleInput sale = checkout->draft;
    sale.method = PaymentMethod::CreditCard;
    EXPECT_FALSE(next.confirmSale(*checkout, sale).error);
    EXPECT_FALSE(next.unpaidCheckout(""));
}

// Another program takes a sold 精算 back: the sale is voided when the desk reads the day,
// not at the next start.
TEST_F(DeskSales, AnOutsideChangeIsHeldAgainstTheSalesFileAtOnce) {
    writeRates(kFlatRates);
    model.startUp();
    stayAndNotify(model);
    ASSERT_TRUE(settle().stored);
    const auto checkout = model.takeCheckout();
    ASSERT_TRUE(checkout);
    SaleInput sale = checkout->draft;
    sale.method = PaymentMethod::CreditCard;
    const int receipt = model.confirmSale(*checkout, sale).value;

    std::string bytes = readBytes(dayFile());
    const std::string settled = *encodeCp932(",精算\r\n"), notified = *encodeCp932(",通知\r\n");
    bytes.replace(bytes.rfind(settled), settled.size(), notified);
    writeBytes(dayFile(), bytes);
    const std::string told = texts(model.reload());
    EXPECT_NE(told.find("取消"), std::string::npos) << told;
    EXPECT_TRUE(model.sales()->sale(receipt).value->voided);
    EXPECT_EQ(journalOps().back(), JournalOp::Outside) << "the day read again, journal unchanged";
}

// The same day's work with and without a rate table leaves the same day file and journal.
TEST_F(DeskSales, PricesChangeNothingTheDayFilesHold) {
    TempDir unpriced;
    DeskModel plain{{[this] { return now; }, unpriced.path(), [] { return true; }}};
    writeRates(kFlatRates);
    for (DeskModel* desk : {&model, &plain}) {
        desk->startUp();
        stayAndNotify(*desk);
        ASSERT_TRUE(desk->settle(panel("005", "21:00", "21:30", "山田", "0.5"), kExtension).stored);
        ASSERT_TRUE(desk->undo().question);
        desk->answer(true);
    }
    EXPECT_FALSE(plain.takeCheckout());
    EXPECT_EQ(plain.sales(), nullptr);
    EXPECT_FALSE(fs::exists(unpriced.path() / std::string(kSalesFileName)));
    const fs::path other = dayFilePath(unpriced.path(), kDay);
    EXPECT_EQ(readBytes(dayFile()), readBytes(other));
    EXPECT_EQ(readBytes(journalPathFor(dayFile())), readBytes(journalPathFor(other)));
}

TEST_F(DeskSales, ABadRateFileIsNamedByItsLineAndNothingIsPriced) {
    writeRates("kavro-rates 1\n適用開始日 2026/01/01\n税率 十\n");
    const std::string told = texts(model.startUp());
    EXPECT_NE(told.find("3 行目"), std::string::npos) << told;
    EXPECT_NE(told.find("料金未設定"), std::string::npos) << told;
    EXPECT_EQ(model.rateBook(), nullptr);
    EXPECT_TRUE(model.ratesRefused());
    stayAndNotify(model);
    EXPECT_FALSE(model.billOf("005100100"));
    ASSERT_TRUE(settle().stored);
    EXPECT_FALSE(model.takeCheckout());

    // The rate window saves a sound file and the shop's name: the desk prices from then on,
    // and the next receipt carries the name.
    int changed = 0;
    QObject::connect(&model, &DeskModel::ratesChanged, [&] { ++changed; });
    writeRates(kFlatRates);
    ShopSettings shop;
    shop.name = "ホテル　テスト";
    ASSERT_FALSE(writeShopSettings(dir.path(), shop));
    model.reloadRates();
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(model.shop().name, shop.name);
    EXPECT_FALSE(model.ratesRefused());
    EXPECT_NE(model.sales(), nullptr);
    EXPECT_EQ(model.billOf("005100100")->bill.total, 4000);
}

} // namespace
} // namespace kavro::test
