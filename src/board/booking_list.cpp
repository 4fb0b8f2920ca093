// The booking list: the records of the selected booking, one line each, by ID.
#include "app/form1.h"
#include "ledger/booking_list_line.h"

#include <QListWidget>

namespace kavro {

void Form1::fillBookingList(const std::string& groupKeyId) {
    List1->clear();
    for (const auto& line : bookingListLines(roomGrid, groupKeyId))
        List1->addItem(QString::fromStdString(line));
}

} // namespace kavro
