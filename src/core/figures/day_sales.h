#pragma once
// A business day's net takings as the summary file keeps them: sales made that day less
// voids made that day, in all and per payment method, so that the reports still have a
// day's sales when the sales file is not there. Amounts are yen, tax included.
#include "core/records/civil_time.h"

#include <array>
#include <functional>
#include <optional>

namespace kavro {

// 現金, クレジットカード, 電子マネー, QRコード決済, in the sales file's order.
inline constexpr int kSummaryMethodCount = 4;

struct DaySales {
    long long parties = 0;
    long long amount = 0;
    std::array<long long, kSummaryMethodCount> methodParties{};
    std::array<long long, kSummaryMethodCount> methodAmounts{};

    friend bool operator==(const DaySales&, const DaySales&) = default;
};

// The takings of a day, or nothing when they are not known (no sales file, or it could
// not be read): a summary line then keeps the takings it had.
using DaySalesOf = std::function<std::optional<DaySales>(Date)>;

} // namespace kavro
