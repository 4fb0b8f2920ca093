#pragma once
// A party settled straight into the sales file, as the 会計 window settles it: one 基本料金
// line paid in full by `method`, through the settlement's intent.
#include "sales/sales_ledger.h"

#include <gtest/gtest.h>

namespace kavro::test {

inline void sellParty(SalesLedger& ledger, const BookingRef& booking, DateTime soldAt,
                      long long amount, PaymentMethod method, int minutes = 120,
                      Discount discount = {}) {
    SaleInput sale;
    sale.soldAt = soldAt;
    sale.bookingDate = booking.date;
    sale.bookingId = booking.recordId;
    sale.room = booking.room;
    sale.minutes = minutes;
    sale.people = 2;
    sale.plan = "ご休憩";
    sale.lines = {{"基本料金", amount}};
    sale.discount = discount;
    sale.method = method;
    sale.received = amount;
    const auto intent = ledger.openIntent(IntentKind::Settle, booking, {}, "", soldAt);
    EXPECT_EQ(ledger.confirmSale(intent.value, sale, soldAt).error, std::nullopt);
}

} // namespace kavro::test
