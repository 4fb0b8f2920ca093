#include "charges/holidays.h"

#include "core/figures/day_figures.h"
#include "core/figures/report_csv.h"

#include <cmath>
#include <cstdio>

namespace kavro {

namespace {

using namespace std::chrono;

bool isSunday(Date d) { return weekday{local_days{d}} == Sunday; }

// The day of March or September by the equinox approximation, valid 1980-2099.
unsigned equinoxDay(int y, double dayIn1980) {
    const int years = y - 1980;
    return static_cast<unsigned>(std::floor(dayIn1980 + 0.242194 * years - years / 4));
}

// The 国民の祝日 the law names for the date itself: no 振替休日, no 国民の休日.
std::optional<std::string_view> namedHoliday(Date d) {
    const int y = static_cast<int>(d.year());
    if (y < kFirstHolidayYear || y > kLastHolidayYear)
        return std::nullopt;
    const unsigned day = static_cast<unsigned>(d.day());
    const auto isMonday = [&](unsigned nth) {
        return weekday{local_days{d}} == Monday && (day - 1) / 7 + 1 == nth;
    };
    switch (static_cast<unsigned>(d.month())) {
    case 1:
        if (day == 1)
            return "元日";
        if (y < 2000 ? day == 15 : isMonday(2))
            return "成人の日";
        break;
    case 2:
        if (day == 11)
            return "建国記念の日";
        if (day == 23 && y >= 2020)
            return "天皇誕生日";
        break;
    case 3:
        if (day == equinoxDay(y, 20.8431))
            return "春分の日";
        break;
    case 4:
        if (day == 29)
            return y >= 2007 ? "昭和の日" : "みどりの日";
        break;
    case 5:
        if (day == 1 && y == 2019)
            return "天皇の即位の日";
        if (day == 3)
            return "憲法記念日";
        if (day == 4 && y >= 2007) // before 2007 a 国民の休日 between two holidays
            return "みどりの日";
        if (day == 5)
            return "こどもの日";
        break;
    case 6:
        if (day == 9 && y == 1993)
            return "皇太子徳仁親王の結婚の儀";
        break;
    case 7: // moved in 2020 and 2021 for the Olympic Games
        if (y == 2020   ? day == 23
            : y == 2021 ? day == 22
            : y >= 2003 ? isMonday(3)
                        : y >= 1996 && day == 20)
            return "海の日";
        if ((y == 2020 && day == 24) || (y == 2021 && day == 23))
            return "スポーツの日";
        break;
    case 8:
        if (y == 2020 ? day == 10 : y == 2021 ? day == 8 : y >= 2016 && day == 11)
            return "山の日";
        break;
    case 9:
        if (y >= 2003 ? isMonday(3) : day == 15)
            return "敬老の日";
        if (day == equinoxDay(y, 23.2488))
            return "秋分の日";
        break;
    case 10:
        if (day == 22 && y == 2019)
            return "即位礼正殿の儀の行われる日";
        if (y < 2000 ? day == 10 : y != 2020 && y != 2021 && isMonday(2))
            return y >= 2020 ? "スポーツの日" : "体育の日";
        break;
    case 11:
        if (day == 3)
            return "文化の日";
        if (day == 12 && y == 1990)
            return "即位礼正殿の儀";
        if (day == 23)
            return "勤労感謝の日";
        break;
    case 12:
        if (day == 23 && y <= 2018)
            return "天皇誕生日";
        break;
    }
    return std::nullopt;
}

bool isNamedHoliday(Date d) { return namedHoliday(d).has_value(); }

bool isSubstituteHoliday(Date d) {
    if (isNamedHoliday(d))
        return false;
    if (static_cast<int>(d.year()) < 2007)
        return isSunday(addDays(d, -1)) && isNamedHoliday(addDays(d, -1));
    // Since 2007 it moves past the holidays that follow it (5/3 on a Sunday gives 5/6).
    for (Date p = addDays(d, -1); isNamedHoliday(p); p = addDays(p, -1))
        if (isSunday(p))
            return true;
    return false;
}

bool isCitizensHoliday(Date d) {
    if (isNamedHoliday(d) || !isNamedHoliday(addDays(d, -1)) || !isNamedHoliday(addDays(d, 1)))
        return false;
    return static_cast<int>(d.year()) >= 2007 || (!isSunday(d) && !isSubstituteHoliday(d));
}

} // namespace

std::optional<std::string_view> holidayName(Date date) {
    if (auto name = namedHoliday(date))
        return name;
    if (isSubstituteHoliday(date))
        return "振替休日";
    if (isCitizensHoliday(date))
        return "国民の休日";
    return std::nullopt;
}

std::string weekdayMark(Date date) {
    const std::string weekday = weekdayName(weekdayIndex(date));
    return holidayName(date) ? weekday + "・祝" : weekday;
}

std::string shortDayLabel(Date date) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02u/%02u", static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()));
    return std::string(digits) + "(" + weekdayMark(date) + ")";
}

std::vector<Holiday> holidaysOfYear(int year) {
    std::vector<Holiday> out;
    if (year < kFirstHolidayYear || year > kLastHolidayYear)
        return out;
    const Date first{std::chrono::year{year}, January, std::chrono::day{1}};
    for (Date d = first; d.year() == first.year(); d = addDays(d, 1))
        if (auto name = holidayName(d))
            out.push_back({d, *name});
    return out;
}

} // namespace kavro
