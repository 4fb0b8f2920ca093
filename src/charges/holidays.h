#pragma once
// Japanese public holidays (祝日) as the holiday law sets them, computed for the years
// 1990 to 2099, so that no list has to be typed in each year:
//  - the fixed days, and the Mondays the law names since 2000 / 2003 (成人の日, 海の日,
//    敬老の日, 体育の日 / スポーツの日), with each day's history over those years;
//  - 春分の日 and 秋分の日 by the usual approximation of the equinox (valid 1980-2099): the
//    law names the astronomical day, published each February for the next year; the
//    approximation gives the published days of the years the tests hold;
//  - 振替休日: a holiday on a Sunday moves to the next day that is no holiday (until 2006
//    only to the Monday after it);
//  - 国民の休日: a day that is no holiday between two holidays (until 2006 not a Sunday nor
//    a 振替休日);
//  - the one-off days of 1990, 1993, 2019 and the moved days of 2020 and 2021.
// A day the law adds later and this table does not know yet is entered by the shop as one
// of its own days off (店休日, in the rate file): it then counts as a day off all the same.
#include "core/records/civil_time.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

inline constexpr int kFirstHolidayYear = 1990;
inline constexpr int kLastHolidayYear = 2099;

// The holiday's name (「元日」, 「振替休日」, 「国民の休日」 ...), none on other days and on
// every day outside 1990-2099.
std::optional<std::string_view> holidayName(Date date);

// The weekday as the reports mark a day: 「月」, and 「月・祝」 on a holiday.
std::string weekdayMark(Date date);
// A day as the reports label it: 「11/23(月・祝)」.
std::string shortDayLabel(Date date);

struct Holiday {
    Date date;
    std::string_view name;
    friend bool operator==(const Holiday&, const Holiday&) = default;
};
// Every holiday of the year in date order; empty outside 1990-2099.
std::vector<Holiday> holidaysOfYear(int year);

} // namespace kavro
