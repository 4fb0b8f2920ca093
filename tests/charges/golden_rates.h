#pragma once
// The shop of the charges tests (tests/charges/golden/kavro-rates.txt, read once), and a
// bill as one line of text, so that a table of cases can show each whole.
#include "charges/bill.h"
#include "charges/rate_check.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#ifndef KAVRO_CHARGES_DATA_DIR
#error "KAVRO_CHARGES_DATA_DIR names the folder of the golden rate file"
#endif

namespace kavro::test {

inline std::string goldenRatesText() {
    std::ifstream in(std::string(KAVRO_CHARGES_DATA_DIR) + "/kavro-rates.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Standard rooms 001-020 and deluxe 021-030 from 2026/04/01; from 2026/10/01 standard
// 001-020 and 031 only, at new prices; the shop closed on 2026/06/10.
inline const RateBook& goldenBook() {
    static const RateBook book = [] {
        RateFileParse parsed = parseRateFile(goldenRatesText());
        if (!parsed.problems.empty() || !checkRateBook(parsed.book).empty())
            throw std::runtime_error("the golden rate file has problems");
        return parsed.book;
    }();
    return book;
}

inline Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

// "ご休憩 平日 基本料金 3000 延長(2) 2000 = 5000 (税 454)": the plan, its column, the parts
// (blocks or guests in brackets), the total and its tax; then the other plans' totals.
inline std::string describe(const Bill& bill) {
    if (!bill.priced())
        return "料金未設定: " + *bill.noPrice;
    const PlanCharge& c = bill.charge();
    std::string out = std::string(planName(c.plan)) + " " + std::string(dayTypeName(c.dayType));
    for (const BillPart& part : partsOf(c))
        out += " " + std::string(part.name) +
               (part.count ? "(" + std::to_string(part.count) + ")" : "") + " " +
               std::to_string(part.amount);
    out += " = " + std::to_string(bill.total) + " (税 " + std::to_string(bill.tax) + ")";
    for (Plan other : kPlans)
        if (const auto& o = bill.plans[planIndex(other)]; o && other != bill.chosen)
            out += " / " + std::string(planName(other)) + " " + std::to_string(o->total());
    return out;
}

} // namespace kavro::test
