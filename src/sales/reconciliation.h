#pragma once
// What the day files and the sales file must agree on, and the actions that restore it
// after a crash. Pure: the caller reads the day files and the sales file, applies the
// actions and shows the reports.
//
// The invariant, for every booking of a day file that can be read:
//   - a settled booking has exactly one live sale, or one open settle intent (未会計:
//     精算 was stored, its 会計 not yet confirmed), never both;
//   - a booking that is not settled has no live sale and no open intent;
//   - a live sale's booking stands in its day file, settled.
// A booking is settled when its last record (the highest sub-number) is "精算". A sale is
// live while no void refers to it. Bookings are matched by the day file's date and the
// first seven characters of the record ID (room code and group number), so an extension
// settled later is the same booking.
//
// Days whose file is missing (purged after 30 to 60 days, while the sales stay for years)
// or cannot be read are left alone. A live sale whose booking is absent from a readable
// day file is reported, never voided: the file may have been replaced or emptied by hand,
// and the money was taken. A settled booking the sales file knows nothing of (settled
// before this program kept sales, or carried over 06:00 already settled) is not its
// business either.
#include "core/records/civil_time.h"
#include "core/storage/day_file.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kavro {

enum class IntentKind { Settle, Void };

struct BookingRef {
    Date date{};          // the business date of the day file holding the booking
    std::string recordId; // the settled record's ID, nine digits
    int room = 0;         // 1..34, the record's room field

    friend bool operator==(const BookingRef&, const BookingRef&) = default;
};

struct OpenIntent {
    long long id = 0;
    IntentKind kind = IntentKind::Settle;
    BookingRef booking;
    std::optional<int> receiptNo; // void: the sale it takes back (none: 未会計 taken back)
    std::string reason;           // void: why

    friend bool operator==(const OpenIntent&, const OpenIntent&) = default;
};

struct LiveSale {
    int receiptNo = 0;
    BookingRef booking;

    friend bool operator==(const LiveSale&, const LiveSale&) = default;
};

// Whether each booking of a day is settled, by the first seven characters of its ID.
using DayBookings = std::map<std::string, bool, std::less<>>;
using KnownDays = std::map<Date, DayBookings>;
DayBookings bookingStatuses(const DayContent& day);

enum class ReconcileKind {
    VoidSale,             // the booking is not settled: the sale is voided (with its intent)
    AbandonIntent,        // the intent's step never reached the day file, or is moot
    ReportUnpaid,         // 未会計: settled, 会計 never confirmed; the intent stays open
    ReportMissingBooking, // a live sale whose booking is not in its readable day file
};

struct ReconcileAction {
    ReconcileKind kind = ReconcileKind::AbandonIntent;
    long long intent = 0; // 0: none
    int receiptNo = 0;    // 0: none
    BookingRef booking;
    std::string reason; // VoidSale: stored with the void

    friend bool operator==(const ReconcileAction&, const ReconcileAction&) = default;
};

inline constexpr std::string_view kVoidReasonNotSettled =
    "起動時の照合: 日付ファイルで精算されていません";
inline constexpr std::string_view kVoidReasonDuplicate = "起動時の照合: 同じ精算の二つ目の売上";

// Never a second sale for one settlement: nothing here creates a sale; the actions only
// void, abandon or report.
std::vector<ReconcileAction> reconcileSales(const KnownDays& days,
                                            const std::vector<OpenIntent>& intents,
                                            const std::vector<LiveSale>& sales);

} // namespace kavro
