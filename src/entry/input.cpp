// "入力" stores the extension prepared by "延長": a new record continuing the booking, and
// the record it continues marked "延長".
#include "app/form1.h"
#include "desk/message_titles.h"
#include "entry/entry_panel.h"
#include "ledger/record.h"
#include "ledger/record_period.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace kavro {

void Form1::inputExtension() {
    const EntryFields panel = entry::readPanel(*this);
    if (!entry::acceptPanel(*this, checkEntry(panel)))
        return;
    const int room = *roomIndexOfCode(panel.room);
    const std::string pendingId = selected.id;
    const auto continued = recordContinuedBy(roomGrid, room, pendingId);
    if (!continued) {
        msgBox(QStringLiteral("延長するデータがこの区画に見つかりません\r\n"
                              "キャンセルしてから延長をやり直してください"),
               title::kInputError);
        roomBox->setFocus();
        return;
    }
    if (roomGrid.isFull(room)) {
        entry::refuseFullRow(*this);
        return;
    }
    const int target = roomGrid.firstFree(room);
    // The extension starts where the record it continues ends, whatever day that is.
    std::optional<DateTime> continuedEnd;
    for (int pos = 0; pos < kRecordsPerRoom && !continuedEnd; ++pos)
        if (const std::string& cell = roomGrid.at(room, pos);
            !cell.empty() && idNumber(cell) == *continued)
            continuedEnd = parseDateTime(parseFields(cell).end);
    const BookingPeriod period = periodKeepingDates(shownDate(), continuedEnd, std::nullopt,
                                                    panel.start, panel.unit, panel.end);
    selected.start = period.startField;
    selected.end = period.endField;
    if (!entry::acceptScan(*this, scanRoom(roomGrid, room, ScanMode::Input, selected.id,
                                           period.start, period.end)))
        return;

    roomGrid.at(room, target) =
        joinRecord({selected.id, selected.start, panel.unit, selected.end, panel.people, panel.room,
                    panel.name, std::string(kStatusUse)});
    markContinued(roomGrid, room, *continued);
    bookingList->clear();
    entry::closeRegistration(*this, JournalOp::Input, describeEntry(QStringLiteral("延長")));
}

} // namespace kavro
