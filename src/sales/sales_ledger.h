#pragma once
// The sales file kavro-sales.db beside the day files: every confirmed 会計 as a sale with
// its bill's lines, every void (取消) and reprint (再発行), and the steps of each
// settlement, kept for years (tax records are kept seven years). The day files' purge
// never touches it. It holds no guest names.
//
// SQLite, opened with:
//   journal_mode=WAL      readers (the reports) never wait for the desk's writes
//   synchronous=FULL      a committed sale survives a power cut, not only a crash
//   foreign_keys=ON       lines, voids, reprints and outcomes name a sale that exists
//   busy_timeout=5000 ms  a report reading at the same moment delays a write, never fails it
//   cache_size=16 MiB     the pages a year's report reads stay in memory (the default 2 MiB
//                         holds less than a year of the report's index)
// Each write is one BEGIN IMMEDIATE transaction: a sale, its lines and the outcome of its
// settle intent commit together or not at all. Nothing is ever updated or deleted (see
// sales_schema.h). The settlement protocol built on these steps is in
// settlement_protocol.h.
#include "sales/reconciliation.h"
#include "sales/sale.h"
#include "sales/sqlite_db.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kavro {

inline constexpr std::string_view kSalesFileName = "kavro-sales.db";

template <class T> struct SalesResult {
    T value{};
    std::optional<std::string> error; // Japanese; nothing was written
};

struct StoredSale {
    int receiptNo = 0;
    Date businessDate{};
    SaleInput input; // received as stored (the total for the non-cash methods)
    SaleAmounts amounts;
    bool voided = false;
    std::string voidReason;
    int reprints = 0;
};

class SalesLedger {
public:
    struct Opened {
        std::unique_ptr<SalesLedger> ledger;
        std::optional<std::string> error; // Japanese
    };
    // Opens dir/kavro-sales.db, creating it or bringing its schema up to date. Refuses a
    // file of a later schema, a database of another program, and a file system on which
    // SQLite cannot keep a write-ahead log.
    static Opened open(const std::filesystem::path& dir);

    // Writes an intent, durable once this returns. A settle intent takes the place of an
    // open settle intent of the same booking (abandoned), and voids a live sale of that
    // booking: the day file says the booking is being settled now, so it was not settled.
    SalesResult<long long> openIntent(IntentKind kind, const BookingRef& booking,
                                      std::optional<int> receiptNo, std::string_view reason,
                                      DateTime now);
    // The sale, its lines and the settle intent's outcome, in one transaction. Refused when
    // the intent is not an open settle intent or its booking already has a live sale.
    SalesResult<int> confirmSale(long long intent, const SaleInput& sale, DateTime now);
    // A void intent carried out: its sale voided (when live), the intent closed, the
    // booking's open settle intent abandoned; one transaction.
    std::optional<std::string> completeVoid(long long intent, DateTime now);
    std::optional<std::string> abandonIntent(long long intent, DateTime now);
    std::optional<std::string> recordReprint(int receiptNo, DateTime now);
    // The reconciliation's actions (the reports change nothing), in one transaction.
    std::optional<std::string> apply(const std::vector<ReconcileAction>& actions, DateTime now);

    // Intents without an outcome; only those of bookings from bookedSince on, when given.
    SalesResult<std::vector<OpenIntent>> openIntents(std::optional<Date> bookedSince = {});
    SalesResult<std::vector<LiveSale>> liveSalesBookedSince(Date first);
    SalesResult<std::optional<LiveSale>> liveSaleOf(const BookingRef& booking);
    SalesResult<std::optional<StoredSale>> sale(int receiptNo);

    // For the queries beside this class (sales_queries.h).
    SqliteDb& database() { return *db_; }

private:
    explicit SalesLedger(std::unique_ptr<SqliteDb> db) : db_(std::move(db)) {}
    std::unique_ptr<SqliteDb> db_;
};

// "yyyy-mm-dd hh:mm:ss", the sales file's time text.
std::string salesTimeText(DateTime t);

} // namespace kavro
