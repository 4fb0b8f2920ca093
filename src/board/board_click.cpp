// A click on a board half: select the record under it, or prepare a new booking there.
#include "app/form1.h"
#include "board/board_half.h"
#include "board/selection_panel.h"
#include "entry/entry_panel.h"
#include "ledger/board_geometry.h"
#include "ledger/civil_time.h"
#include "ledger/record.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kavro {

namespace {

void refuseClick(Form1& form) {
    form.resetEntry();
    form.checkInButton->hide();
    form.platform().beep();
}

bool covers(const RecordFields& r, DateTime t) {
    auto start = parseDateTime(r.start);
    auto end = parseDateTime(r.end);
    return start && end && *start <= t && t <= *end;
}

void placePopup(Form1& form, int half, double x, double y) {
    const PopupPosition p = popupPosition(x, y);
    BoardHalf* board = form.boardHalves[half];
    form.hidePopupButtons(half);
    board->placeChild(form.popupExtendButtons[half], p.left, p.y - 20);
    board->placeChild(form.popupNotifyButtons[half], p.left, p.y);
    board->placeChild(form.popupSettleButtons[half], p.left, p.y + 20);
}

void selectRecord(Form1& f, int index, const RecordFields& r) {
    // maxGroupNo is left at the day's highest number: a new booking never repeats one.
    f.fillBookingList(r.id);
    showRecordInPanel(f, r);
    if (f.shownDay.offset < 0) {
        refuseClick(f);
    } else if (auto offer = boardSelectionOffer(r.status, f.shownDay.offset)) {
        applyButtons(f, *offer);
        if (f.shownDay.offset == 0)
            applyPopup(f, index, *offer);
        setStatusChoices(f, offer->statusChoices);
    }
    f.statusBox->setEditText(QString::fromStdString(r.status));
}

void prepareNewBooking(Form1& f, int index) {
    const auto offer = newBookingOffer(f.shownDay.offset);
    if (!offer)
        return;
    f.clearSelection();
    f.peopleBox->setEditText(entry::kDefaultPeople);
    f.nameEdit->setMaxLength(kNameMaxLength);
    f.nameEdit->setText(QString());
    // The time under the click, which is what the hover read-out shows there.
    f.startEdit->setText(QString::fromStdString(formatHhNn(f.boardClickTime)));
    f.unitBox->setEditText(entry::kDefaultUnit);
    f.unitPicked();
    f.nameEdit->setFocus();
    applyButtons(f, *offer);
    if (f.shownDay.offset == 0)
        applyPopup(f, index, *offer);
}

} // namespace

void Form1::boardPressed(int index, int, int, double x, double y) {
    placePopup(*this, index, x, y);
    clearSelection();
    // The window's start keeps its seconds, so a click can fall just after a record's end.
    boardClickTime = timeAt(board.start, x);

    const auto row = rowAt(y);
    if (!row) {
        refuseClick(*this);
        return;
    }
    const int room = roomIndexAt(index, *row);
    roomBox->setEditText(QString::fromStdString(roomCode(room)));
    bookingList->clear();
    statusBox->clear();
    if (boardClickTime < shownDay.start || boardClickTime >= shownDay.end) {
        refuseClick(*this);
        return;
    }

    // Every covering record is selected in turn; the last one stays. Empty cells are
    // skipped rather than ending the row: a failed save can leave a gap in it.
    bool anySelected = false;
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& cell = roomGrid.at(room, pos);
        if (cell.empty())
            continue;
        const RecordFields r = parseFields(cell);
        if (!covers(r, boardClickTime))
            continue;
        anySelected = true;
        selectRecord(*this, index, r);
    }
    if (!anySelected)
        prepareNewBooking(*this, index);
}

} // namespace kavro
