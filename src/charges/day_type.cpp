#include "charges/day_type.h"

#include "charges/holidays.h"

namespace kavro {

std::string_view dayTypeName(DayType type) {
    switch (type) {
    case DayType::Weekday:
        return "平日";
    case DayType::BeforeDayOff:
        return "休前日";
    case DayType::DayOff:
        return "土日祝";
    }
    return {};
}

DayType DayKind::daytime() const {
    return dayOff ? DayType::DayOff : beforeDayOff ? DayType::BeforeDayOff : DayType::Weekday;
}

DayType DayKind::night() const {
    return beforeDayOff ? DayType::BeforeDayOff : dayOff ? DayType::DayOff : DayType::Weekday;
}

bool isDayOff(Date date, const std::set<Date>& shopDaysOff) {
    const std::chrono::weekday wd{std::chrono::local_days{date}};
    return wd == std::chrono::Saturday || wd == std::chrono::Sunday || shopDaysOff.count(date) ||
           holidayName(date).has_value();
}

DayKind dayKindOf(Date businessDate, const std::set<Date>& shopDaysOff) {
    return {isDayOff(businessDate, shopDaysOff), isDayOff(addDays(businessDate, 1), shopDaysOff)};
}

} // namespace kavro
