// The main window's operations: a press on the board or a line of the booking list selects a
// record or prepares a new booking, and each button hands the panel's values to the model.
#include "window/desk_window.h"

#include "core/rules/booking_chain.h"
#include "core/screen/board_geometry.h"
#include "core/screen/booking_list_line.h"
#include "desk/message_titles.h"
#include "window/account_dialog.h"
#include "window/bill_words.h"
#include "window/entry_panel.h"
#include "window/record_at.h"

#include "window/timetable_board.h"
#include <QDir>
#include <QFileDialog>

namespace kavro {

void DeskWindow::refuseClick() {
    resetEntry();
    platform_.beep();
}

void DeskWindow::boardPressed(int half, std::optional<int> row, DateTime time) {
    entry->clearSelection();
    if (!row) {
        refuseClick();
        return;
    }
    const int room = roomIndexAt(half, *row);
    entry->showRoom(roomCode(room));
    entry->clearBookingList();
    entry->setStatusChoices({});
    const ShownDay& shown = model_->shownDay();
    if (time < shown.start || time >= shown.end) {
        refuseClick();
        return;
    }
    // Every covering record is selected in turn; the last one stays. Empty cells are skipped
    // rather than ending the row: a failed save can leave a gap in it.
    bool anySelected = false;
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& cell = model_->records().at(room, pos);
        if (cell.empty())
            continue;
        const RecordFields r = parseFields(cell);
        if (!recordCovers(r, time))
            continue;
        anySelected = true;
        selectRecord(half, r);
    }
    if (!anySelected)
        prepareNewBooking(half, time);
}

void DeskWindow::selectRecord(int half, const RecordFields& r) {
    // The day's highest number stays where it is: a new booking never repeats one.
    entry->showBookingList(bookingListLines(model_->records(), r.id));
    entry->showRecord(r);
    const int offset = model_->shownDay().offset;
    if (offset < 0) {
        refuseClick();
    } else if (auto offer = boardSelectionOffer(r.status, offset)) {
        entry->offer(*offer);
        if (offset == 0) {
            board->showPopup(half, *offer);
            if (offer->popupSettle && model_->showsPrices())
                board->showSettleAmount(half, billAmount(model_->billOf(r.id)));
        }
        entry->setStatusChoices(offer->statusChoices);
    }
    entry->showStatus(r.status);
}

void DeskWindow::prepareNewBooking(int half, DateTime time) {
    const int offset = model_->shownDay().offset;
    const auto offer = newBookingOffer(offset);
    if (!offer)
        return;
    // The time under the press, which is what the hover read-out shows there.
    entry->prepareNewBooking(QString::fromStdString(formatHhNn(time)));
    entry->offer(*offer);
    if (offset == 0)
        board->showPopup(half, *offer);
}

void DeskWindow::selectListedBooking(const std::string& id) {
    // A record no longer in the day leaves the panel and the buttons as they are.
    const auto line = findRecord(model_->records(), id);
    if (!line)
        return;
    const RecordFields r = parseFields(*line);
    entry->showRecord(r);
    if (auto offer = listSelectionOffer(r.status)) {
        entry->offer(*offer);
        entry->setStatusChoices(offer->statusChoices);
    }
    board->hidePopups();
    entry->showStatus(r.status);
    entry->hideNewBookingButtons();
}

void DeskWindow::prepareExtension() {
    const auto nextId = extensionId(entry->selection().id);
    if (!nextId) {
        // Sub-number 99 is the last of a booking; one more would take another booking's ID.
        tell(title::kInputError, QStringLiteral("この予約はこれ以上延長できません。\r\n"
                                                "延長は1件につき99回までです"));
        return;
    }
    entry->prepareExtension(*nextId);
}

void DeskWindow::checkIn() { finish(model_->checkIn(entry->fields())); }

void DeskWindow::reserve() { finish(model_->reserve(entry->fields())); }

void DeskWindow::inputExtension() {
    Outcome outcome = model_->inputExtension(entry->fields(), entry->selection());
    if (outcome.done)
        entry->clearBookingList();
    finish(outcome);
}

void DeskWindow::modifyBooking() {
    finish(model_->modify(entry->fields(), entry->selection(), entry->status(),
                          entry->statusOffered()));
}

void DeskWindow::notify() { finish(model_->notify(entry->fields(), entry->selection())); }

void DeskWindow::settle() {
    finish(model_->settle(entry->fields(), entry->selection()));
    offerCheckout();
}

void DeskWindow::offerCheckout() {
    if (const auto checkout = model_->takeCheckout())
        openAccount(*checkout);
}

void DeskWindow::checkOutUnpaid() {
    if (const auto checkout = model_->unpaidCheckout(entry->selection().id))
        openAccount(*checkout);
    else
        tell(QStringLiteral("会計"), model_->rateBook()
                                         ? QStringLiteral("表示中の日に未会計のお客様はいません")
                                         : QStringLiteral("料金表がないため会計できません"));
}

void DeskWindow::openAccount(const Checkout& checkout) {
    if (account_)
        account_->close(); // left open by a 精算 before: that party stays 未会計
    // Open, not exec: the clock and the 06:00 change go on while the money is counted.
    account_ = new AccountDialog(
        checkout,
        [this, checkout](const SaleInput& sale) {
            const auto recorded = model_->confirmSale(checkout, sale);
            return AccountDialog::Recorded{recorded.value,
                                           QString::fromStdString(recorded.error.value_or(""))};
        },
        [this](int receiptNo) { issueReceipt(receiptNo); }, this);
    account_->setAttribute(Qt::WA_DeleteOnClose);
    account_->open();
}

void DeskWindow::deleteBooking() {
    Outcome outcome = model_->remove(entry->fields(), entry->selection());
    if (outcome.firstRecordRemoved)
        entry->clearFields();
    if (outcome.restored) {
        // The extended record is what the panel shows afterwards.
        entry->showRecord(*outcome.restored);
        entry->showStatus(outcome.restored->status);
    }
    finish(outcome);
}

void DeskWindow::finish(const Outcome& outcome) {
    if (!outcome.done) {
        converse(outcome.reply);
        entry->focusField(outcome.focus);
        return;
    }
    if (outcome.selection)
        entry->select(*outcome.selection);
    resetEntry();
    converse(outcome.reply);
}

} // namespace kavro
