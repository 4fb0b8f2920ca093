#include "core/records/civil_time.h"

#include "core/records/digits.h"

#include <cstdio>

namespace kavro {
using namespace std::chrono;

namespace {

int toInt(std::string_view s) { return digitsValue(s); }

// Without snprintf: the board writes one of these for every bar it shows.
std::string twoDigits(unsigned v) {
    v %= 100;
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

} // namespace

DateTime makeDateTime(Date date, int hour, int minute, int second) {
    return local_days{date} + hours{hour} + minutes{minute} + seconds{second};
}

Date dateOf(DateTime t) { return Date{floor<days>(t)}; }

int hourOf(DateTime t) {
    return static_cast<int>(duration_cast<hours>(t - floor<days>(t)).count());
}
int minuteOf(DateTime t) {
    return static_cast<int>(duration_cast<minutes>(t - floor<hours>(t)).count());
}
int secondOf(DateTime t) { return static_cast<int>((t - floor<minutes>(t)).count()); }

DateTime addMinutes(DateTime t, long m) { return t + minutes{m}; }
Date addDays(Date d, int n) { return Date{local_days{d} + days{n}}; }
int daysBetween(Date a, Date b) {
    return static_cast<int>((local_days{b} - local_days{a}).count());
}

long minuteDiff(DateTime a, DateTime b) {
    return static_cast<long>((floor<minutes>(b) - floor<minutes>(a)).count());
}

std::optional<DateTime> parseDateTime(std::string_view s) {
    // yyyy/mm/dd hh:nn[:ss]
    if (s.size() != 16 && s.size() != 19)
        return std::nullopt;
    if (s[4] != '/' || s[7] != '/' || s[10] != ' ' || s[13] != ':')
        return std::nullopt;
    if (s.size() == 19 && s[16] != ':')
        return std::nullopt;
    auto y = s.substr(0, 4), mo = s.substr(5, 2), d = s.substr(8, 2), h = s.substr(11, 2),
         mi = s.substr(14, 2);
    auto sec = s.size() == 19 ? s.substr(17, 2) : std::string_view{"00"};
    if (!isAllDigits(y) || !isAllDigits(mo) || !isAllDigits(d) || !isAllDigits(h) ||
        !isAllDigits(mi) || !isAllDigits(sec))
        return std::nullopt;
    Date date{year{toInt(y)}, month{static_cast<unsigned>(toInt(mo))},
              day{static_cast<unsigned>(toInt(d))}};
    if (!date.ok() || toInt(h) > 23 || toInt(mi) > 59 || toInt(sec) > 59)
        return std::nullopt;
    return makeDateTime(date, toInt(h), toInt(mi), toInt(sec));
}

std::optional<std::pair<int, int>> parseHhNn(std::string_view s) {
    if (s.size() != 5 || s[2] != ':' || !isAllDigits(s.substr(0, 2)) ||
        !isAllDigits(s.substr(3, 2)))
        return std::nullopt;
    int h = toInt(s.substr(0, 2)), m = toInt(s.substr(3, 2));
    if (h > 23 || m > 59)
        return std::nullopt;
    return std::pair{h, m};
}

std::string formatDate(Date d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d/%02u/%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
}

std::string formatYmd(Date d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02u%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
}

std::string formatIsoDate(Date d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
}

namespace {

std::optional<Date> dateFromParts(std::string_view y, std::string_view m, std::string_view d) {
    if (!isAllDigits(y) || !isAllDigits(m) || !isAllDigits(d))
        return std::nullopt;
    Date date{year{toInt(y)}, month{static_cast<unsigned>(toInt(m))},
              day{static_cast<unsigned>(toInt(d))}};
    return date.ok() ? std::optional(date) : std::nullopt;
}

} // namespace

std::optional<Date> parseIsoDate(std::string_view s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-')
        return std::nullopt;
    return dateFromParts(s.substr(0, 4), s.substr(5, 2), s.substr(8, 2));
}

std::optional<Date> parseYmd(std::string_view s) {
    if (s.size() != 8)
        return std::nullopt;
    return dateFromParts(s.substr(0, 4), s.substr(4, 2), s.substr(6, 2));
}

std::string formatHhNn(DateTime t) { return twoDigits(hourOf(t)) + ":" + twoDigits(minuteOf(t)); }

std::string formatMonthDay(Date d) { return formatDate(d).substr(5); }

std::string formatRecordTime(DateTime t) { return formatDate(dateOf(t)) + " " + formatHhNn(t); }

std::string formatDateTime(DateTime t) {
    return formatRecordTime(t) + ":" + twoDigits(secondOf(t));
}

Date businessDateAt(DateTime now) {
    Date today = dateOf(now);
    return hourOf(now) < 6 ? addDays(today, -1) : today;
}

DateTime businessDayStart(Date d) { return makeDateTime(d, 6, 0); }
DateTime businessDayEnd(Date d) { return makeDateTime(addDays(d, 1), 6, 0); }

} // namespace kavro
