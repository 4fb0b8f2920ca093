// The charges of a full day: every booking chain of 34 rooms × 48 records billed from the
// day's record lines, as the desk's tooltips and the day's close will ask for them.
#include "desk.h"
#include "full_day.h"

#include "charges/day_bills.h"
#include "charges/rate_check.h"

#include "support/clerk.h"
#include "window/account_dialog.h"

#include <QCoreApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <stdexcept>

namespace kavro::bench {

namespace {

// A shop of two classes covering every room, with every plan and surcharge, so that each
// bill weighs all of them.
const char* const kRates = R"(kavro-rates 1
店休日 2026/12/31
適用開始日 2026/04/01
税率 10
区分 スタンダード 001-020
区分 デラックス 021-034
ご休憩 スタンダード 平日 60 3000 30 1000
ご休憩 スタンダード 休前日 60 3500 30 1200
ご休憩 スタンダード 土日祝 60 4000 30 1200
ご休憩 デラックス 平日 90 5000 30 1500
ご休憩 デラックス 休前日 90 6000 30 1500
ご休憩 デラックス 土日祝 90 6000 30 1500
)";

std::string benchRateText();

RateBook benchBook() {
    RateFileParse parsed = parseRateFile(benchRateText());
    if (!parsed.problems.empty() || !checkRateBook(parsed.book).empty())
        throw std::runtime_error("the benchmark's rate table has problems");
    return parsed.book;
}

void BM_BillsOfDay(benchmark::State& state) {
    const RateBook book = benchBook();
    const std::vector<std::string> day = fullDayLines(benchDate(), kSlotsPerDay);
    const std::vector<std::string> dayBefore = fullDayLines(addDays(benchDate(), -1), kSlotsPerDay);
    std::size_t priced = 0;
    for (auto _ : state) {
        const auto bills = billsOfDay(book, benchDate(), day, dayBefore);
        priced = 0;
        for (const ChainBill& b : bills)
            priced += b.bill.priced();
        benchmark::DoNotOptimize(priced);
    }
    if (priced != day.size())
        state.SkipWithError("a booking of the day went unpriced");
    state.counters["bills"] = static_cast<double>(priced);
}

std::string benchRateText() {
    std::string text = kRates;
    for (const char* room : {"スタンダード", "デラックス"})
        for (const char* day : {"平日", "休前日", "土日祝"}) {
            const std::string prefix = std::string(" ") + room + " " + day + " ";
            text += "ご宿泊" + prefix + "20:00-02:00 11:00 8000 60 1000\n";
            text += "サービスタイム" + prefix + "06:00-18:00 4500 300\n";
            text += "追加人数" + prefix + "2 1000\n";
            text += "深夜" + prefix + "22:00-05:00 500\n";
        }
    return text;
}

// 精算 at a priced desk on a full day: from the click on 精算 of a party just checked in
// and called (通知) to the 会計 window shown and painted (the settlement's intent, the journaled
// save, the bill and the window).
void BM_SettleToAccount(benchmark::State& state) {
    // Its own window each run, closed before the application object goes.
    Desk d(kSlotsPerDay, checkInSpot(), benchRateText());
    const FreeSpot spot = checkInSpot();
    auto* notify = test::control<QPushButton>(d.window(), "Command3");
    auto* settle = test::control<QPushButton>(d.window(), "Command4");
    for (auto _ : state) {
        state.PauseTiming();
        checkIn(d.window(), spot);
        selectAt(d.window(), spot);
        if (notify->isVisible())
            notify->click(); // 精算 follows the ten-minute call
        selectAt(d.window(), spot);
        if (!settle->isVisible()) {
            state.SkipWithError("精算 is not offered for the party just checked in");
            break;
        }
        state.ResumeTiming();
        settle->click();
        auto* account = d.window().findChild<AccountDialog*>("accountDialog");
        if (!account || !account->isVisible()) {
            state.SkipWithError("no 会計 window after 精算");
            break;
        }
        account->repaint(); // painted, as the clerk sees it
        state.PauseTiming();
        account->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        d.restoreDay(); // the intent left open is abandoned as the day is read again
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_BillsOfDay)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_SettleToAccount)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace kavro::bench
