// The booking list: the records of the selected booking, one line each, by ID.
#include "app/form1.h"
#include "ledger/booking_list_line.h"

#include <QListWidget>

namespace kavro {

void Form1::fillBookingList(const std::string& groupKeyId) {
    bookingList->clear();
    for (const auto& line : bookingListLines(roomGrid, groupKeyId))
        bookingList->addItem(QString::fromStdString(line));
}

} // namespace kavro
