// "利用" checks a party in, "予約" reserves a room: both add a new booking of their own.
#include "app/form1.h"
#include "entry/entry_panel.h"
#include "ledger/record.h"

#include <QLineEdit>

namespace kavro {

namespace {

void registerNewBooking(Form1& f, std::string_view status) {
    const EntryFields panel = entry::readPanel(f);
    if (!entry::acceptPanel(f, checkEntry(panel)))
        return;
    const int room = *roomIndexOfCode(panel.room);
    if (f.roomGrid.isFull(room)) {
        entry::refuseFullRow(f);
        return;
    }
    const auto group = nextGroupNumber(f.maxGroupNo);
    if (!group) {
        entry::refuseNoGroupNumber(f);
        return;
    }
    // Taken for good: a refusal below leaves a gap in the day's numbering, so that no number
    // handed out can ever be handed out again.
    f.maxGroupNo = *group;
    const int target = f.roomGrid.firstFree(room);
    f.selected.id = panel.room + std::to_string(f.maxGroupNo);
    const BookingPeriod period = bookingPeriod(f.shownDate(), panel.start, panel.unit, panel.end);
    f.selected.start = period.startField;
    f.selected.end = period.endField;

    // A reservation is taken whatever the room holds; a stay must find the room free.
    if (status == kStatusUse &&
        !entry::acceptScan(
            f, scanRoom(f.roomGrid, room, ScanMode::Use, f.selected.id, period.start, period.end)))
        return;

    f.roomGrid.at(room, target) =
        joinRecord({f.selected.id, f.selected.start, panel.unit, f.selected.end, panel.people,
                    panel.room, panel.name, std::string(status)});
    entry::closeRegistration(f, status == kStatusUse ? JournalOp::Use : JournalOp::Reserve,
                             f.describeEntry(QString::fromUtf8(status.data(), status.size())));
}

} // namespace

void Form1::checkIn() { registerNewBooking(*this, kStatusUse); }

void Form1::reserve() { registerNewBooking(*this, kStatusReserved); }

} // namespace kavro
