#pragma once
// The bill of one stay: every plan of the rate table that covers it, priced in its named
// parts, and the cheapest of them, which is what the guest pays. Taking the cheapest is
// also the rule that a guest never pays more by the hour than the overnight price: once
// the overnight plan covers a stay, a long rest can cost no more than it.
//
// The stay is priced by the table in force on the business date it began, in the room's
// class, in the column of its day type (day_type.h). Equal totals go to ご休憩, then
// サービスタイム, then ご宿泊.
#include "charges/rate_table.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

enum class Plan { Rest, Service, Stay };
inline constexpr std::array<Plan, 3> kPlans{Plan::Rest, Plan::Service, Plan::Stay};
// 「ご休憩」, 「サービスタイム」, 「ご宿泊」
std::string_view planName(Plan plan);
constexpr std::size_t planIndex(Plan plan) { return static_cast<std::size_t>(plan); }

struct PlanCharge {
    Plan plan = Plan::Rest;
    DayType dayType = DayType::Weekday; // the column it was priced from
    Yen basic = 0;                      // 基本料金
    int extensionBlocks = 0;            // 延長: blocks begun past the plan's time
    Yen extension = 0;
    int extraPeople = 0; // 追加人数: guests above those the price includes
    Yen extraPerson = 0;
    Yen lateNight = 0; // 深夜
    Yen total() const { return basic + extension + extraPerson + lateNight; }
    friend bool operator==(const PlanCharge&, const PlanCharge&) = default;
};

// One line of a bill as a receipt or a tooltip shows it.
struct BillPart {
    std::string_view name; // 基本料金, 延長, 追加人数, 深夜
    Yen amount = 0;
    int count = 0; // blocks of 延長, guests of 追加人数; 0 for the others
    friend bool operator==(const BillPart&, const BillPart&) = default;
};
// 基本料金, then those of 延長, 追加人数 and 深夜 that cost something.
std::vector<BillPart> partsOf(const PlanCharge& charge);

struct StayToPrice {
    int room = 0;   // room index 0-33
    DateTime start; // arrival
    DateTime end;   // end of the last record
    int people = 0;
};

struct Bill {
    // Why there is no price (no table in force, a room without a class): the desk then
    // shows 料金未設定, never 0 円. Empty when priced.
    std::optional<std::string> noPrice;
    Date businessDate;          // the day the stay began
    Date tableFrom;             // the 適用開始日 of the table that priced it
    std::string_view className; // a view into the book: valid while the book is
    std::array<std::optional<PlanCharge>, 3> plans; // by planIndex: each that covers it
    Plan chosen = Plan::Rest;                       // the cheapest
    Yen total = 0;
    Yen tax = 0; // the consumption tax included in the total
    int taxPercent = 0;

    bool priced() const { return !noPrice; }
    const PlanCharge& charge() const { return *plans[planIndex(chosen)]; }
};

Bill billStay(const RateBook& book, const StayToPrice& stay);
// The same with the kind of the stay's business date already known (a day's bills share
// it: holidays need not be worked out again for each).
Bill billStay(const RateBook& book, const StayToPrice& stay, DayKind kind);

} // namespace kavro
