// "入力" stores the extension prepared by "延長": a new record continuing the booking, and
// the record it continues marked "延長".
#include "app/form1.h"
#include "entry/entry_panel.h"
#include "ledger/record.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace kavro {

namespace {

// The pending ID must continue a record of the room on the panel (the room may have been
// changed after the extension was prepared) and must not exist yet.
std::optional<long> continuedRecord(const Form1& f, int room, const std::string& pendingId) {
    const auto pending = idNumber(pendingId);
    if (pendingId.size() != 9 || !pending || *pending % 100 == 0)
        return std::nullopt;
    if (!roomHoldsId(f.roomGrid, room, *pending - 1) || findRecord(f.roomGrid, pendingId))
        return std::nullopt;
    return *pending - 1;
}

} // namespace

void Form1::Command14_Click() {
    const EntryFields panel = entry::readPanel(*this);
    if (!entry::acceptPanel(*this, checkEntry(panel)))
        return;
    const int room = *roomIndexOfCode(panel.room);
    const std::string pendingId = Label11->text().toStdString();
    const auto continued = continuedRecord(*this, room, pendingId);
    if (!continued) {
        msgBox(QStringLiteral("延長するデータがこの区画に見つかりません\r\n"
                              "キャンセルしてから延長をやり直してください"),
               entry::kInputErrorTitle);
        Combo3->setFocus();
        return;
    }
    if (roomGrid.isFull(room)) {
        entry::refuseFullRow(*this);
        return;
    }
    curId = pendingId;
    const int target = roomGrid.firstFree(room);
    const BookingPeriod period = bookingPeriod(shownDate(), panel.start, panel.unit, panel.end);
    curStart = period.startField;
    curEnd = period.endField;
    if (!entry::acceptScan(
            *this, scanRoom(roomGrid, room, ScanMode::Input, curId, period.start, period.end)))
        return;

    roomGrid.at(room, target) = joinRecord({curId, curStart, panel.unit, curEnd, panel.people,
                                            panel.room, panel.name, std::string(kStatusUse)});
    markContinued(roomGrid, room, *continued);
    List1->clear();
    entry::closeRegistration(*this);
}

} // namespace kavro
