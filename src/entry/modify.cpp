// "修正" writes the panel back over the selected record: corrects it, moves it to another
// room, or changes its status (a reservation checked in, a call taken back).
#include "app/form1.h"
#include "entry/entry_panel.h"
#include "ledger/record.h"

#include <QComboBox>
#include <QLabel>

namespace kavro {

namespace {

// Only a word the selection offered: a typed word would give the record a status no
// operation knows.
bool offeredStatus(const QComboBox* box) {
    const QString text = box->currentText();
    return isStatusWord(text.toStdString()) && box->findText(text) >= 0;
}

} // namespace

void Form1::Command5_Click() {
    const EntryFields panel = entry::readPanel(*this);
    if (!entry::acceptPanel(*this, checkEntry(panel)))
        return;
    if (!offeredStatus(Combo4)) {
        msgBox(QStringLiteral("状態が正しくありません\r\n一覧の中から選んでください"),
               entry::kInputErrorTitle);
        Combo4->setFocus();
        return;
    }
    curId = Label11->text().toStdString();
    if (!findRecord(roomGrid, curId)) {
        msgBox(QStringLiteral("修正するデータが見つかりません\r\nもう一度選択してください"),
               entry::kInputErrorTitle);
        return;
    }
    const int room = *roomIndexOfCode(panel.room);
    if (!modifyFits(roomGrid, room, curId)) {
        entry::refuseFullRow(*this);
        return;
    }
    // Working values: a refusal must leave curStart and curEnd at the stored record, which
    // notification and settlement write back.
    const BookingPeriod period = bookingPeriod(shownDate(), panel.start, panel.unit, panel.end);
    if (!entry::acceptScan(
            *this, scanRoom(roomGrid, room, ScanMode::Modify, curId, period.start, period.end)))
        return;
    curStart = period.startField;
    curEnd = period.endField;

    storeModified(roomGrid, room, curId,
                  joinRecord({curId, curStart, panel.unit, curEnd, panel.people, panel.room,
                              panel.name, Combo4->currentText().toStdString()}));
    entry::closeRegistration(*this);
}

} // namespace kavro
