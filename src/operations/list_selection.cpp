// A line of the booking list clicked: that record goes onto the panel.
#include "app/form1.h"
#include "board/selection_panel.h"
#include "ledger/booking_chain.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace kavro {

void Form1::selectListedBooking() {
    const QListWidgetItem* item = bookingList->currentItem();
    if (!item)
        return;
    // A record no longer in the grid leaves the panel and the buttons as they are.
    const auto line = findRecord(roomGrid, item->text().left(9).toStdString());
    if (!line)
        return;
    const RecordFields r = parseFields(*line);
    showRecordInPanel(*this, r);
    if (auto offer = listSelectionOffer(r.status)) {
        applyButtons(*this, *offer);
        setStatusChoices(*this, offer->statusChoices);
    }
    for (int half = 0; half < 2; ++half)
        applyPopup(*this, half, SelectionOffer{});
    statusBox->setEditText(QString::fromStdString(r.status));
    reserveButton->hide();
    checkInButton->hide();
}

} // namespace kavro
