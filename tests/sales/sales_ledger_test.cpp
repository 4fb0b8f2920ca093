#include "core/retention/day_purge.h"
#include "sales/desk_day.h"
#include "sales/sales_ledger.h"
#include "sales/sales_schema.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

using test::kSalesNow;
using test::saleFor;

struct SalesFile : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<SalesLedger> ledger = SalesLedger::open(dir.path()).ledger;

    BookingRef booking(int room) {
        return {test::kSalesDay, saleFor(room, kSalesNow).bookingId, room};
    }
    int sell(int room, long long amount = 4800) {
        const auto intent =
            ledger->openIntent(IntentKind::Settle, booking(room), {}, "", kSalesNow);
        const auto receipt =
            ledger->confirmSale(intent.value, saleFor(room, kSalesNow, amount), kSalesNow);
        EXPECT_EQ(receipt.error, std::nullopt);
        return receipt.value;
    }
};

TEST_F(SalesFile, OpensWithTheWriteAheadLogFullSyncForeignKeysAndItsSchema) {
    ASSERT_TRUE(ledger);
    SqliteDb& db = ledger->database();
    EXPECT_EQ(db.pragmaText("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(db.pragmaInteger("PRAGMA synchronous"), 2); // FULL
    EXPECT_EQ(db.pragmaInteger("PRAGMA foreign_keys"), 1);
    EXPECT_EQ(db.pragmaInteger("PRAGMA user_version"), kSalesSchemaVersion);
    EXPECT_EQ(db.pragmaInteger("PRAGMA application_id"), kSalesApplicationId);
    ledger.reset();
    EXPECT_TRUE(SalesLedger::open(dir.path()).ledger) << "a second start opens it again";
}

TEST(SalesFileRefusal, ALaterSchemaAnotherDatabaseOrNoDatabaseIsNeverWritten) {
    const std::pair<const char*, void (*)(const std::filesystem::path&)> rows[] = {
        {"later schema",
         [](const auto& file) {
             SqliteDb(file).exec("PRAGMA application_id = " + std::to_string(kSalesApplicationId) +
                                 "; PRAGMA user_version = 99; CREATE TABLE t (x)");
         }},
        {"another program's", [](const auto& file) { SqliteDb(file).exec("CREATE TABLE t (x)"); }},
        {"text", [](const auto& file) { test::writeBytes(file, "これは売上ではありません\n"); }},
    };
    for (const auto& [label, make] : rows) {
        test::TempDir dir;
        const auto file = dir / std::string(kSalesFileName);
        make(file);
        const std::string before = test::readBytes(file);
        const auto opened = SalesLedger::open(dir.path());
        EXPECT_FALSE(opened.ledger) << label;
        EXPECT_NE(opened.error.value_or("").find("売上ファイル（kavro-sales.db）"),
                  std::string::npos)
            << label << ": " << opened.error.value_or("(none)");
        EXPECT_EQ(test::readBytes(file), before) << label;
    }
}

TEST_F(SalesFile, ASaleReadsBackAsConfirmedWithConsecutiveReceiptNumbers) {
    EXPECT_EQ(sell(1), 1);
    SaleInput in = saleFor(2, kSalesNow, 7000);
    in.method = PaymentMethod::QrCode;
    in.discount = {DiscountKind::Percent, 10, "会員"};
    const auto intent = ledger->openIntent(IntentKind::Settle, booking(2), {}, "", kSalesNow);
    EXPECT_EQ(ledger->confirmSale(intent.value, in, kSalesNow).value, 2);
    const auto stored = ledger->sale(2).value;
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->businessDate, test::kSalesDay);
    in.received = 6300; // the total, for a QR payment
    EXPECT_EQ(stored->input, in);
    EXPECT_EQ(stored->amounts, (SaleAmounts{7000, 700, 6300, 572, 6300, 0}));
    EXPECT_FALSE(stored->voided);
    EXPECT_EQ(sell(3), 3);
}

TEST_F(SalesFile, AConfirmationIsRefusedOnceTheIntentIsClosedOrForAnotherBooking) {
    const auto intent = ledger->openIntent(IntentKind::Settle, booking(1), {}, "", kSalesNow);
    EXPECT_TRUE(ledger->confirmSale(intent.value, saleFor(2, kSalesNow), kSalesNow).error);
    EXPECT_EQ(ledger->confirmSale(intent.value, saleFor(1, kSalesNow), kSalesNow).value, 1);
    EXPECT_TRUE(ledger->confirmSale(intent.value, saleFor(1, kSalesNow), kSalesNow).error)
        << "never a second sale for one settlement";
    const auto other = ledger->openIntent(IntentKind::Settle, booking(3), {}, "", kSalesNow);
    ledger->abandonIntent(other.value, kSalesNow);
    EXPECT_TRUE(ledger->confirmSale(other.value, saleFor(3, kSalesNow), kSalesNow).error);
}

TEST_F(SalesFile, SettlingABookingAgainVoidsItsStaleSaleAndSupersedesItsOpenIntent) {
    const int stale = sell(4);
    const auto first = ledger->openIntent(IntentKind::Settle, booking(4), {}, "", kSalesNow);
    const auto second = ledger->openIntent(IntentKind::Settle, booking(4), {}, "", kSalesNow);
    EXPECT_TRUE(ledger->sale(stale).value->voided);
    const auto open = ledger->openIntents().value;
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].id, second.value);
    EXPECT_NE(first.value, second.value);
}

TEST_F(SalesFile, NothingStoredCanBeChangedOrDeletedNorAReceiptNumberSkipped) {
    sell(1);
    sell(2);
    const auto v = ledger->openIntent(IntentKind::Void, booking(2), 2, "取消", kSalesNow);
    ledger->completeVoid(v.value, kSalesNow);
    ledger->recordReprint(1, kSalesNow);
    const char* attempts[] = {
        "UPDATE sales SET total = 0, subtotal = 0 WHERE receipt_no = 1",
        "DELETE FROM sales WHERE receipt_no = 2",
        "UPDATE sale_lines SET amount = 1",
        "DELETE FROM sale_lines",
        "DELETE FROM voids",
        "UPDATE voids SET reason = 'x'",
        "DELETE FROM reprints",
        "DELETE FROM intents",
        "UPDATE intent_outcomes SET outcome = 'abandoned'",
        "INSERT INTO sales SELECT 9, business_date, sold_at, booking_date, booking_id, room, "
        "minutes, "
        "people, plan, line_count, subtotal, discount_kind, discount_value, discount_amount, "
        "discount_reason, total, tax_rate, tax_included, method, received, change_given "
        "FROM sales WHERE receipt_no = 1",
        "INSERT INTO sale_lines VALUES (1, 3, '追加', 100)",
    };
    SqliteDb raw(dir / std::string(kSalesFileName));
    for (const char* sql : attempts)
        EXPECT_THROW(raw.exec(sql), SqlFailure) << sql;
    const auto first = ledger->sale(1).value;
    EXPECT_EQ(first->amounts.total, 4800);
    EXPECT_EQ(first->input.lines.size(), 2u);
    EXPECT_EQ(first->reprints, 1);
    EXPECT_TRUE(ledger->sale(2).value->voided);
}

TEST_F(SalesFile, TheDayFilePurgeLeavesTheSalesAndShopFilesAlone) {
    sell(1);
    test::writeBytes(dir / "kavro-shop.txt", "# kavro shop settings, format 1\n");
    const Date today = addDays(test::kSalesDay, 45);
    test::writeBytes(dayFilePath(dir.path(), test::kSalesDay), "x\r\n");
    test::writeBytes(dayFilePath(dir.path(), today), "x\r\n");
    EXPECT_EQ(purgeOldDayFiles(dir.path(), today).deleted.size(), 1u);
    for (const char* name : {"kavro-sales.db", "kavro-sales.db-wal", "kavro-shop.txt"})
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    EXPECT_EQ(ledger->sale(1).value->amounts.total, 4800);
}

} // namespace
} // namespace kavro
