#pragma once
// The steps that keep a day file's "精算" and the sales file in step, for the desk model.
// Every step that changes the day file is announced in the sales file first (an intent,
// durable before the day file is saved), so that after a crash at any moment the next
// start-up can tell what was meant and finish or drop it (reconciliation.h):
//
//   精算 clicked   settle():   1. settle intent (durable)
//                              2. the day file saved with "精算" (journaled, atomic)
//                              3. on a failed save: the intent abandoned
//   会計 confirmed confirm():   the sale, its lines and the intent's outcome, one transaction
//   Ctrl+Z, or the status changed away from "精算" (also: a settled day's redo taken back)
//                  unsettle(): 1. void intent naming the live sale (durable)
//                              2. the day file saved
//                              3. the void and the intent's outcome, one transaction
//                                 (on a failed save: the intent abandoned)
//   start-up       reconcile(): the open intents and the live sales against the day files
//
// A crash between 1 and 2 leaves an intent whose booking is not settled: abandoned at the
// next start. Between 2 and the confirmation: settled, no sale, so reported 未会計 for the
// desk to finish. Between 2 and 3 of an undo: the booking is no longer settled, so the
// sale is voided with the desk's reason. A redo of a settlement is a settlement again.
//
// The desk model calls reconcile() once at start-up, after it has loaded the shown day,
// and again whenever it finds a day file changed by another program.
#include "sales/sales_ledger.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kavro {

// Saves the day file; the error text (Japanese) when it was not saved.
using DaySave = std::function<std::optional<std::string>()>;
// Whether each booking of a business day is settled; none when the day file is missing or
// cannot be read.
using DayReader = std::function<std::optional<DayBookings>(Date)>;

// Reads day files from dir, never writing one: a change whose journal entry is durable but
// that had not reached the day file is taken as done (the day's next load finishes it), and a
// day file that is empty while its journal is not counts as unreadable.
DayReader dayFileReader(const std::filesystem::path& dir);

// How far back the start-up looks for open intents and live sales whose day files may still
// be there: the purge deletes day files 30 to 60 days old.
inline constexpr int kReconciledDays = 60;

class SettlementProtocol {
public:
    explicit SettlementProtocol(SalesLedger& ledger) : ledger_(ledger) {}

    struct Settled {
        long long intent = 0;             // for confirm()
        std::optional<std::string> error; // nothing settled: the day file was not saved
    };
    Settled settle(const BookingRef& booking, const DaySave& save, DateTime now);
    SalesResult<int> confirm(long long intent, const SaleInput& sale, DateTime now);
    // The error when the day file was not saved, or when it was but the void could not be
    // recorded (the next reconciliation records it).
    std::optional<std::string> unsettle(const BookingRef& booking, std::string_view reason,
                                        const DaySave& save, DateTime now);

    struct Reconciled {
        std::vector<ReconcileAction> actions; // carried out; the reports for the desk
        std::optional<std::string> error;     // nothing was changed
    };
    Reconciled reconcile(const DayReader& read, Date today, DateTime now);

private:
    SalesLedger& ledger_;
};

} // namespace kavro
