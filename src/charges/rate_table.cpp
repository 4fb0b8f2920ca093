#include "charges/rate_table.h"

namespace kavro {

const RateTable* tableInForce(const RateBook& book, Date businessDate) {
    const RateTable* found = nullptr;
    for (const RateTable& table : book.tables)
        if (table.from <= businessDate && (!found || found->from < table.from))
            found = &table;
    return found;
}

const RoomClass* classOfRoom(const RateTable& table, int roomIndex) {
    if (roomIndex < 0 || roomIndex >= kRoomCount)
        return nullptr;
    for (const RoomClass& c : table.classes)
        if (c.rooms.test(static_cast<std::size_t>(roomIndex)))
            return &c;
    return nullptr;
}

Yen taxIncluded(Yen total, int ratePercent, TaxRounding rounding) {
    if (total <= 0 || ratePercent <= 0)
        return 0;
    const Yen numerator = total * ratePercent;
    const Yen denominator = 100 + ratePercent;
    switch (rounding) {
    case TaxRounding::Down:
        return numerator / denominator;
    case TaxRounding::HalfUp:
        return (2 * numerator + denominator) / (2 * denominator);
    case TaxRounding::Up:
        return (numerator + denominator - 1) / denominator;
    }
    return numerator / denominator;
}

} // namespace kavro
