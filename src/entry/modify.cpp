// "修正" writes the panel back over the selected record: corrects it, moves it to another
// room, or changes its status (a reservation checked in, a call taken back).
#include "app/form1.h"
#include "desk/message_titles.h"
#include "entry/entry_panel.h"
#include "ledger/record.h"
#include "ledger/record_period.h"

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

void Form1::modifyBooking() {
    const EntryFields panel = entry::readPanel(*this);
    if (!entry::acceptPanel(*this, checkEntry(panel)))
        return;
    if (!offeredStatus(statusBox)) {
        msgBox(QStringLiteral("状態が正しくありません\r\n一覧の中から選んでください"),
               title::kInputError);
        statusBox->setFocus();
        return;
    }
    if (!findCell(roomGrid, selected.id)) {
        msgBox(QStringLiteral("修正するデータが見つかりません\r\nもう一度選択してください"),
               title::kInputError);
        return;
    }
    const int room = *roomIndexOfCode(panel.room);
    if (!modifyFits(roomGrid, room, selected.id)) {
        entry::refuseFullRow(*this);
        return;
    }
    // Working values: a refusal must leave selected.start and selected.end at the stored record,
    // which notification and settlement write back.
    // Times the panel still shows as stored keep their stored dates.
    const BookingPeriod period =
        periodKeepingDates(shownDate(), parseDateTime(selected.start), parseDateTime(selected.end),
                           panel.start, panel.unit, panel.end);
    if (!entry::acceptScan(*this, scanRoom(roomGrid, room, ScanMode::Modify, selected.id,
                                           period.start, period.end)))
        return;
    selected.start = period.startField;
    selected.end = period.endField;

    storeModified(roomGrid, room, selected.id,
                  joinRecord({selected.id, selected.start, panel.unit, selected.end, panel.people,
                              panel.room, panel.name, statusBox->currentText().toStdString()}));
    entry::closeRegistration(*this, JournalOp::Modify, describeEntry(QStringLiteral("修正")));
}

} // namespace kavro
