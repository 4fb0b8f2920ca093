#include "sales/settlement_protocol.h"

#include "core/journal/journal.h"
#include "core/journal/journal_file.h"

#include <set>

namespace kavro {

namespace {

// The day's lines as its next load will see them: the journal's last change finished when
// the day file still holds the state that change was made from.
std::optional<std::string> dayAsLoaded(const std::filesystem::path& file) {
    const FileRead day = readWholeFile(file, "日付ファイル");
    if (!day.exists || day.error)
        return std::nullopt;
    const FileRead journal = readWholeFile(journalPathFor(file), "履歴ファイル");
    if (!journal.exists || journal.error)
        return day.bytes;
    const ParsedJournal parsed = parseJournal(journal.bytes);
    if (parsed.error || parsed.entries.empty())
        return day.bytes;
    const JournalEntry& last = parsed.entries.back();
    if (day.bytes.empty() && !replayJournal(parsed.entries).lines.empty())
        return std::nullopt; // a rebuild is offered at the day's load: nothing to go by yet
    const FileIdentity id = identityOf(day.bytes);
    if (id == last.after || id != last.before || last.op == JournalOp::Rebuild)
        return day.bytes;
    const ApplyResult finished = applyLineDiff(splitDayLines(day.bytes), last.diff, false);
    return finished.conflict ? day.bytes : joinDayLines(finished.lines);
}

} // namespace

DayReader dayFileReader(const std::filesystem::path& dir) {
    return [dir](Date date) -> std::optional<DayBookings> {
        const auto bytes = dayAsLoaded(dayFilePath(dir, date));
        if (!bytes)
            return std::nullopt;
        return bookingStatuses(parseDayFile(*bytes));
    };
}

SettlementProtocol::Settled SettlementProtocol::settle(const BookingRef& booking,
                                                       const DaySave& save, DateTime now) {
    const auto intent = ledger_.openIntent(IntentKind::Settle, booking, std::nullopt, "", now);
    if (intent.error)
        return {0, intent.error};
    if (auto error = save()) {
        // Should this fail too, the next start abandons it: the booking is not settled.
        ledger_.abandonIntent(intent.value, now);
        return {0, error};
    }
    return {intent.value, std::nullopt};
}

SalesResult<int> SettlementProtocol::confirm(long long intent, const SaleInput& sale,
                                             DateTime now) {
    return ledger_.confirmSale(intent, sale, now);
}

std::optional<std::string> SettlementProtocol::unsettle(const BookingRef& booking,
                                                        std::string_view reason,
                                                        const DaySave& save, DateTime now) {
    const auto live = ledger_.liveSaleOf(booking);
    if (live.error)
        return live.error;
    const std::optional<int> receipt =
        live.value ? std::optional<int>(live.value->receiptNo) : std::nullopt;
    const auto intent = ledger_.openIntent(IntentKind::Void, booking, receipt, reason, now);
    if (intent.error)
        return intent.error;
    if (auto error = save()) {
        ledger_.abandonIntent(intent.value, now);
        return error;
    }
    return ledger_.completeVoid(intent.value, now);
}

SettlementProtocol::Reconciled SettlementProtocol::reconcile(const DayReader& read, Date today,
                                                             DateTime now) {
    const Date since = addDays(today, -kReconciledDays);
    const auto intents = ledger_.openIntents(since);
    if (intents.error)
        return {{}, intents.error};
    const auto sales = ledger_.liveSalesBookedSince(since);
    if (sales.error)
        return {{}, sales.error};

    std::set<Date> dates;
    for (const OpenIntent& i : intents.value)
        dates.insert(i.booking.date);
    for (const LiveSale& s : sales.value)
        dates.insert(s.booking.date);
    KnownDays days;
    for (Date d : dates)
        if (auto bookings = read(d))
            days.emplace(d, std::move(*bookings));

    Reconciled out{reconcileSales(days, intents.value, sales.value), std::nullopt};
    if (auto error = ledger_.apply(out.actions, now))
        return {{}, error};
    return out;
}

} // namespace kavro
