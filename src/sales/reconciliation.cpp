#include "sales/reconciliation.h"

#include "core/records/record.h"
#include "sales/sale.h"

#include <algorithm>
#include <set>

namespace kavro {

namespace {

enum class Standing { Unknown, Absent, Settled, NotSettled };

Standing standingOf(const KnownDays& days, const BookingRef& b) {
    const auto day = days.find(b.date);
    if (day == days.end())
        return Standing::Unknown;
    const auto booking = day->second.find(bookingOf(b.recordId));
    if (booking == day->second.end())
        return Standing::Absent;
    return booking->second ? Standing::Settled : Standing::NotSettled;
}

using BookingKey = std::pair<Date, std::string>;
BookingKey keyOf(const BookingRef& b) { return {b.date, std::string(bookingOf(b.recordId))}; }

ReconcileAction action(ReconcileKind kind, const BookingRef& b, long long intent = 0,
                       int receipt = 0, std::string_view reason = {}) {
    return {kind, intent, receipt, b, std::string(reason)};
}

} // namespace

DayBookings bookingStatuses(const DayContent& day) {
    std::map<std::string, std::pair<std::string, bool>, std::less<>>
        last; // booking -> (id, settled)
    for (const ReadRecord& r : day.records) {
        const std::string_view id = idOf(r.text);
        auto& [lastId, settled] = last[std::string(bookingOf(id))];
        if (lastId.empty() || id >= lastId) {
            lastId = std::string(id);
            settled = statusOf(r.text) == kStatusSettled;
        }
    }
    DayBookings out;
    for (const auto& [booking, state] : last)
        out.emplace(booking, state.second);
    return out;
}

std::vector<ReconcileAction> reconcileSales(const KnownDays& days,
                                            const std::vector<OpenIntent>& intents,
                                            const std::vector<LiveSale>& sales) {
    std::vector<ReconcileAction> voids, abandoned, reports;
    std::map<int, const OpenIntent*> voidIntentOf; // receipt -> the open void intent naming it
    for (const OpenIntent& i : intents)
        if (i.kind == IntentKind::Void && i.receiptNo)
            voidIntentOf[*i.receiptNo] = &i;

    // Live sales, lowest receipt first: on a settled booking the first one stands.
    std::vector<LiveSale> ordered = sales;
    std::sort(ordered.begin(), ordered.end(),
              [](const LiveSale& a, const LiveSale& b) { return a.receiptNo < b.receiptNo; });
    std::set<BookingKey> paid;    // settled bookings that keep a live sale
    std::set<int> voidedReceipts; // sales voided here
    for (const LiveSale& s : ordered) {
        const Standing standing = standingOf(days, s.booking);
        const auto intent = voidIntentOf.find(s.receiptNo);
        const OpenIntent* voidIntent = intent == voidIntentOf.end() ? nullptr : intent->second;
        if (standing == Standing::Absent) {
            reports.push_back(
                action(ReconcileKind::ReportMissingBooking, s.booking, 0, s.receiptNo));
        } else if (standing == Standing::NotSettled) {
            voids.push_back(action(
                ReconcileKind::VoidSale, s.booking, voidIntent ? voidIntent->id : 0, s.receiptNo,
                voidIntent ? std::string_view(voidIntent->reason) : kVoidReasonNotSettled));
            voidedReceipts.insert(s.receiptNo);
        } else if (standing == Standing::Settled && !paid.insert(keyOf(s.booking)).second) {
            voids.push_back(
                action(ReconcileKind::VoidSale, s.booking, 0, s.receiptNo, kVoidReasonDuplicate));
            voidedReceipts.insert(s.receiptNo);
        }
    }

    // Open intents, newest first: of several settle intents of one booking the newest is
    // the one the desk is finishing.
    std::vector<const OpenIntent*> newestFirst;
    for (const OpenIntent& i : intents)
        newestFirst.push_back(&i);
    std::sort(newestFirst.begin(), newestFirst.end(),
              [](const OpenIntent* a, const OpenIntent* b) { return a->id > b->id; });
    std::set<BookingKey> unpaid;
    for (const OpenIntent* i : newestFirst) {
        const Standing standing = standingOf(days, i->booking);
        if (standing == Standing::Unknown)
            continue;
        if (i->kind == IntentKind::Void) {
            if (!i->receiptNo || !voidedReceipts.count(*i->receiptNo))
                abandoned.push_back(action(ReconcileKind::AbandonIntent, i->booking, i->id));
            continue;
        }
        const BookingKey key = keyOf(i->booking);
        if (standing == Standing::Settled && !paid.count(key) && unpaid.insert(key).second)
            reports.push_back(action(ReconcileKind::ReportUnpaid, i->booking, i->id));
        else
            abandoned.push_back(action(ReconcileKind::AbandonIntent, i->booking, i->id));
    }

    std::vector<ReconcileAction> all = std::move(voids);
    all.insert(all.end(), abandoned.begin(), abandoned.end());
    all.insert(all.end(), reports.begin(), reports.end());
    return all;
}

} // namespace kavro
