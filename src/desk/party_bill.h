#pragma once
// The bill of one party as the desk shows it, and the 会計 that a stored 精算 leaves to do.
#include "charges/bill.h"
#include "sales/sale.h"

#include <string>

namespace kavro {

// A booking chain and its bill. The bill's class name views the rate book: valid until the
// rates are read again.
struct PartyBill {
    std::string firstId; // the chain's first record in the shown day's file
    int room = 0;        // room index 0-33 where it ends
    DateTime start, end;
    long minutes = 0;
    int people = 0;
    Bill bill;
};

// A 精算 stored with its settle intent open: what the 会計 window starts from. The sale is
// recorded only when the desk confirms it (DeskModel::confirmSale).
struct Checkout {
    long long intent = 0;
    SaleInput draft; // the booking, the stay and the bill's lines; cash, nothing received yet
    Yen total = 0;   // the bill before any discount
};

// The sale the bill stands for, before the desk enters payment and discount.
SaleInput draftSale(const PartyBill& party, Date bookingDate, const std::string& recordId,
                    int roomNumber);

} // namespace kavro
