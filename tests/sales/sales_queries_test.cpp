#include "core/figures/summary_file.h"
#include "sales/day_takings.h"
#include "sales/desk_day.h"
#include "sales/report_sales.h"
#include "sales/sales_queries.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <numeric>

namespace kavro {
namespace {

using test::kSalesDay;
const Date kNextDay = addDays(kSalesDay, 1);
DateTime at(Date d, int h, int m) { return makeDateTime(d, h, m); }

// Day D: three sales (one after midnight), the third voided the same night. Day D+1: a
// sale, and the void of D's first sale.
struct SalesQueries : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<SalesLedger> ledger = SalesLedger::open(dir.path()).ledger;

    void sell(int room, DateTime when, long long amount, PaymentMethod method,
              Discount discount = {}) {
        SaleInput s = test::saleFor(room, when, amount);
        s.method = method;
        s.discount = discount;
        const BookingRef b{s.bookingDate, s.bookingId, room};
        const auto intent = ledger->openIntent(IntentKind::Settle, b, {}, "", when);
        ASSERT_EQ(ledger->confirmSale(intent.value, s, when).error, std::nullopt);
    }
    void voidSale(int receipt, int room, DateTime when) {
        const BookingRef b{kSalesDay, test::saleFor(room, when).bookingId, room};
        const auto intent =
            ledger->openIntent(IntentKind::Void, b, receipt, "精算の取り消し", when);
        ASSERT_EQ(ledger->completeVoid(intent.value, when), std::nullopt);
    }
    void SetUp() override {
        sell(1, at(kSalesDay, 21, 30), 4800, PaymentMethod::Cash);
        sell(2, at(kSalesDay, 23, 10), 7000, PaymentMethod::CreditCard,
             {DiscountKind::Fixed, 1000, "会員"});
        sell(3, at(kNextDay, 3, 0), 3000, PaymentMethod::Cash);
        voidSale(3, 3, at(kNextDay, 4, 0));
        ledger->recordReprint(2, at(kSalesDay, 23, 30));
        sell(4, at(kNextDay, 10, 0), 5000, PaymentMethod::EMoney);
        voidSale(1, 1, at(kNextDay, 11, 0));
    }
};

constexpr std::size_t kCash = 0, kCard = 1, kEMoney = 2;

TEST_F(SalesQueries, TheDaysCloseCountsWhatTheDrawerSaw) {
    const DayClose d = dayClose(*ledger, kSalesDay).value;
    EXPECT_EQ(d.sales, (Takings{3, 13800}));
    EXPECT_EQ(d.salesByMethod[kCash], (Takings{2, 7800}));
    EXPECT_EQ(d.salesByMethod[kCard], (Takings{1, 6000}));
    EXPECT_EQ(d.voids, (Takings{1, 3000}));
    EXPECT_EQ(d.voidsOfEarlierDays, 0);
    EXPECT_EQ(d.net, (Takings{2, 10800}));
    EXPECT_EQ(d.discounts, 1);
    EXPECT_EQ(d.discountAmount, 1000);
    EXPECT_EQ(d.taxIncluded, 436 + 545);
    EXPECT_EQ(d.cashExpected, 4800);
    EXPECT_EQ(std::pair(d.firstReceipt, d.lastReceipt), std::pair(1, 3));
    EXPECT_EQ(d.reprints, 1);

    const DayClose next = dayClose(*ledger, kNextDay).value;
    EXPECT_EQ(next.net, (Takings{0, 200}));
    EXPECT_EQ(next.voidsOfEarlierDays, 1);
    EXPECT_EQ(next.cashExpected, -4800) << "yesterday's cash sale was paid back from this drawer";
    EXPECT_EQ(std::pair(next.firstReceipt, next.lastReceipt), std::pair(4, 4));
}

TEST_F(SalesQueries, APeriodAddsUpByDayRoomHourAndMethodWithThePeriodBefore) {
    const SalesPeriod p = salesOver(*ledger, kSalesDay, kNextDay).value;
    EXPECT_EQ(p.total, (Takings{2, 11000}));
    EXPECT_EQ(p.total.perParty(), 5500);
    EXPECT_EQ(p.byDay, (std::vector<Takings>{{2, 10800}, {0, 200}}));
    EXPECT_EQ(p.byRoom[0], (Takings{0, 0})); // sold, voided the next day
    EXPECT_EQ(p.byRoom[1], (Takings{1, 6000}));
    EXPECT_EQ(p.byRoom[3], (Takings{1, 5000}));
    EXPECT_EQ(p.byHour[17], (Takings{1, 6000})); // 23:10
    EXPECT_EQ(p.byHour[4], (Takings{1, 5000}));  // 10:00
    EXPECT_EQ(p.byMethod[kCash], (Takings{0, 0}));
    EXPECT_EQ(p.byMethod[kEMoney], (Takings{1, 5000}));
    EXPECT_EQ(p.discountAmount, 1000);
    const auto sum = [](const auto& parts) {
        return std::accumulate(parts.begin(), parts.end(), Takings{},
                               [](Takings a, const Takings& b) {
                                   return Takings{a.parties + b.parties, a.amount + b.amount};
                               });
    };
    for (const Takings& s : {sum(p.byDay), sum(p.byRoom), sum(p.byHour), sum(p.byMethod)})
        EXPECT_EQ(s, p.total);

    const SalesComparison c = salesWithPrevious(*ledger, kNextDay, addDays(kNextDay, 1)).value;
    EXPECT_EQ(c.current.total, (Takings{0, 200}));
    EXPECT_EQ(c.previous.first, addDays(kSalesDay, -1));
    EXPECT_EQ(c.previous.total, (Takings{2, 10800}));
    EXPECT_TRUE(salesOver(*ledger, kNextDay, kSalesDay).error)
        << "a period ending before it starts";
}

// The report's sales come from the sales file with the day before; without it (gone, or
// not a database) from the takings the summary file kept: days and methods, no rooms.
TEST_F(SalesQueries, TheReportReadsTheSalesFileElseTheSummarysTakings) {
    const Period day = periodContaining(PeriodKind::Day, kNextDay);
    const ReportSales fromFile = loadReportSales(dir.path(), day);
    ASSERT_EQ(fromFile.source, SalesSource::SalesFile);
    EXPECT_EQ(fromFile.previousPeriod, periodContaining(PeriodKind::Day, kSalesDay));
    const auto rows = salesRows(fromFile);
    ASSERT_EQ(rows.size(), 1u + 4 + 1 + 34 + 24);
    EXPECT_EQ(rows[0], (SalesRow{"合計", "売上", "0", "200", "0", "2", "10800", "1.9"}));
    EXPECT_EQ(rows[3], (SalesRow{"支払方法", "電子マネー", "1", "5000", "5000", "0", "0", ""}));
    EXPECT_TRUE(salesCsv(fromFile).starts_with("\xEF\xBB\xBF区分,項目,組数,売上(円),"));

    SummaryFile summary;
    const DaySalesOf takings = salesFileTakings(dir.path());
    for (Date d : {kSalesDay, kNextDay}) {
        summary.days[d].figures.date = d;
        summary.days[d].sales = takings(d);
    }
    ASSERT_EQ(summary.days[kNextDay].sales->amount, 200);
    test::writeBytes(summaryFilePath(dir.path()), renderSummary(summary));
    ledger.reset();
    for (const char* name : {"kavro-sales.db", "kavro-sales.db-wal", "kavro-sales.db-shm"})
        std::filesystem::remove(dir / name);
    for (bool damaged : {false, true}) {
        if (damaged)
            test::writeBytes(dir / "kavro-sales.db", std::string(4096, 'x'));
        const ReportSales kept = loadReportSales(dir.path(), day);
        EXPECT_EQ(kept.source, SalesSource::Summary);
        EXPECT_EQ(kept.error.has_value(), damaged);
        EXPECT_EQ(kept.current.total, fromFile.current.total);
        EXPECT_EQ(kept.previous.byMethod, fromFile.previous.byMethod);
        EXPECT_EQ(salesRows(kept).size(), 1u + 4 + 1) << "no rooms or hours";
    }
}

} // namespace
} // namespace kavro
