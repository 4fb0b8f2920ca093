#pragma once
// The rate file kavro-rates.txt, beside the day files: the rate book as text that a person
// can read and check against the price board. UTF-8 (a leading byte-order mark is skipped),
// lines ended by LF (CR LF is read too). "#" starts a comment to the end of the line; blank
// lines are ignored; the words of a line are separated by spaces, tabs or full-width spaces.
//
//   kavro-rates 1                         the format, before any other line
//   店休日 2026/12/31                      a day off of the shop's own (priced as 土日祝);
//                                         any number of them, anywhere in the file
//   適用開始日 2026/04/01                   a table: it prices the stays that begin on this
//                                         business date or later, until the next table's
//                                         date; the lines below belong to it. Tables are
//                                         written oldest first.
//   税率 10                                the consumption tax in percent (required)
//   端数 切り捨て                           how the tax in a total is rounded: 切り捨て
//                                         (when the line is missing), 四捨五入 or 切り上げ
//   区分 スタンダード 001-010,012            a room class: a name without spaces and its rooms
//                                         (a room in one class at most)
// The prices, one line per class and day type (平日, 休前日 or 土日祝), after the class:
//   ご休憩 スタンダード 平日 60 3000 30 1000
//         the first 60 minutes 3,000 yen, each further 30 minutes begun 1,000 yen
//         (required for every class and day type: it prices a stay of any length)
//   ご宿泊 スタンダード 休前日 20:00-02:00 11:00 8000 60 1000
//         a stay that starts from 20:00 to 02:00 and ends by 11:00: 8,000 yen; each
//         60 minutes begun past 11:00: 1,000 yen
//   サービスタイム スタンダード 平日 06:00-18:00 4500 300
//         a stay wholly from 06:00 to 18:00, at most 300 minutes: 4,500 yen (the last
//         word may be left out: as long as the window)
//   追加人数 スタンダード 平日 2 1000
//         each guest above 2: 1,000 yen, whatever the plan
//   深夜 スタンダード 平日 22:00-05:00 500
//         a rest that reaches into 22:00-05:00: 500 yen once
// Times are hh:mm; a window whose end lies before its start runs past midnight. Prices are
// whole yen including the tax, minutes and people whole numbers, at most seven digits.
#include "charges/rate_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace kavro {

inline constexpr std::string_view kRatesFileName = "kavro-rates.txt";
inline constexpr int kRatesFormat = 1;

// A problem of the file, with the line it is on (0 for the file as a whole).
struct RateProblem {
    int line = 0;
    std::string text; // Japanese
    friend bool operator==(const RateProblem&, const RateProblem&) = default;
};
// 「kavro-rates.txt の 12 行目: ご休憩の料金が数字ではありません」
std::string problemMessage(const RateProblem& problem);

struct RateFileParse {
    RateBook book;
    std::vector<RateProblem> problems; // every line that could not be read, in file order
};
// Reads what each line says. The book is worth nothing while there are problems; whether
// its tables are complete and consistent is checkRateBook's question.
RateFileParse parseRateFile(std::string_view text);

// The file for a book: the format line, the shop's days off, then each table with its
// classes and their prices, by class and day type. parseRateFile reads it back as the same
// book.
std::string serializeRateBook(const RateBook& book);

// The words that name a day type, a rounding: shared by the file and its messages.
std::optional<DayType> dayTypeFromName(std::string_view word);
std::string_view roundingName(TaxRounding rounding);
// "hh:mm"; "hh:mm-hh:mm"; room lists "001-010,012".
std::string formatTimeOfDay(int minutes);
std::string formatRooms(const std::bitset<kRoomCount>& rooms);
// Reads a room list back; none when it is not one ("bad" then holds a room number out of
// range, when that was the fault).
std::optional<std::bitset<kRoomCount>> parseRooms(std::string_view text, std::string& bad);

} // namespace kavro
