#include "charges/day_type.h"
#include "charges/holidays.h"
#include "golden_rates.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

using test::ymd;

std::string listed(int year) {
    std::string out;
    for (const Holiday& h : holidaysOfYear(year)) {
        const std::string date = formatDate(h.date).substr(5);
        out += (out.empty() ? "" : ", ") + date + " " + std::string(h.name);
    }
    return out;
}

// The lists the Cabinet Office published for these years (its 「休日」 named here as the
// law's kind: 振替休日 by article 3-2, 国民の休日 by article 3-3).
TEST(Holidays, EveryHolidayOfTheseYearsAsPublished) {
    EXPECT_EQ(listed(2024),
              "01/01 元日, 01/08 成人の日, 02/11 建国記念の日, 02/12 振替休日, 02/23 天皇誕生日, "
              "03/20 春分の日, 04/29 昭和の日, 05/03 憲法記念日, 05/04 みどりの日, "
              "05/05 こどもの日, 05/06 振替休日, 07/15 海の日, 08/11 山の日, 08/12 振替休日, "
              "09/16 敬老の日, 09/22 秋分の日, 09/23 振替休日, 10/14 スポーツの日, "
              "11/03 文化の日, 11/04 振替休日, 11/23 勤労感謝の日");
    EXPECT_EQ(listed(2025),
              "01/01 元日, 01/13 成人の日, 02/11 建国記念の日, 02/23 天皇誕生日, 02/24 振替休日, "
              "03/20 春分の日, 04/29 昭和の日, 05/03 憲法記念日, 05/04 みどりの日, "
              "05/05 こどもの日, 05/06 振替休日, 07/21 海の日, 08/11 山の日, 09/15 敬老の日, "
              "09/23 秋分の日, 10/13 スポーツの日, 11/03 文化の日, 11/23 勤労感謝の日, "
              "11/24 振替休日");
    EXPECT_EQ(listed(2026),
              "01/01 元日, 01/12 成人の日, 02/11 建国記念の日, 02/23 天皇誕生日, 03/20 春分の日, "
              "04/29 昭和の日, 05/03 憲法記念日, 05/04 みどりの日, 05/05 こどもの日, "
              "05/06 振替休日, 07/20 海の日, 08/11 山の日, 09/21 敬老の日, 09/22 国民の休日, "
              "09/23 秋分の日, 10/12 スポーツの日, 11/03 文化の日, 11/23 勤労感謝の日");
    // As the reports label a day, the sales as well as the rooms.
    EXPECT_EQ(
        shortDayLabel(Date{std::chrono::year{2026}, std::chrono::month{11}, std::chrono::day{23}}),
        "11/23(月・祝)");
    EXPECT_EQ(
        shortDayLabel(Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}}),
        "12/05(土)");
    EXPECT_EQ(listed(1989), "");
    EXPECT_EQ(listed(2100), "");
}

struct HolidayCase {
    Date date;
    const char* name; // "" on a day that is no holiday
};
void PrintTo(const HolidayCase& c, std::ostream* os) { *os << formatDate(c.date); }

class HolidayRules : public ::testing::TestWithParam<HolidayCase> {};

TEST_P(HolidayRules, NameTheDayAsTheLawDid) {
    EXPECT_EQ(std::string(holidayName(GetParam().date).value_or("")), GetParam().name)
        << formatDate(GetParam().date);
}

INSTANTIATE_TEST_SUITE_P(
    History, HolidayRules,
    ::testing::Values(
        // One-off days, and the days between them that became holidays.
        HolidayCase{ymd(1990, 11, 12), "即位礼正殿の儀"},
        HolidayCase{ymd(1993, 6, 9), "皇太子徳仁親王の結婚の儀"},
        HolidayCase{ymd(2019, 4, 30), "国民の休日"}, HolidayCase{ymd(2019, 5, 1), "天皇の即位の日"},
        HolidayCase{ymd(2019, 5, 2), "国民の休日"}, HolidayCase{ymd(2019, 5, 6), "振替休日"},
        HolidayCase{ymd(2019, 10, 22), "即位礼正殿の儀の行われる日"},
        HolidayCase{ymd(2019, 12, 23), ""}, HolidayCase{ymd(2018, 12, 23), "天皇誕生日"},
        HolidayCase{ymd(2020, 2, 24), "振替休日"},
        // The days moved for the Olympic Games, and the Mondays they left.
        HolidayCase{ymd(2020, 7, 23), "海の日"}, HolidayCase{ymd(2020, 7, 24), "スポーツの日"},
        HolidayCase{ymd(2020, 8, 10), "山の日"}, HolidayCase{ymd(2020, 10, 12), ""},
        HolidayCase{ymd(2021, 7, 19), ""}, HolidayCase{ymd(2021, 7, 22), "海の日"},
        HolidayCase{ymd(2021, 7, 23), "スポーツの日"}, HolidayCase{ymd(2021, 8, 8), "山の日"},
        HolidayCase{ymd(2021, 8, 9), "振替休日"}, HolidayCase{ymd(2021, 8, 11), ""},
        // Before the Monday laws, before 山の日, and the rules before 2007: a Sunday
        // holiday moved to the Monday only; 5/4 a 国民の休日 unless a Sunday or a Monday off.
        HolidayCase{ymd(1999, 1, 15), "成人の日"}, HolidayCase{ymd(1999, 10, 10), "体育の日"},
        HolidayCase{ymd(2002, 9, 15), "敬老の日"}, HolidayCase{ymd(1995, 7, 20), ""},
        HolidayCase{ymd(2015, 8, 11), ""}, HolidayCase{ymd(1998, 5, 4), "振替休日"},
        HolidayCase{ymd(2006, 5, 4), "国民の休日"}, HolidayCase{ymd(1997, 5, 4), ""},
        HolidayCase{ymd(2006, 4, 29), "みどりの日"}, HolidayCase{ymd(2008, 5, 6), "振替休日"},
        HolidayCase{ymd(2009, 9, 22), "国民の休日"}, HolidayCase{ymd(2015, 9, 22), "国民の休日"},
        // The equinox approximation at the ends of its range.
        HolidayCase{ymd(1990, 3, 21), "春分の日"}, HolidayCase{ymd(2099, 3, 20), "春分の日"},
        HolidayCase{ymd(2099, 9, 23), "秋分の日"}));

struct DayTypeCase {
    Date businessDate;
    const char* daytime; // the column of a rest
    const char* night;   // the column of an overnight stay
};

class DayTypes : public ::testing::TestWithParam<DayTypeCase> {};

TEST_P(DayTypes, RestByTheDayStayByTheNight) {
    const DayKind kind = dayKindOf(GetParam().businessDate, test::goldenBook().shopDaysOff);
    EXPECT_EQ(dayTypeName(kind.daytime()), GetParam().daytime);
    EXPECT_EQ(dayTypeName(kind.night()), GetParam().night);
}

INSTANTIATE_TEST_SUITE_P(
    Year2026, DayTypes,
    ::testing::Values(DayTypeCase{ymd(2026, 7, 1), "平日", "平日"},        // Wednesday
                      DayTypeCase{ymd(2026, 7, 3), "休前日", "休前日"},    // Friday
                      DayTypeCase{ymd(2026, 7, 4), "土日祝", "休前日"},    // Saturday
                      DayTypeCase{ymd(2026, 7, 5), "土日祝", "土日祝"},    // Sunday
                      DayTypeCase{ymd(2026, 5, 5), "土日祝", "休前日"},    // before 振替休日
                      DayTypeCase{ymd(2026, 5, 6), "土日祝", "土日祝"},    // 振替休日
                      DayTypeCase{ymd(2026, 9, 18), "休前日", "休前日"},   // before five days off
                      DayTypeCase{ymd(2026, 6, 9), "休前日", "休前日"},    // before the 店休日
                      DayTypeCase{ymd(2026, 6, 10), "土日祝", "土日祝"})); // the shop's day off

} // namespace
} // namespace kavro
