#pragma once
// The rate table (料金表): what a stay costs, by room class, day type and plan, in versions
// that each apply from a date on. Prices are in yen and include the consumption tax, as
// prices shown to Japanese consumers must.
//
// Times of day are minutes from 00:00 (0-1439). A window [from, until] whose until lies
// before its from runs past midnight (20:00-02:00).
#include "charges/day_type.h"
#include "core/records/civil_time.h"
#include "core/records/room_grid.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kavro {

using Yen = std::int64_t;

// Where an item was read from, for the messages that name its line: not part of its value.
struct SourceLine {
    int number = 0; // 1-based; 0 for an item not read from a file
    friend bool operator==(const SourceLine&, const SourceLine&) { return true; }
};

// ご休憩: the first block, then each further block begun.
struct RestPlan {
    int firstMinutes = 0;
    Yen firstPrice = 0;
    int blockMinutes = 0;
    Yen blockPrice = 0;
    SourceLine where;
    friend bool operator==(const RestPlan&, const RestPlan&) = default;
};

// ご宿泊: a flat price for a stay that starts inside the evening window and ends by the
// morning time (the first one after the window); each block begun past it costs extra.
struct StayPlan {
    int from = 0, until = 0; // the window in which the stay must start
    int morning = 0;         // the time by which it ends
    Yen price = 0;
    int blockMinutes = 0;
    Yen blockPrice = 0;
    SourceLine where;
    friend bool operator==(const StayPlan&, const StayPlan&) = default;
};

// サービスタイム: a flat price for a stay that lies wholly inside the window, and is no
// longer than `longest` minutes when that is set.
struct ServicePlan {
    int from = 0, until = 0;
    Yen price = 0;
    int longest = 0; // 0: as long as the window
    SourceLine where;
    friend bool operator==(const ServicePlan&, const ServicePlan&) = default;
};

// 追加人数: each guest above `includedPeople` costs `perPerson`, whatever the plan.
struct ExtraPersonCharge {
    int includedPeople = 0;
    Yen perPerson = 0;
    SourceLine where;
    friend bool operator==(const ExtraPersonCharge&, const ExtraPersonCharge&) = default;
};

// 深夜: once for a rest that reaches into the window (stays and the service time never).
struct LateNightCharge {
    int from = 0, until = 0;
    Yen amount = 0;
    SourceLine where;
    friend bool operator==(const LateNightCharge&, const LateNightCharge&) = default;
};

// The prices of one class on one day type. The rest is the plan that prices any length,
// so a valid table has one for every class and day type; the others are optional.
struct DayRates {
    std::optional<RestPlan> rest;
    std::optional<StayPlan> stay;
    std::optional<ServicePlan> service;
    std::optional<ExtraPersonCharge> extraPerson;
    std::optional<LateNightCharge> lateNight;
    friend bool operator==(const DayRates&, const DayRates&) = default;
};

struct RoomClass {
    std::string name;
    std::bitset<kRoomCount> rooms; // by room index: room 001 is bit 0
    std::array<DayRates, 3> rates; // by dayTypeIndex
    SourceLine where;
    friend bool operator==(const RoomClass&, const RoomClass&) = default;
};

// How the tax included in a receipt's total is rounded to whole yen (once per receipt).
enum class TaxRounding { Down, HalfUp, Up };

struct RateTable {
    Date from;          // 適用開始日: a stay that began on this business date or later
    int taxPercent = 0; // 10 today
    TaxRounding rounding = TaxRounding::Down;
    std::vector<RoomClass> classes;
    SourceLine where;
    friend bool operator==(const RateTable&, const RateTable&) = default;
};

// The whole file: the shop's days off and the tables, oldest first.
struct RateBook {
    std::set<Date> shopDaysOff; // 店休日: priced as 土日祝
    std::vector<RateTable> tables;
    friend bool operator==(const RateBook&, const RateBook&) = default;
};

// The table in force on a business date: the latest whose from is not after it.
const RateTable* tableInForce(const RateBook& book, Date businessDate);
// The class that holds the room (index 0-33).
const RoomClass* classOfRoom(const RateTable& table, int roomIndex);

// The consumption tax contained in a tax-inclusive total: total × rate / (100 + rate),
// rounded once. 11,000 yen at 10 % hold 1,000 yen; 3,000 yen hold 272 yen (272.7, down).
Yen taxIncluded(Yen total, int ratePercent, TaxRounding rounding = TaxRounding::Down);

} // namespace kavro
