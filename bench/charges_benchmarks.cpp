// The charges of a full day: every booking chain of 34 rooms × 48 records billed from the
// day's record lines, as the desk's tooltips and the day's close will ask for them.
#include "desk.h"
#include "full_day.h"

#include "charges/day_bills.h"
#include "charges/rate_check.h"

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

RateBook benchBook() {
    std::string text = kRates;
    for (const char* room : {"スタンダード", "デラックス"})
        for (const char* day : {"平日", "休前日", "土日祝"}) {
            const std::string prefix = std::string(" ") + room + " " + day + " ";
            text += "ご宿泊" + prefix + "20:00-02:00 11:00 8000 60 1000\n";
            text += "サービスタイム" + prefix + "06:00-18:00 4500 300\n";
            text += "追加人数" + prefix + "2 1000\n";
            text += "深夜" + prefix + "22:00-05:00 500\n";
        }
    RateFileParse parsed = parseRateFile(text);
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

} // namespace

BENCHMARK(BM_BillsOfDay)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace kavro::bench
