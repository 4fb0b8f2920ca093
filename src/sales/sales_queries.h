#pragma once
// What the windows to come read from the sales file: the day's close (日計) and sales over
// a period with the period before it.
//
// Everything is counted on the business day it happened, as the drawer saw it: a sale on
// the day it was made, a void (取消) on the day it was made, as a negative sale with the
// voided sale's room, hour and method. So a day's net figures are what its close showed,
// and the sum over the rooms, the hours or the methods is always the total. A void of an
// earlier day's sale is counted apart in the close, since that money left today's drawer.
#include "sales/sale.h"
#include "sales/sales_ledger.h"

#include <array>
#include <vector>

namespace kavro {

struct Takings {
    long long parties = 0; // sales less voids
    long long amount = 0;  // yen, tax included

    // 客単価: amount ÷ parties, rounded to the nearest yen; 0 without parties.
    long long perParty() const;
    friend bool operator==(const Takings&, const Takings&) = default;
};

inline constexpr std::size_t kMethodCount = kPaymentMethods.size();
std::size_t methodIndex(PaymentMethod method);

struct DayClose {
    Date date{};
    Takings sales; // sales made that day
    std::array<Takings, kMethodCount> salesByMethod{};
    Takings voids; // voids made that day (positive figures)
    std::array<Takings, kMethodCount> voidsByMethod{};
    long long voidsOfEarlierDays = 0; // of them, voids of sales of earlier days
    Takings net;                      // sales less voids
    long long discounts = 0;          // how many sales of the day had one
    long long discountAmount = 0;
    long long taxIncluded = 0;             // in the net amount, summed per sale
    long long cashExpected = 0;            // cash sales less cash voids: the drawer's takings
    int firstReceipt = 0, lastReceipt = 0; // receipts issued that day; 0 when none
    long long reprints = 0;
};
SalesResult<DayClose> dayClose(SalesLedger& ledger, Date date);

struct SalesPeriod {
    Date first{}, last{}; // inclusive
    Takings total;
    std::vector<Takings> byDay;       // first .. last, days without sales included
    std::array<Takings, 34> byRoom{}; // rooms 001 to 034
    std::array<Takings, 24> byHour{}; // hours of the business day, [0] = 06:00 to 06:59
    std::array<Takings, kMethodCount> byMethod{};
    long long discountAmount = 0;
};
SalesResult<SalesPeriod> salesOver(SalesLedger& ledger, Date first, Date last);

struct SalesComparison {
    SalesPeriod current;
    SalesPeriod previous; // the same number of days just before
};
SalesResult<SalesComparison> salesWithPrevious(SalesLedger& ledger, Date first, Date last);

} // namespace kavro
