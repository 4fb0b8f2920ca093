#pragma once
// The three price columns of a rate table and which one a date takes.
//
// A day off (休日) is a Saturday, a Sunday, a public holiday (holidays.h) or one of the
// shop's own days off (店休日). A date is "before a day off" when the next date is a day off.
// A date can be both (every Saturday, a Sunday before a 振替休日, the middle of Golden
// Week), so the column depends on what is sold, as on the price boards of this trade
// (「ご休憩 平日／土日祝」, 「ご宿泊 平日／休前日」):
//  - a rest and the service time are priced by the day they are spent on: 土日祝 on a day
//    off, else 休前日 before one, else 平日;
//  - an overnight stay is priced by the night: 休前日 before a day off (a Saturday night,
//    the last night of a working week before a holiday), else 土日祝 on a day off (a
//    Sunday night before a working Monday), else 平日.
// The date is the business date on which the stay began: a rest that starts at 02:00
// belongs to the night before, like its record in the day file.
#include "core/records/civil_time.h"

#include <array>
#include <set>
#include <string_view>

namespace kavro {

enum class DayType { Weekday, BeforeDayOff, DayOff };
inline constexpr std::array<DayType, 3> kDayTypes{DayType::Weekday, DayType::BeforeDayOff,
                                                  DayType::DayOff};

// 「平日」, 「休前日」, 「土日祝」
std::string_view dayTypeName(DayType type);
// The index of the type in kDayTypes: 0, 1, 2.
constexpr std::size_t dayTypeIndex(DayType type) { return static_cast<std::size_t>(type); }

struct DayKind {
    bool dayOff = false;
    bool beforeDayOff = false;
    DayType daytime() const; // the column of rests and the service time
    DayType night() const;   // the column of overnight stays
};

bool isDayOff(Date date, const std::set<Date>& shopDaysOff);
DayKind dayKindOf(Date businessDate, const std::set<Date>& shopDaysOff);

} // namespace kavro
