#include "sales/day_takings.h"

#include <memory>

namespace kavro {

static_assert(kMethodCount == kSummaryMethodCount, "the summary keeps every payment method");

DaySales takingsOf(const DayClose& close) {
    DaySales s;
    s.parties = close.net.parties;
    s.amount = close.net.amount;
    for (std::size_t m = 0; m < kMethodCount; ++m) {
        s.methodParties[m] = close.salesByMethod[m].parties - close.voidsByMethod[m].parties;
        s.methodAmounts[m] = close.salesByMethod[m].amount - close.voidsByMethod[m].amount;
    }
    return s;
}

DaySalesOf salesFileTakings(const std::filesystem::path& dir) {
    struct Opened {
        bool tried = false;
        std::unique_ptr<SalesLedger> ledger;
    };
    auto opened = std::make_shared<Opened>();
    return [dir, opened](Date date) -> std::optional<DaySales> {
        if (!opened->tried) {
            opened->tried = true;
            std::error_code ec;
            if (std::filesystem::exists(dir / kSalesFileName, ec))
                opened->ledger = SalesLedger::open(dir).ledger;
        }
        if (!opened->ledger)
            return std::nullopt;
        const SalesResult<DayClose> close = dayClose(*opened->ledger, date);
        if (close.error)
            return std::nullopt;
        return takingsOf(close.value);
    };
}

} // namespace kavro
