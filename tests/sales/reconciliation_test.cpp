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
constexpr K Void = K::VoidSale, Drop = K::AbandonIntent, Unpaid = K::ReportUnpaid,
            Missing = K::ReportMissingBooking;
constexpr Day Paid = Day::Settled, Open = Day::NotSettled, Gone = Day::Absent;

// Intents {id, kind, receipt}; actions {kind, intent, receipt, void reason}.
const ReconcileCase kRows[] = {
    {"crash before the day file", Open, {{1, S, 0}}, {}, {{Drop, 1, 0}}},
    {"settled, 会計 never confirmed", Paid, {{1, S, 0}}, {}, {{Unpaid, 1, 0}}},
    {"settled and sold: stray intent", Paid, {{2, S, 0}}, {1}, {{Drop, 2, 0}}},
    {"settled and sold: in step", Paid, {}, {1}, {}},
    {"sold, no longer settled", Open, {}, {1}, {{Void, 0, 1, kVoidReasonNotSettled}}},
    {"undo reached the day file", Open, {{3, V, 1}}, {1}, {{Void, 3, 1, "精算の取り消し"}}},
    {"undo never reached it", Paid, {{3, V, 1}}, {1}, {{Drop, 3, 0}}},
    {"未会計 taken back", Open, {{1, S, 0}, {2, V, 0}}, {}, {{Drop, 2, 0}, {Drop, 1, 0}}},
    {"two sales, one settlement", Paid, {}, {2, 1}, {{Void, 0, 2, kVoidReasonDuplicate}}},
    {"two settle intents", Paid, {{1, S, 0}, {2, S, 0}}, {}, {{Drop, 1, 0}, {Unpaid, 2, 0}}},
    {"booking gone from its file", Gone, {{3, S, 0}}, {1}, {{Drop, 3, 0}, {Missing, 0, 1}}},
    {"day file purged or unreadable", Day::Unknown, {{3, S, 0}, {4, V, 1}}, {1}, {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, Reconciliation, ::testing::ValuesIn(kRows));

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
