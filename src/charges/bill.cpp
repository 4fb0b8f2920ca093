#include "charges/bill.h"

#include "ledger/record.h"

namespace kavro {

namespace {

DateTime at(Date date, int minuteOfDay) {
    return makeDateTime(date, minuteOfDay / 60, minuteOfDay % 60);
}

struct Span {
    DateTime from, until;
};
// The daily window as it occurs from the given date on.
Span windowFrom(Date date, int from, int until) {
    return {at(date, from), at(until < from ? addDays(date, 1) : date, until)};
}

int blocksBegun(long minutes, int blockMinutes) {
    return minutes <= 0 ? 0 : static_cast<int>((minutes + blockMinutes - 1) / blockMinutes);
}

void addExtraPeople(PlanCharge& c, const std::optional<ExtraPersonCharge>& extra, int people) {
    if (extra && people > extra->includedPeople) {
        c.extraPeople = people - extra->includedPeople;
        c.extraPerson = c.extraPeople * extra->perPerson;
    }
}

std::optional<PlanCharge> restCharge(const DayRates& r, DayType type, const StayToPrice& s) {
    if (!r.rest)
        return std::nullopt;
    PlanCharge c{Plan::Rest, type};
    c.basic = r.rest->firstPrice;
    c.extensionBlocks =
        blocksBegun(minuteDiff(s.start, s.end) - r.rest->firstMinutes, r.rest->blockMinutes);
    c.extension = c.extensionBlocks * r.rest->blockPrice;
    addExtraPeople(c, r.extraPerson, s.people);
    if (const auto& night = r.lateNight) {
        for (Date d = addDays(dateOf(s.start), -1); d <= dateOf(s.end); d = addDays(d, 1)) {
            const Span w = windowFrom(d, night->from, night->until);
            if (w.from < s.end && s.start < w.until) {
                c.lateNight = night->amount;
                break;
            }
        }
    }
    return c;
}

std::optional<PlanCharge> serviceCharge(const DayRates& r, DayType type, const StayToPrice& s) {
    if (!r.service || (r.service->longest > 0 && minuteDiff(s.start, s.end) > r.service->longest))
        return std::nullopt;
    for (Date d : {addDays(dateOf(s.start), -1), dateOf(s.start)}) {
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

std::optional<PlanCharge> stayCharge(const DayRates& r, DayType type, const StayToPrice& s) {
    if (!r.stay)
        return std::nullopt;
    for (Date d : {addDays(dateOf(s.start), -1), dateOf(s.start)}) {
        const Span w = windowFrom(d, r.stay->from, r.stay->until);
        if (s.start < w.from || w.until < s.start)
            continue;
        // The first morning time after the window closed.
        DateTime morning = at(dateOf(w.until), r.stay->morning);
        if (morning < w.until)
            morning = at(addDays(dateOf(w.until), 1), r.stay->morning);
        PlanCharge c{Plan::Stay, type};
        c.basic = r.stay->price;
        c.extensionBlocks = blocksBegun(minuteDiff(morning, s.end), r.stay->blockMinutes);
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

    const DayType daytime = kind.daytime(), night = kind.night();
    const DayRates& day = roomClass->rates[dayTypeIndex(daytime)];
    bill.plans[planIndex(Plan::Rest)] = restCharge(day, daytime, stay);
    bill.plans[planIndex(Plan::Service)] = serviceCharge(day, daytime, stay);
    bill.plans[planIndex(Plan::Stay)] =
        stayCharge(roomClass->rates[dayTypeIndex(night)], night, stay);

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
