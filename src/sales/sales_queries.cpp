#include "sales/sales_queries.h"

namespace kavro {

namespace {

void add(Takings& t, long long parties, long long amount) {
    t.parties += parties;
    t.amount += amount;
}

std::size_t methodIndexOf(std::string_view code) {
    return methodIndex(methodFromCode(code).value_or(PaymentMethod::Cash));
}

// Adds a row's method (column 0), count (1) and amount (2) to the tallies.
void tallyByMethod(const SqlStatement& row, Takings& all,
                   std::array<Takings, kMethodCount>& byMethod) {
    add(byMethod[methodIndexOf(row.text(0))], row.integer(1), row.integer(2));
    add(all, row.integer(1), row.integer(2));
}

// A business day's first and last second as the sales file writes times.
std::pair<std::string, std::string> dayBounds(Date date) {
    return {salesTimeText(businessDayStart(date)),
            salesTimeText(businessDayEnd(date) - std::chrono::seconds(1))};
}

// One row per sale and per void, read from the index sales_by_day alone for the sales:
// grouping in SQL would sort; adding up in the loop does not.
constexpr std::string_view kMovementsSql = R"sql(
SELECT business_date, room, method, sold_at, 1, total, discount_amount
  FROM sales WHERE business_date BETWEEN ?1 AND ?2
UNION ALL
SELECT v.business_date, s.room, s.method, s.sold_at, -1, -s.total, -s.discount_amount
  FROM voids v JOIN sales s ON s.receipt_no = v.receipt_no
 WHERE v.business_date BETWEEN ?1 AND ?2)sql";

// The hour of the business day (0 = 06:00 to 06:59) of a "yyyy-mm-dd hh:mm:ss" time.
std::size_t businessHourOf(std::string_view soldAt) {
    if (soldAt.size() < 13)
        return 0;
    const int hour = (soldAt[11] - '0') * 10 + (soldAt[12] - '0');
    return static_cast<std::size_t>((hour + 18) % 24);
}

constexpr int kLongestPeriodDays = 3700; // ten years and a little

} // namespace

long long Takings::perParty() const {
    if (parties <= 0)
        return 0;
    return (amount * 2 + parties) / (parties * 2);
}

std::size_t methodIndex(PaymentMethod method) {
    for (std::size_t i = 0; i < kPaymentMethods.size(); ++i)
        if (kPaymentMethods[i] == method)
            return i;
    return 0;
}

SalesResult<DayClose> dayClose(SalesLedger& ledger, Date date) {
    DayClose c;
    c.date = date;
    const std::string day = formatIsoDate(date);
    try {
        SqliteDb& db = ledger.database();
        SqlStatement sales = db.prepare(
            "SELECT method, count(*), sum(total), sum(discount_amount > 0), sum(discount_amount), "
            "sum(tax_included), min(receipt_no), max(receipt_no) FROM sales "
            "WHERE business_date = ?1 GROUP BY method");
        sales.bind(1, day);
        while (sales.step()) {
            tallyByMethod(sales, c.sales, c.salesByMethod);
            c.discounts += sales.integer(3);
            c.discountAmount += sales.integer(4);
            c.taxIncluded += sales.integer(5);
            const int first = static_cast<int>(sales.integer(6));
            c.firstReceipt = c.firstReceipt == 0 ? first : std::min(c.firstReceipt, first);
            c.lastReceipt = std::max(c.lastReceipt, static_cast<int>(sales.integer(7)));
        }
        SqlStatement voids = db.prepare(
            "SELECT s.method, count(*), sum(s.total), sum(s.business_date < v.business_date), "
            "sum(s.tax_included) FROM voids v JOIN sales s ON s.receipt_no = v.receipt_no "
            "WHERE v.business_date = ?1 GROUP BY s.method");
        voids.bind(1, day);
        while (voids.step()) {
            tallyByMethod(voids, c.voids, c.voidsByMethod);
            c.voidsOfEarlierDays += voids.integer(3);
            c.taxIncluded -= voids.integer(4);
        }
        const auto [from, to] = dayBounds(date);
        SqlStatement reprints =
            db.prepare("SELECT count(*) FROM reprints WHERE printed_at BETWEEN ?1 AND ?2");
        reprints.bind(1, from).bind(2, to);
        c.reprints = reprints.step() ? reprints.integer(0) : 0;
    } catch (const SqlFailure& e) {
        return {{}, salesFileErrorText(e)};
    }
    c.net = {c.sales.parties - c.voids.parties, c.sales.amount - c.voids.amount};
    const std::size_t cash = methodIndex(PaymentMethod::Cash);
    c.cashExpected = c.salesByMethod[cash].amount - c.voidsByMethod[cash].amount;
    return {c, std::nullopt};
}

SalesResult<SalesPeriod> salesOver(SalesLedger& ledger, Date first, Date last) {
    const int days = daysBetween(first, last) + 1;
    if (!first.ok() || !last.ok() || days < 1 || days > kLongestPeriodDays)
        return {{}, "集計の期間が正しくありません"};
    SalesPeriod p;
    p.first = first;
    p.last = last;
    p.byDay.resize(static_cast<std::size_t>(days));
    try {
        SqlStatement s = ledger.database().prepare(kMovementsSql);
        s.bind(1, formatIsoDate(first)).bind(2, formatIsoDate(last));
        std::string lastDateText;
        std::size_t dayIndex = 0;
        while (s.step()) {
            const std::string_view dateText = s.textView(0);
            if (dateText != lastDateText) { // the rows of one date follow each other
                const auto date = parseIsoDate(dateText);
                dayIndex = static_cast<std::size_t>(date ? daysBetween(first, *date) : 0);
                lastDateText = dateText;
            }
            const long long parties = s.integer(4), amount = s.integer(5);
            const auto room = static_cast<std::size_t>(s.integer(1) - 1);
            add(p.total, parties, amount);
            if (dayIndex < p.byDay.size())
                add(p.byDay[dayIndex], parties, amount);
            if (room < p.byRoom.size())
                add(p.byRoom[room], parties, amount);
            add(p.byHour[businessHourOf(s.textView(3))], parties, amount);
            add(p.byMethod[methodIndexOf(s.textView(2))], parties, amount);
            p.discountAmount += s.integer(6);
        }
    } catch (const SqlFailure& e) {
        return {{}, salesFileErrorText(e)};
    }
    return {std::move(p), std::nullopt};
}

SalesResult<SalesComparison> salesWithPrevious(SalesLedger& ledger, Date first, Date last) {
    const int days = daysBetween(first, last) + 1;
    auto current = salesOver(ledger, first, last);
    if (current.error)
        return {{}, current.error};
    auto previous = salesOver(ledger, addDays(first, -days), addDays(first, -1));
    if (previous.error)
        return {{}, previous.error};
    return {{std::move(current.value), std::move(previous.value)}, std::nullopt};
}

} // namespace kavro
