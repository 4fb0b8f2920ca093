#include "desk/party_bill.h"

namespace kavro {

SaleInput draftSale(const PartyBill& party, Date bookingDate, const std::string& recordId,
                    int roomNumber) {
    SaleInput sale;
    sale.bookingDate = bookingDate;
    sale.bookingId = recordId;
    sale.room = roomNumber;
    sale.minutes = static_cast<int>(party.minutes);
    sale.people = party.people;
    sale.plan = std::string(planName(party.bill.chosen));
    for (const BillPart& part : partsOf(party.bill.charge()))
        sale.lines.push_back({std::string(part.name), part.amount});
    sale.taxRatePercent = party.bill.taxPercent;
    return sale;
}

} // namespace kavro
