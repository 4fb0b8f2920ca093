#include "sales/sales_ledger.h"

#include "sales/sales_schema.h"

#include <algorithm>
#include <cstdio>

namespace kavro {

namespace {

template <class F> std::optional<std::string> guarded(F&& f) {
    try {
        f();
        return std::nullopt;
    } catch (const SqlFailure& e) {
        return salesFileErrorText(e);
    }
}

template <class T, class F> SalesResult<T> guardedValue(F&& f) {
    try {
        return f();
    } catch (const SqlFailure& e) {
        return {T{}, salesFileErrorText(e)};
    }
}

std::string dateText(Date d) { return formatIsoDate(d); }

Date dateFrom(const std::string& text) { return parseIsoDate(text).value_or(Date{}); }

constexpr std::string_view kOpenIntentsSql =
    "SELECT id, kind, booking_date, booking_id, room, receipt_no, reason FROM intents i "
    "WHERE NOT EXISTS (SELECT 1 FROM intent_outcomes o WHERE o.intent = i.id)";
constexpr std::string_view kLiveSalesSql =
    "SELECT receipt_no, booking_date, booking_id, room FROM sales s "
    "WHERE NOT EXISTS (SELECT 1 FROM voids v WHERE v.receipt_no = s.receipt_no)";

OpenIntent intentFrom(const SqlStatement& s) {
    OpenIntent i;
    i.id = s.integer(0);
    i.kind = s.text(1) == "void" ? IntentKind::Void : IntentKind::Settle;
    i.booking = {dateFrom(s.text(2)), s.text(3), static_cast<int>(s.integer(4))};
    if (auto r = s.optionalInteger(5))
        i.receiptNo = static_cast<int>(*r);
    i.reason = s.text(6);
    return i;
}

LiveSale liveSaleFrom(const SqlStatement& s) {
    return {static_cast<int>(s.integer(0)),
            {dateFrom(s.text(1)), s.text(2), static_cast<int>(s.integer(3))}};
}

std::optional<OpenIntent> openIntentById(SqliteDb& db, long long id) {
    SqlStatement s = db.prepare(std::string(kOpenIntentsSql) + " AND id = ?1");
    s.bind(1, id);
    if (!s.step())
        return std::nullopt;
    return intentFrom(s);
}

std::vector<LiveSale> liveSalesOfBooking(SqliteDb& db, const BookingRef& b) {
    SqlStatement s = db.prepare(std::string(kLiveSalesSql) +
                                " AND booking_date = ?1 AND booking = ?2 ORDER BY receipt_no");
    s.bind(1, dateText(b.date)).bind(2, bookingOf(b.recordId));
    std::vector<LiveSale> out;
    while (s.step())
        out.push_back(liveSaleFrom(s));
    return out;
}

bool isLive(SqliteDb& db, int receiptNo) {
    SqlStatement s = db.prepare(std::string(kLiveSalesSql) + " AND receipt_no = ?1");
    s.bind(1, receiptNo);
    return s.step();
}

void insertOutcome(SqliteDb& db, long long intent, std::string_view outcome,
                   std::optional<int> receiptNo, DateTime now) {
    SqlStatement s = db.prepare("INSERT INTO intent_outcomes (intent, outcome, receipt_no, "
                                "resolved_at) VALUES (?1, ?2, ?3, ?4)");
    s.bind(1, intent).bind(2, outcome).bind(4, salesTimeText(now));
    receiptNo ? s.bind(3, *receiptNo) : s.bindNull(3);
    s.run();
}

void insertVoid(SqliteDb& db, int receiptNo, std::string_view reason, DateTime now) {
    db.prepare("INSERT INTO voids (receipt_no, business_date, voided_at, reason) "
               "VALUES (?1, ?2, ?3, ?4)")
        .bind(1, receiptNo)
        .bind(2, dateText(businessDateAt(now)))
        .bind(3, salesTimeText(now))
        .bind(4, reason)
        .run();
}

void abandonOpenSettleIntents(SqliteDb& db, const BookingRef& b, DateTime now) {
    SqlStatement s =
        db.prepare(std::string(kOpenIntentsSql) +
                   " AND kind = 'settle' AND booking_date = ?1 AND substr(booking_id, 1, 7) = ?2");
    s.bind(1, dateText(b.date)).bind(2, bookingOf(b.recordId));
    std::vector<long long> ids;
    while (s.step())
        ids.push_back(s.integer(0));
    for (long long id : ids)
        insertOutcome(db, id, "abandoned", std::nullopt, now);
}

void insertSale(SqliteDb& db, int receiptNo, const SaleInput& in, const SaleAmounts& a) {
    db.prepare("INSERT INTO sales (receipt_no, business_date, sold_at, booking_date, booking_id, "
               "room, minutes, people, plan, line_count, subtotal, discount_kind, discount_value, "
               "discount_amount, discount_reason, total, tax_rate, tax_included, method, "
               "received, change_given) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, "
               "?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21)")
        .bind(1, receiptNo)
        .bind(2, dateText(businessDateAt(in.soldAt)))
        .bind(3, salesTimeText(in.soldAt))
        .bind(4, dateText(in.bookingDate))
        .bind(5, in.bookingId)
        .bind(6, in.room)
        .bind(7, in.minutes)
        .bind(8, in.people)
        .bind(9, in.plan)
        .bind(10, static_cast<long long>(in.lines.size()))
        .bind(11, a.subtotal)
        .bind(12, discountCode(in.discount.kind))
        .bind(13, in.discount.kind == DiscountKind::None ? 0 : in.discount.value)
        .bind(14, a.discount)
        .bind(15, in.discount.kind == DiscountKind::None ? "" : in.discount.reason)
        .bind(16, a.total)
        .bind(17, in.taxRatePercent)
        .bind(18, a.taxIncluded)
        .bind(19, methodCode(in.method))
        .bind(20, a.received)
        .bind(21, a.change)
        .run();
    SqlStatement line = db.prepare(
        "INSERT INTO sale_lines (receipt_no, line_no, name, amount) VALUES (?1, ?2, ?3, ?4)");
    for (std::size_t i = 0; i < in.lines.size(); ++i)
        line.bind(1, receiptNo)
            .bind(2, static_cast<long long>(i + 1))
            .bind(3, in.lines[i].name)
            .bind(4, in.lines[i].amount)
            .run();
}

bool isNewFile(SqliteDb& db) { return db.pragmaInteger("SELECT count(*) FROM sqlite_schema") == 0; }

} // namespace

std::string salesTimeText(DateTime t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, " %02d:%02d:%02d", hourOf(t), minuteOf(t), secondOf(t));
    return formatIsoDate(dateOf(t)) + buf;
}

SalesLedger::Opened SalesLedger::open(const std::filesystem::path& dir) {
    try {
        auto db = std::make_unique<SqliteDb>(dir / kSalesFileName);
        db->exec("PRAGMA busy_timeout = 5000");
        const long long version = db->pragmaInteger("PRAGMA user_version");
        if (db->pragmaInteger("PRAGMA application_id") != kSalesApplicationId && !isNewFile(*db))
            return {nullptr, "売上ファイル（kavro-sales.db）の場所に、このプログラムのものではない"
                             "ファイルがあるため使えません"};
        if (version > kSalesSchemaVersion)
            return {nullptr, "売上ファイル（kavro-sales.db）は新しい版のプログラムで作られたため、"
                             "この版では使えません"};
        if (db->pragmaText("PRAGMA journal_mode = WAL") != "wal")
            return {nullptr, "売上ファイル（kavro-sales.db）を安全に書き込める形式（WAL）で"
                             "開けません"};
        db->exec("PRAGMA synchronous = FULL");
        db->exec("PRAGMA cache_size = -16384"); // KiB: a few years' report index stays in memory
        db->exec("PRAGMA foreign_keys = ON");
        const auto& migrations = salesMigrations();
        for (long long v = version + 1; v <= kSalesSchemaVersion; ++v) {
            SqlTransaction t(*db);
            db->exec(migrations[static_cast<std::size_t>(v - 1)]);
            db->exec("PRAGMA user_version = " + std::to_string(v));
            db->exec("PRAGMA application_id = " + std::to_string(kSalesApplicationId));
            t.commit();
        }
        return {std::unique_ptr<SalesLedger>(new SalesLedger(std::move(db))), std::nullopt};
    } catch (const SqlFailure& e) {
        return {nullptr, salesFileErrorText(e)};
    }
}

SalesResult<long long> SalesLedger::openIntent(IntentKind kind, const BookingRef& booking,
                                               std::optional<int> receiptNo,
                                               std::string_view reason, DateTime now) {
    return guardedValue<long long>([&]() -> SalesResult<long long> {
        SqlTransaction t(*db_);
        if (kind == IntentKind::Settle) {
            abandonOpenSettleIntents(*db_, booking, now);
            for (const LiveSale& stale : liveSalesOfBooking(*db_, booking))
                insertVoid(*db_, stale.receiptNo, "精算がやり直されたため", now);
        }
        SqlStatement s = db_->prepare("INSERT INTO intents (kind, booking_date, booking_id, room, "
                                      "receipt_no, reason, opened_at) VALUES (?1, ?2, ?3, ?4, "
                                      "?5, ?6, ?7)");
        s.bind(1, kind == IntentKind::Void ? "void" : "settle")
            .bind(2, dateText(booking.date))
            .bind(3, booking.recordId)
            .bind(4, booking.room)
            .bind(6, reason)
            .bind(7, salesTimeText(now));
        receiptNo ? s.bind(5, *receiptNo) : s.bindNull(5);
        s.run();
        const long long id = db_->pragmaInteger("SELECT last_insert_rowid()");
        t.commit();
        return {id, std::nullopt};
    });
}

SalesResult<int> SalesLedger::confirmSale(long long intent, const SaleInput& sale, DateTime now) {
    const PricedSale priced = priceSale(sale);
    if (priced.error)
        return {0, priced.error};
    return guardedValue<int>([&]() -> SalesResult<int> {
        SqlTransaction t(*db_);
        const auto open = openIntentById(*db_, intent);
        if (!open || open->kind != IntentKind::Settle)
            return {0, "この精算の会計は、もう済んでいるか取り消されています"};
        const BookingRef& b = open->booking;
        if (b.date != sale.bookingDate || bookingOf(b.recordId) != bookingOf(sale.bookingId))
            return {0, "会計の内容が、精算した記録と合いません"};
        if (!liveSalesOfBooking(*db_, b).empty())
            return {0, "この記録の売上は、もう記録されています"};
        const int receiptNo = static_cast<int>(
            db_->pragmaInteger("SELECT coalesce(max(receipt_no), 0) + 1 FROM sales"));
        insertSale(*db_, receiptNo, sale, priced.amounts);
        insertOutcome(*db_, intent, "confirmed", receiptNo, now);
        t.commit();
        return {receiptNo, std::nullopt};
    });
}

std::optional<std::string> SalesLedger::completeVoid(long long intent, DateTime now) {
    std::optional<std::string> refusal;
    auto error = guarded([&] {
        SqlTransaction t(*db_);
        const auto open = openIntentById(*db_, intent);
        if (!open || open->kind != IntentKind::Void) {
            refusal = "この取消は、もう済んでいます";
            return;
        }
        const bool voidsASale = open->receiptNo && isLive(*db_, *open->receiptNo);
        if (voidsASale)
            insertVoid(*db_, *open->receiptNo, open->reason, now);
        insertOutcome(*db_, intent, voidsASale ? "voided" : "abandoned", open->receiptNo, now);
        abandonOpenSettleIntents(*db_, open->booking, now);
        t.commit();
    });
    return error ? error : refusal;
}

std::optional<std::string> SalesLedger::abandonIntent(long long intent, DateTime now) {
    return guarded([&] {
        SqlTransaction t(*db_);
        if (openIntentById(*db_, intent))
            insertOutcome(*db_, intent, "abandoned", std::nullopt, now);
        t.commit();
    });
}

std::optional<std::string> SalesLedger::recordReprint(int receiptNo, DateTime now) {
    return guarded([&] {
        db_->prepare("INSERT INTO reprints (receipt_no, printed_at) VALUES (?1, ?2)")
            .bind(1, receiptNo)
            .bind(2, salesTimeText(now))
            .run();
    });
}

std::optional<std::string> SalesLedger::apply(const std::vector<ReconcileAction>& actions,
                                              DateTime now) {
    return guarded([&] {
        SqlTransaction t(*db_);
        for (const ReconcileAction& a : actions) {
            const bool intentOpen = a.intent != 0 && openIntentById(*db_, a.intent);
            if (a.kind == ReconcileKind::VoidSale && isLive(*db_, a.receiptNo)) {
                insertVoid(*db_, a.receiptNo, a.reason, now);
                if (intentOpen)
                    insertOutcome(*db_, a.intent, "voided", a.receiptNo, now);
            } else if (a.kind == ReconcileKind::AbandonIntent && intentOpen) {
                insertOutcome(*db_, a.intent, "abandoned", std::nullopt, now);
            }
        }
        t.commit();
    });
}

SalesResult<std::vector<OpenIntent>> SalesLedger::openIntents(std::optional<Date> bookedSince) {
    return guardedValue<std::vector<OpenIntent>>([&]() -> SalesResult<std::vector<OpenIntent>> {
        // Sorted here: ORDER BY would lead SQLite to walk every intent ever written in id
        // order instead of the index's few recent days.
        SqlStatement s = db_->prepare(std::string(kOpenIntentsSql) + " AND booking_date >= ?1");
        s.bind(1, bookedSince ? dateText(*bookedSince) : std::string());
        std::vector<OpenIntent> out;
        while (s.step())
            out.push_back(intentFrom(s));
        std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
        return {std::move(out), std::nullopt};
    });
}

SalesResult<std::vector<LiveSale>> SalesLedger::liveSalesBookedSince(Date first) {
    return guardedValue<std::vector<LiveSale>>([&]() -> SalesResult<std::vector<LiveSale>> {
        SqlStatement s = db_->prepare(std::string(kLiveSalesSql) + " AND booking_date >= ?1");
        s.bind(1, dateText(first));
        std::vector<LiveSale> out;
        while (s.step())
            out.push_back(liveSaleFrom(s));
        std::sort(out.begin(), out.end(),
                  [](const auto& a, const auto& b) { return a.receiptNo < b.receiptNo; });
        return {std::move(out), std::nullopt};
    });
}

SalesResult<std::optional<LiveSale>> SalesLedger::liveSaleOf(const BookingRef& booking) {
    return guardedValue<std::optional<LiveSale>>([&]() -> SalesResult<std::optional<LiveSale>> {
        auto all = liveSalesOfBooking(*db_, booking);
        if (all.empty())
            return {std::nullopt, std::nullopt};
        return {all.front(), std::nullopt};
    });
}

SalesResult<std::optional<StoredSale>> SalesLedger::sale(int receiptNo) {
    return guardedValue<std::optional<StoredSale>>([&]() -> SalesResult<std::optional<StoredSale>> {
        SqlStatement s = db_->prepare(
            "SELECT business_date, sold_at, booking_date, booking_id, room, minutes, people, plan, "
            "subtotal, discount_kind, discount_value, discount_amount, discount_reason, total, "
            "tax_rate, tax_included, method, received, change_given, "
            "(SELECT reason FROM voids v WHERE v.receipt_no = s.receipt_no), "
            "(SELECT count(*) FROM reprints r WHERE r.receipt_no = s.receipt_no) "
            "FROM sales s WHERE receipt_no = ?1");
        s.bind(1, receiptNo);
        if (!s.step())
            return {std::nullopt, std::nullopt};
        StoredSale out;
        out.receiptNo = receiptNo;
        out.businessDate = dateFrom(s.text(0));
        SaleInput& in = out.input;
        std::string soldAt = s.text(1);
        std::replace(soldAt.begin(), soldAt.begin() + 10, '-', '/');
        in.soldAt = parseDateTime(soldAt).value_or(DateTime{});
        in.bookingDate = dateFrom(s.text(2));
        in.bookingId = s.text(3);
        in.room = static_cast<int>(s.integer(4));
        in.minutes = static_cast<int>(s.integer(5));
        in.people = static_cast<int>(s.integer(6));
        in.plan = s.text(7);
        in.discount = {discountFromCode(s.text(9)).value_or(DiscountKind::None), s.integer(10),
                       s.text(12)};
        in.taxRatePercent = static_cast<int>(s.integer(14));
        in.method = methodFromCode(s.text(16)).value_or(PaymentMethod::Cash);
        in.received = s.integer(17);
        out.amounts = {s.integer(8),  s.integer(11), s.integer(13),
                       s.integer(15), s.integer(17), s.integer(18)};
        out.voided = !s.isNull(19);
        out.voidReason = s.text(19);
        out.reprints = static_cast<int>(s.integer(20));

        SqlStatement lines = db_->prepare(
            "SELECT name, amount FROM sale_lines WHERE receipt_no = ?1 ORDER BY line_no");
        lines.bind(1, receiptNo);
        while (lines.step())
            in.lines.push_back({lines.text(0), lines.integer(1)});
        return {std::move(out), std::nullopt};
    });
}

} // namespace kavro
