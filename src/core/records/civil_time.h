#pragma once
// Naive civil date-times: the wall-clock text of the day files, without a time zone.
// All arithmetic is done on std::chrono local time, never through zone conversions.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

using Date = std::chrono::year_month_day;
using DateTime = std::chrono::local_seconds;

DateTime makeDateTime(Date date, int hour, int minute, int second = 0);
Date dateOf(DateTime t);
int hourOf(DateTime t);
int minuteOf(DateTime t);
int secondOf(DateTime t);

DateTime addMinutes(DateTime t, long minutes);
Date addDays(Date d, int days);
// Days from a to b (negative when b lies before a).
int daysBetween(Date a, Date b);
// Minute boundaries passed from a to b: seconds are ignored on both sides.
long minuteDiff(DateTime a, DateTime b);

// "yyyy/mm/dd hh:nn" (record fields) or "yyyy/mm/dd hh:nn:ss" (form values).
std::optional<DateTime> parseDateTime(std::string_view text);
// "hh:nn" as typed into a time box (hours 0-23, minutes 0-59).
std::optional<std::pair<int, int>> parseHhNn(std::string_view text);

std::string formatDate(Date d);                          // yyyy/mm/dd
std::string formatYmd(Date d);                           // yyyymmdd
std::string formatRecordTime(DateTime t);                // yyyy/mm/dd hh:nn
std::string formatDateTime(DateTime t);                  // yyyy/mm/dd hh:nn:ss
std::string formatHhNn(DateTime t);                      // hh:nn
std::string formatMonthDay(Date d);                      // mm/dd
std::string formatIsoDate(Date d);                       // yyyy-mm-dd
std::optional<Date> parseIsoDate(std::string_view text); // yyyy-mm-dd
std::optional<Date> parseYmd(std::string_view text);     // yyyymmdd (day file names)

// A business day runs from 06:00 of its date to 06:00 of the next calendar date.
Date businessDateAt(DateTime now);
DateTime businessDayStart(Date businessDate);
DateTime businessDayEnd(Date businessDate);

} // namespace kavro
