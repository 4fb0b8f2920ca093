#include "charges/bill.h"

#include "core/records/record.h"

namespace kavro {

namespace {

// A stay and the daily windows are compared in whole minutes from the civil epoch: a day's
// bills need thousands of these comparisons, and calendar arithmetic for each would cost
// more than everything else together.
constexpr long kMinutesPerDay = 1440;

long minutesOf(DateTime t) {
    return std::chrono::floor<std::chrono::minutes>(t).time_since_epoch().count();
}
long dayOf(long minute) {
    return minute >= 0 ? minute / kMinutesPerDay : (minute + 1) / kMinutesPerDay - 1;
}

struct Span {
    long from, until;
};
// The daily window as it occurs from the given day on.
Span windowFrom(long day, int from, int until) {
    return {day * kMinutesPerDay + from, (until < from ? day + 1 : day) * kMinutesPerDay + until};
}

struct StaySpan {
    long start, end;
    int people;
    long minutes() const { return end - start; }
    long startDay() const { return dayOf(start); }
};

int blocksBegun(long minutes, int blockMinutes) {
    return minutes <= 0 ? 0 : static_cast<int>((minutes + blockMinutes - 1) / blockMinutes);
}

void addExtraPeople(PlanCharge& c, const std::optional<ExtraPersonCharge>& extra, int people) {
    if (extra && people > extra->includedPeople) {
        c.extraPeople = people - extra->includedPeople;
        c.extraPerson = c.extraPeople * extra->perPerson;
    }
}

std::optional<PlanCharge> restCharge(const DayRates& r, DayType type, const StaySpan& s) {
    if (!r.rest)
        return std::nullopt;
    PlanCharge c{Plan::Rest, type};
    c.basic = r.rest->firstPrice;
    c.extensionBlocks = blocksBegun(s.minutes() - r.rest->firstMinutes, r.rest->blockMinutes);
    c.extension = c.extensionBlocks * r.rest->blockPrice;
    addExtraPeople(c, r.extraPerson, s.people);
    if (const auto& night = r.lateNight) {
        for (long d = s.startDay() - 1; d <= dayOf(s.end); ++d) {
            const Span w = windowFrom(d, night->from, night->until);
            if (w.from < s.end && s.start < w.until) {
                c.lateNight = night->amount;
                break;
            }
        }
    }
    return c;
}

std::optional<PlanCharge> serviceCharge(const DayRates& r, DayType type, const StaySpan& s) {
    if (!r.service || (r.service->longest > 0 && s.minutes() > r.service->longest))
        return std::nullopt;
    for (long d : {s.startDay() - 1, s.startDay()}) {
        const Span w = windowFrom(d, r.service->from, r.service->until);
        if (w.from <= s.start && s.end <= w.until) {
            PlanCharge c{Plan::Service, type};
            c.basic = r.service->price;
            addExtraPeople(c, r.extraPerson, s.people);
            return c;
        }
    }
    return std::nullopt;
}

std::optional<PlanCharge> stayCharge(const DayRates& r, DayType type, const StaySpan& s) {
    if (!r.stay)
        return std::nullopt;
    for (long d : {s.startDay() - 1, s.startDay()}) {
        const Span w = windowFrom(d, r.stay->from, r.stay->until);
        if (s.start < w.from || w.until < s.start)
            continue;
        // The first morning time after the window closed.
        long morning = dayOf(w.until) * kMinutesPerDay + r.stay->morning;
        if (morning < w.until)
            morning += kMinutesPerDay;
        PlanCharge c{Plan::Stay, type};
        c.basic = r.stay->price;
        c.extensionBlocks = blocksBegun(s.end - morning, r.stay->blockMinutes);
        c.extension = c.extensionBlocks * r.stay->blockPrice;
        addExtraPeople(c, r.extraPerson, s.people);
        return c;
    }
    return std::nullopt;
}

Bill noPrice(Bill bill, std::string why) {
    bill.noPrice = std::move(why);
    return bill;
}

} // namespace

std::string_view planName(Plan plan) {
    switch (plan) {
    case Plan::Rest:
        return "ご休憩";
    case Plan::Service:
        return "サービスタイム";
    case Plan::Stay:
        return "ご宿泊";
    }
    return {};
}

std::vector<BillPart> partsOf(const PlanCharge& c) {
    std::vector<BillPart> parts{{"基本料金", c.basic, 0}};
    if (c.extension)
        parts.push_back({"延長", c.extension, c.extensionBlocks});
    if (c.extraPerson)
        parts.push_back({"追加人数", c.extraPerson, c.extraPeople});
    if (c.lateNight)
        parts.push_back({"深夜", c.lateNight, 0});
    return parts;
}

Bill billStay(const RateBook& book, const StayToPrice& stay) {
    return billStay(book, stay, dayKindOf(businessDateAt(stay.start), book.shopDaysOff));
}

Bill billStay(const RateBook& book, const StayToPrice& stay, DayKind kind) {
    Bill bill;
    bill.businessDate = businessDateAt(stay.start);
    if (!(stay.start < stay.end))
        return noPrice(std::move(bill), "終了が開始より後ではありません");
    const RateTable* table = tableInForce(book, bill.businessDate);
    if (!table)
        return noPrice(std::move(bill),
                       formatDate(bill.businessDate) + " に適用される料金表がありません");
    bill.tableFrom = table->from;
    const RoomClass* roomClass = classOfRoom(*table, stay.room);
    if (!roomClass)
        return noPrice(std::move(bill),
                       "部屋 " + roomCode(stay.room) + " はどの区分にも入っていません");
    bill.className = roomClass->name;

    const StaySpan span{minutesOf(stay.start), minutesOf(stay.end), stay.people};
    const DayType daytime = kind.daytime(), night = kind.night();
    const DayRates& day = roomClass->rates[dayTypeIndex(daytime)];
    bill.plans[planIndex(Plan::Rest)] = restCharge(day, daytime, span);
    bill.plans[planIndex(Plan::Service)] = serviceCharge(day, daytime, span);
    bill.plans[planIndex(Plan::Stay)] =
        stayCharge(roomClass->rates[dayTypeIndex(night)], night, span);

    const PlanCharge* cheapest = nullptr;
    for (Plan plan : kPlans)
        if (const auto& c = bill.plans[planIndex(plan)];
            c && (!cheapest || c->total() < cheapest->total()))
            cheapest = &*c;
    if (!cheapest)
        return noPrice(std::move(bill), "区分「" + roomClass->name + "」に" +
                                            std::string(dayTypeName(daytime)) +
                                            "の料金がありません");
    bill.chosen = cheapest->plan;
    bill.total = cheapest->total();
    bill.taxPercent = table->taxPercent;
    bill.tax = taxIncluded(bill.total, table->taxPercent, table->rounding);
    return bill;
}

} // namespace kavro
