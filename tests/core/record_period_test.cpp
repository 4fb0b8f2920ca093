#include "core/rules/record_period.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

DateTime dt(unsigned day, int hh, int mm) {
    return makeDateTime(
        Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{day}}, hh, mm);
}

struct PeriodCase {
    const char* name;
    unsigned shownDay; // business date 2026/12/dd
    std::optional<DateTime> knownStart, knownEnd;
    const char *start, *unit, *end;
    const char *storedStart, *storedEnd;
};
void PrintTo(const PeriodCase& c, std::ostream* os) { *os << c.name; }

class RecordPeriod : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(RecordPeriod, KeepsTheDatesTheRecordAlreadyHas) {
    const PeriodCase& c = GetParam();
    const Date shown{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{c.shownDay}};
    const BookingPeriod p =
        periodKeepingDates(shown, c.knownStart, c.knownEnd, c.start, c.unit, c.end);
    EXPECT_EQ(p.startField, c.storedStart);
    EXPECT_EQ(p.endField, c.storedEnd);
    EXPECT_EQ(formatRecordTime(p.start), p.startField);
    EXPECT_EQ(formatRecordTime(p.end), p.endField);
}

INSTANTIATE_TEST_SUITE_P(
    SmallHours, RecordPeriod,
    ::testing::Values(
        // 修正 of a stay carried into the new day's file: only the name changed.
        PeriodCase{"CarriedStayRenamed", 6, dt(6, 4, 0), dt(6, 7, 0), "04:00", "3", "07:00",
                   "2026/12/06 04:00", "2026/12/06 07:00"},
        PeriodCase{"CarriedStayGivenALaterEnd", 6, dt(6, 4, 0), dt(6, 7, 0), "04:00", "4", "08:00",
                   "2026/12/06 04:00", "2026/12/06 08:00"},
        PeriodCase{"SmallHoursStayRenamedOnItsOwnDay", 5, dt(6, 4, 0), dt(6, 6, 0), "04:00", "2",
                   "06:00", "2026/12/06 04:00", "2026/12/06 06:00"},
        PeriodCase{"StayAcrossMidnightRenamed", 5, dt(5, 23, 0), dt(6, 1, 0), "23:00", "2", "01:00",
                   "2026/12/05 23:00", "2026/12/06 01:00"},
        // A start typed anew follows the business-day rule of a new booking.
        PeriodCase{"StartMovedPastMidnight", 5, dt(5, 23, 0), dt(6, 1, 0), "00:30", "2", "02:30",
                   "2026/12/06 00:30", "2026/12/06 02:30"},
        PeriodCase{"NothingKnown", 5, std::nullopt, std::nullopt, "05:00", "2", "07:00",
                   "2026/12/06 05:00", "2026/12/06 07:00"},
        // 入力: the extension starts where the record it continues ends.
        PeriodCase{"ExtensionAfterAStayEndingAtSix", 5, dt(6, 6, 0), std::nullopt, "06:00", "0.5",
                   "06:30", "2026/12/06 06:00", "2026/12/06 06:30"},
        PeriodCase{"ExtensionAcrossSix", 5, dt(6, 5, 50), std::nullopt, "05:50", "0.5", "06:20",
                   "2026/12/06 05:50", "2026/12/06 06:20"},
        PeriodCase{"ExtensionAcrossMidnight", 5, dt(5, 23, 40), std::nullopt, "23:40", "0.5",
                   "00:10", "2026/12/05 23:40", "2026/12/06 00:10"},
        PeriodCase{"ExtensionOfACarriedStayOnTheNewDay", 6, dt(6, 7, 0), std::nullopt, "07:00", "1",
                   "08:00", "2026/12/06 07:00", "2026/12/06 08:00"}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kavro
