// The sales file of a busy shop: two years of sales (34 rooms × 5 parties a day, a
// settlement intent and its outcome each, a discount every tenth, a void every hundredth),
// read for a year's report with the year before, for a day's close and at start-up.
#include "desk.h"

#include "sales/report_sales.h"
#include "sales/sales_queries.h"
#include "sales/settlement_protocol.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace kavro::bench {

namespace {

constexpr int kDays = 730, kRooms = 34, kPartiesPerRoom = 5;

Date lastSalesDay() { return benchDate(); }

// Writes the sales in one transaction, the way confirmSale() stores them (the file's
// triggers check each row), far faster than one durable commit per sale.
void writeSales(SalesLedger& ledger) {
    SqliteDb& db = ledger.database();
    SqlTransaction t(db);
    SqlStatement sale = db.prepare(
        "INSERT INTO sales (receipt_no, business_date, sold_at, booking_date, booking_id, room, "
        "minutes, people, plan, line_count, subtotal, discount_kind, discount_value, "
        "discount_amount, discount_reason, total, tax_rate, tax_included, method, received, "
        "change_given) VALUES (?1, ?2, ?3, ?2, ?4, ?5, 120, 2, 'ご休憩', 2, ?6, ?7, ?8, ?8, ?9, "
        "?10, 10, ?10 * 10 / 110, ?11, ?10, 0)");
    SqlStatement line = db.prepare("INSERT INTO sale_lines VALUES (?1, ?2, ?3, ?4)");
    SqlStatement intent = db.prepare("INSERT INTO intents VALUES (?1, 'settle', ?2, ?3, ?4, NULL, "
                                     "'', ?5)");
    SqlStatement outcome =
        db.prepare("INSERT INTO intent_outcomes VALUES (?1, 'confirmed', ?1, ?2)");
    SqlStatement voided = db.prepare("INSERT INTO voids VALUES (?1, ?2, ?3, '精算の取り消し')");
    const char* methods[] = {"cash", "cash", "credit", "emoney", "qr"};
    int receipt = 0;
    for (int d = kDays - 1; d >= 0; --d) {
        const Date date = addDays(lastSalesDay(), -d);
        const std::string day = formatIsoDate(date);
        for (int room = 1; room <= kRooms; ++room)
            for (int p = 0; p < kPartiesPerRoom; ++p) {
                ++receipt;
                const DateTime at = addMinutes(businessDayStart(date), 180 + p * 240 + room);
                const std::string when = salesTimeText(at);
                char id[16];
                std::snprintf(id, sizeof id, "%03d%04d00", room, 1000 + room * 10 + p);
                const long long subtotal = 3000 + (receipt % 9) * 1000;
                const bool discounted = receipt % 10 == 0;
                const long long discount = discounted ? 500 : 0;
                sale.bind(1, receipt).bind(2, day).bind(3, when).bind(4, id).bind(5, room);
                sale.bind(6, subtotal).bind(7, discounted ? "fixed" : "none").bind(8, discount);
                sale.bind(9, discounted ? "会員" : "").bind(10, subtotal - discount);
                sale.bind(11, methods[receipt % 5]).run();
                line.bind(1, receipt).bind(2, 1).bind(3, "基本料金").bind(4, subtotal - 1000).run();
                line.bind(1, receipt).bind(2, 2).bind(3, "延長").bind(4, 1000).run();
                intent.bind(1, receipt).bind(2, day).bind(3, id).bind(4, room).bind(5, when).run();
                outcome.bind(1, receipt).bind(2, when).run();
                if (receipt % 100 == 0)
                    voided.bind(1, receipt).bind(2, day).bind(3, when).run();
            }
    }
    t.commit();
}

struct SalesFolder {
    ScratchDir dir;
    std::unique_ptr<SalesLedger> ledger;
    SalesFolder() : ledger(SalesLedger::open(dir.path()).ledger) {
        if (!ledger)
            throw std::runtime_error("sales file not opened");
        writeSales(*ledger);
        flushWrites(dir.path());
    }
};

SalesFolder& salesFolder() {
    static SalesFolder folder;
    return folder;
}

// What the report window's worker does for a year: opens the sales file on its own
// connection and reads the year and the year before by day, room, hour and method.
void BM_SalesYearReport(benchmark::State& state) {
    SalesFolder& folder = salesFolder();
    const Date last = lastSalesDay();
    const Period year = rangeBetween(addDays(last, -364), last);
    for (auto _ : state) {
        ReportSales report = loadReportSales(folder.dir.path(), year);
        if (report.source != SalesSource::SalesFile || report.current.total.parties == 0)
            state.SkipWithError("no report");
        benchmark::DoNotOptimize(salesRows(report));
    }
}

void BM_SalesDayClose(benchmark::State& state) {
    SalesLedger& ledger = *salesFolder().ledger;
    for (auto _ : state)
        benchmark::DoNotOptimize(dayClose(ledger, lastSalesDay()));
}

// The start-up's reconciliation over two years of closed intents: no day file is there, so
// this is the sales file's own cost.
void BM_SalesStartUpCheck(benchmark::State& state) {
    SalesFolder& folder = salesFolder();
    SettlementProtocol steps(*folder.ledger);
    const DayReader reader = dayFileReader(folder.dir.path());
    const DateTime now = makeDateTime(lastSalesDay(), 20, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(steps.reconcile(reader, lastSalesDay(), now));
}

} // namespace

BENCHMARK(BM_SalesYearReport)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_SalesDayClose)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_SalesStartUpCheck)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace kavro::bench
