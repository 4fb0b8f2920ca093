// A click on a board half: select the record under it, or prepare a new booking there.
#include "app/form1.h"
#include "board/board_half.h"
#include "board/selection_panel.h"
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
    form.Command10_Click();
    form.Command1->hide();
    form.platform().beep();
}

bool covers(const RecordFields& r, DateTime t) {
    auto start = parseDateTime(r.start);
    auto end = parseDateTime(r.end);
    return start && end && *start <= t && t <= *end;
}

void placePopup(Form1& form, int half, double x, double y) {
    const PopupPosition p = popupPosition(x, y);
    BoardHalf* board = form.Picture1[half];
    form.cmdNext[half]->hide();
    form.cmdCall[half]->hide();
    form.cmdCrdt[half]->hide();
    board->placeChild(form.cmdNext[half], p.left, p.y - 20);
    board->placeChild(form.cmdCall[half], p.left, p.y);
    board->placeChild(form.cmdCrdt[half], p.left, p.y + 20);
}

void selectRecord(Form1& f, int index, const RecordFields& r) {
    // maxGroupNo is left at the day's highest number: a new booking never repeats one.
    f.curId = r.id;
    f.Label11->setText(QString::fromStdString(r.id));
    f.fillBookingList(f.curId);
    f.curStart = r.start;
    f.curEnd = r.end;
    showRecordInPanel(f, r);
    if (f.dayOffset < 0) {
        refuseClick(f);
    } else if (auto offer = boardSelectionOffer(r.status, f.dayOffset)) {
        applyButtons(f, *offer);
        if (f.dayOffset == 0)
            applyPopup(f, index, *offer);
        setStatusChoices(f, offer->statusChoices);
    }
    f.Combo4->setEditText(QString::fromStdString(r.status));
}

void prepareNewBooking(Form1& f, int index) {
    const auto offer = newBookingOffer(f.dayOffset);
    if (!offer)
        return;
    f.Label11->setText(QString());
    f.Combo1->setEditText(QStringLiteral("2"));
    f.Text3->setMaxLength(kNameMaxLength);
    f.Text3->setText(QString());
    // The time under the click, which is what the hover read-out shows there.
    f.Text1->setText(QString::fromStdString(formatHhNn(f.clickTime)));
    f.Combo2->setEditText(QStringLiteral("1"));
    f.Combo2_Click();
    f.Text3->setFocus();
    applyButtons(f, *offer);
    if (f.dayOffset == 0)
        applyPopup(f, index, *offer);
}

} // namespace

void Form1::Picture1_MouseDown(int index, int, int, double x, double y) {
    placePopup(*this, index, x, y);
    Label11->setText(QString());
    // The window's start keeps its seconds, so a click can fall just after a record's end.
    clickTime = timeAt(boardStart, x);

    const auto row = rowAt(y);
    if (!row) {
        refuseClick(*this);
        return;
    }
    const int room = roomIndexAt(index, *row);
    Combo3->setEditText(QString::fromStdString(roomCode(room)));
    List1->clear();
    Combo4->clear();
    if (clickTime < dayStart || clickTime >= dayEnd) {
        refuseClick(*this);
        return;
    }

    // Every covering record is selected in turn; the last one stays. Empty cells are
    // skipped rather than ending the row: a failed save can leave a gap in it.
    bool selected = false;
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& cell = roomGrid.at(room, pos);
        if (cell.empty())
            continue;
        const RecordFields r = parseFields(cell);
        if (!covers(r, clickTime))
            continue;
        selected = true;
        selectRecord(*this, index, r);
    }
    if (!selected)
        prepareNewBooking(*this, index);
}

} // namespace kavro
