#include "sales/desk_day.h"
#include "sales/reconciliation.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

enum class Day { Unknown, Absent, Settled, NotSettled };
using K = ReconcileKind;

struct Intent {
    long long id;
    IntentKind kind;
    int receipt; // 0: none
};
struct Expected {
    K kind;
    long long intent;
    int receipt;
    std::string_view reason = {}; // of a void
};
struct ReconcileCase {
    const char* label;
    Day day;                       // the booking in its day file
    std::vector<Intent> intents;   // all of the booking
    std::vector<int> liveReceipts; // all of the booking
    std::vector<Expected> actions;
};
void PrintTo(const ReconcileCase& c, std::ostream* os) { *os << c.label; }

const BookingRef kBooking{test::kSalesDay, "005100501", 5}; // an extension, settled

class Reconciliation : public ::testing::TestWithParam<ReconcileCase> {};

TEST_P(Reconciliation, RestoresTheInvariantWithoutEverMakingASale) {
    const ReconcileCase& c = GetParam();
    KnownDays days;
    if (c.day != Day::Unknown)
        days[kBooking.date]["0031003"] = true; // another booking of the day
    if (c.day == Day::Settled || c.day == Day::NotSettled)
        days[kBooking.date]["0051005"] = c.day == Day::Settled;
    std::vector<OpenIntent> intents;
    for (const Intent& i : c.intents)
        intents.push_back({i.id, i.kind, kBooking,
                           i.receipt ? std::optional<int>(i.receipt) : std::nullopt,
                           i.kind == IntentKind::Void ? "精算の取り消し" : ""});
    std::vector<LiveSale> sales;
    for (int r : c.liveReceipts)
        sales.push_back({r, kBooking});

    const auto actions = reconcileSales(days, intents, sales);
    ASSERT_EQ(actions.size(), c.actions.size());
    for (std::size_t i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i].kind, c.actions[i].kind) << i;
        EXPECT_EQ(actions[i].intent, c.actions[i].intent) << i;
        EXPECT_EQ(actions[i].receiptNo, c.actions[i].receipt) << i;
        EXPECT_EQ(actions[i].booking, kBooking) << i;
        EXPECT_EQ(actions[i].reason, c.actions[i].reason) << i;
    }
}

constexpr IntentKind S = IntentKind::Settle, V = IntentKind::Void;

INSTANTIATE_TEST_SUITE_P(
    Rows, Reconciliation,
    ::testing::Values(ReconcileCase{"crash before the day file: intent abandoned",
                                    Day::NotSettled,
                                    {{1, S, 0}},
                                    {},
                                    {{K::AbandonIntent, 1, 0}}},
                      ReconcileCase{"settled, never confirmed: 未会計",
                                    Day::Settled,
                                    {{1, S, 0}},
                                    {},
                                    {{K::ReportUnpaid, 1, 0}}},
                      ReconcileCase{"settled and sold: a stray intent abandoned",
                                    Day::Settled,
                                    {{2, S, 0}},
                                    {1},
                                    {{K::AbandonIntent, 2, 0}}},
                      ReconcileCase{"settled and sold: in step", Day::Settled, {}, {1}, {}},
                      ReconcileCase{"sold, no longer settled: voided",
                                    Day::NotSettled,
                                    {},
                                    {1},
                                    {{K::VoidSale, 0, 1, kVoidReasonNotSettled}}},
                      ReconcileCase{"undo reached the day file: voided with its reason",
                                    Day::NotSettled,
                                    {{3, V, 1}},
                                    {1},
                                    {{K::VoidSale, 3, 1, "精算の取り消し"}}},
                      ReconcileCase{"undo never reached the day file: the sale stays",
                                    Day::Settled,
                                    {{3, V, 1}},
                                    {1},
                                    {{K::AbandonIntent, 3, 0}}},
                      ReconcileCase{"未会計 taken back",
                                    Day::NotSettled,
                                    {{1, S, 0}, {2, V, 0}},
                                    {},
                                    {{K::AbandonIntent, 2, 0}, {K::AbandonIntent, 1, 0}}},
                      ReconcileCase{"two sales for one settlement: the later voided",
                                    Day::Settled,
                                    {},
                                    {2, 1},
                                    {{K::VoidSale, 0, 2, kVoidReasonDuplicate}}},
                      ReconcileCase{"two open settle intents: the newer is the desk's",
                                    Day::Settled,
                                    {{1, S, 0}, {2, S, 0}},
                                    {},
                                    {{K::AbandonIntent, 1, 0}, {K::ReportUnpaid, 2, 0}}},
                      ReconcileCase{"booking gone from its file: reported, not voided",
                                    Day::Absent,
                                    {{3, S, 0}},
                                    {1},
                                    {{K::AbandonIntent, 3, 0}, {K::ReportMissingBooking, 0, 1}}},
                      ReconcileCase{"day file purged or unreadable: left alone",
                                    Day::Unknown,
                                    {{3, S, 0}, {4, V, 1}},
                                    {1},
                                    {}}));

TEST(BookingStatuses, ABookingIsSettledWhenItsLastRecordIs) {
    DayContent day;
    const char* lines[] = {
        "001100100,2026/12/05 19:00,1,2026/12/05 20:00,2,001,A,延長",
        "001100101,2026/12/05 20:00,1,2026/12/05 21:00,2,001,A,精算",
        "002100200,2026/12/05 19:00,1,2026/12/05 20:00,2,002,B,精算",
        "002100201,2026/12/05 20:00,1,2026/12/05 21:00,2,002,B,通知", // extended after an undo
        "003100300,2026/12/05 19:00,1,2026/12/05 20:00,2,007,C,精算", // moved to room 007
    };
    for (const char* l : lines)
        day.records.push_back({0, l, l});
    const DayBookings expected{{"0011001", true}, {"0021002", false}, {"0031003", true}};
    EXPECT_EQ(bookingStatuses(day), expected);
}

} // namespace
} // namespace kavro
