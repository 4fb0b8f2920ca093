#pragma once
// What an operation of the desk returned: refused (with the message and the field to
// correct), or done, stored or not. The window shows the messages and moves the focus; the
// panel's own state follows from what was done.
#include "core/records/record.h"
#include "desk/reply.h"

#include <optional>
#include <string>

namespace kavro {

// The booking selected on the board or in the booking list, as its record stands in the day
// file; empty when none. Operations act on it.
struct SelectedBooking {
    std::string id;    // "rrrgggggs": room, group number, sub-number
    std::string start; // "yyyy/mm/dd hh:nn", as stored
    std::string end;

    friend bool operator==(const SelectedBooking&, const SelectedBooking&) = default;
};

// The fields of the entry panel, by what they hold.
enum class EntryField { None, People, Start, Unit, End, Room, Name, Status };

struct Outcome {
    // The operation passed its checks and changed the day. Refused otherwise: nothing changed.
    bool done = false;
    // The day file holds the change. When a done change could not be stored, the day keeps it
    // on screen and the messages say why.
    bool stored = false;
    EntryField focus = EntryField::None; // refused: where the clerk corrects the entry
    Reply reply;
    // The selected booking as it stands after a change of its record (修正, 入力).
    std::optional<SelectedBooking> selection;
    // 削除: the panel loses a booking's first record, or shows the record that an extension
    // taken back gives its end again.
    bool firstRecordRemoved = false;
    std::optional<RecordFields> restored;
};

} // namespace kavro
