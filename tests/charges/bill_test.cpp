#include "charges/bill.h"
#include "golden_rates.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

struct BillCase {
    const char* name;
    int room; // 1-based, as the desk says it
    const char* start;
    const char* end;
    int people;
    const char* bill;
};
void PrintTo(const BillCase& c, std::ostream* os) { *os << c.name; }

class Bills : public ::testing::TestWithParam<BillCase> {};

TEST_P(Bills, WorkedOutByHand) {
    using test::describe;
    const BillCase& c = GetParam();
    const StayToPrice stay{c.room - 1, *parseDateTime(c.start), *parseDateTime(c.end), c.people};
    EXPECT_EQ(describe(billStay(test::goldenBook(), stay)), c.bill);
}

// The golden shop (tests/charges/golden/kavro-rates.txt), standard room 005 unless named.
// 2026/07/01 is a Wednesday; tax = total × 10 / 110, rounded down (四捨五入 from 10/01).
INSTANTIATE_TEST_SUITE_P(
    GoldenShop, Bills,
    ::testing::Values(
        // 60 min = the first block: 3000; 3000×10/110 = 272.7 → 272.
        BillCase{"ShortRest", 5, "2026/07/01 14:00", "2026/07/01 15:00", 2,
                 "ご休憩 平日 基本料金 3000 = 3000 (税 272) / サービスタイム 4500"},
        // 120 min: 3000 + (60 / 30 = 2 blocks) × 1000 = 5000; the service time ends at 18:00.
        BillCase{"RestOfTwoMoreBlocks", 5, "2026/07/01 18:30", "2026/07/01 20:30", 2,
                 "ご休憩 平日 基本料金 3000 延長(2) 2000 = 5000 (税 454)"},
        // 121 min: a third block begun: 3000 + 3 × 1000 = 6000.
        BillCase{"RestOneMinuteIntoABlock", 5, "2026/07/01 18:30", "2026/07/01 20:31", 2,
                 "ご休憩 平日 基本料金 3000 延長(3) 3000 = 6000 (税 545)"},
        // 240 min inside 06:00-18:00: rest 3000 + 6 × 1000 = 9000; service time 4500.
        BillCase{"ServiceTime", 5, "2026/07/01 10:00", "2026/07/01 14:00", 2,
                 "サービスタイム 平日 基本料金 4500 = 4500 (税 409) / ご休憩 9000"},
        // 330 min: longer than the service time's 300; rest 3000 + 9 × 1000.
        BillCase{"LongerThanTheServiceTime", 5, "2026/07/01 10:00", "2026/07/01 15:30", 2,
                 "ご休憩 平日 基本料金 3000 延長(9) 9000 = 12000 (税 1090)"},
        // 22:00 to 10:00: stay 7000; rest 3000 + 22 × 1000 + 深夜 500 = 25500.
        BillCase{"OvernightStay", 5, "2026/07/01 22:00", "2026/07/02 10:00", 2,
                 "ご宿泊 平日 基本料金 7000 = 7000 (税 636) / ご休憩 25500"},
        // Ends 12:30, 90 min past 11:00: 2 hours begun × 1000.
        BillCase{"StayPastTheMorningHour", 5, "2026/07/01 23:00", "2026/07/02 12:30", 2,
                 "ご宿泊 平日 基本料金 7000 延長(2) 2000 = 9000 (税 818) / ご休憩 28500"},
        // Five hours from 21:00: rest 3000 + 8 × 1000 + 500 = 11500 > stay 7000.
        BillCase{"OvernightCap", 5, "2026/07/01 21:00", "2026/07/02 02:00", 2,
                 "ご宿泊 平日 基本料金 7000 = 7000 (税 636) / ご休憩 11500"},
        // 21:00-22:30 reaches into 22:00-05:00: 3000 + 1000 + 深夜 500 = 4500 < stay 7000.
        BillCase{"LateNightSurcharge", 5, "2026/07/01 21:00", "2026/07/01 22:30", 2,
                 "ご休憩 平日 基本料金 3000 延長(1) 1000 深夜 500 = 4500 (税 409) / ご宿泊 7000"},
        // Four guests, two included: 2 × 1000 on every plan.
        BillCase{
            "ExtraPeople", 5, "2026/07/01 14:00", "2026/07/01 15:00", 4,
            "ご休憩 平日 基本料金 3000 追加人数(2) 2000 = 5000 (税 454) / サービスタイム 6500"},
        // Friday: a rest at 休前日 3500; the stay window opens at 20:00 (休前日 9000).
        BillCase{"BeforeADayOff", 5, "2026/07/03 20:00", "2026/07/03 21:00", 2,
                 "ご休憩 休前日 基本料金 3500 = 3500 (税 318) / ご宿泊 9000"},
        // Saturday: a rest at 土日祝 4000, a stay at 休前日 9000 (the night before Sunday);
        // 12 hours of rest would be 4000 + 22 × 1200 + 深夜 500 = 30900.
        BillCase{"SaturdayRest", 5, "2026/07/04 20:00", "2026/07/04 21:00", 2,
                 "ご休憩 土日祝 基本料金 4000 = 4000 (税 363) / ご宿泊 9000"},
        BillCase{"SaturdayNight", 5, "2026/07/04 22:00", "2026/07/05 10:00", 2,
                 "ご宿泊 休前日 基本料金 9000 = 9000 (税 818) / ご休憩 30900"},
        // Sunday night before a working Monday: 土日祝 8000.
        BillCase{"SundayNight", 5, "2026/07/05 22:00", "2026/07/06 10:00", 2,
                 "ご宿泊 土日祝 基本料金 8000 = 8000 (税 727) / ご休憩 30900"},
        // 2026/05/06, 振替休日 for 5/3: a day off (5/7 is a working day, so its night is
        // 土日祝 too); the night of 5/5 is before it.
        BillCase{"SubstituteHoliday", 5, "2026/05/06 20:00", "2026/05/06 21:00", 2,
                 "ご休憩 土日祝 基本料金 4000 = 4000 (税 363) / ご宿泊 8000"},
        BillCase{"NightBeforeASubstituteHoliday", 5, "2026/05/05 22:00", "2026/05/06 10:00", 2,
                 "ご宿泊 休前日 基本料金 9000 = 9000 (税 818) / ご休憩 30900"},
        // The shop's own day off, a Wednesday.
        BillCase{"ShopDayOff", 5, "2026/06/10 20:00", "2026/06/10 21:00", 2,
                 "ご休憩 土日祝 基本料金 4000 = 4000 (税 363) / ご宿泊 8000"},
        // 02:00 on Saturday's calendar belongs to Friday's business day: 休前日 3500 + 深夜.
        BillCase{"SmallHoursBelongToTheNightBefore", 5, "2026/07/04 02:00", "2026/07/04 03:00", 2,
                 "ご休憩 休前日 基本料金 3500 深夜 500 = 4000 (税 363) / ご宿泊 9000"},
        // The deluxe service time 05:00-15:00 runs across 06:00 (a 05:00 start belongs to
        // 7/1): 7000; rest 5000 + 15 × 1500 = 27500.
        BillCase{"ServiceTimeAcrossSix", 21, "2026/07/02 05:00", "2026/07/02 14:00", 2,
                 "サービスタイム 平日 基本料金 7000 = 7000 (税 636) / ご休憩 27500"},
        // The table of 10/01 (3300, no stay plan; 四捨五入: 300.0 → 300) and the day before.
        BillCase{"LastDayOfTheOldTable", 5, "2026/09/30 20:00", "2026/09/30 21:00", 2,
                 "ご休憩 平日 基本料金 3000 = 3000 (税 272) / ご宿泊 7000"},
        BillCase{"FirstDayOfTheNewTable", 5, "2026/10/01 20:00", "2026/10/01 21:00", 2,
                 "ご休憩 平日 基本料金 3300 = 3300 (税 300)"},
        // Friday 10/02, 90 min: 3800 + 1300 = 5100; 5100 × 10 / 110 = 463.6 → 464.
        BillCase{"RoundedHalfUp", 5, "2026/10/02 19:00", "2026/10/02 20:30", 2,
                 "ご休憩 休前日 基本料金 3800 延長(1) 1300 = 5100 (税 464)"},
        // A stay that began under the old table keeps it past midnight into 10/01; as a
        // rest: 3000 + 20 × 1000 + 500 = 23500.
        BillCase{"StayBeganUnderTheOldTable", 5, "2026/09/30 23:00", "2026/10/01 10:00", 2,
                 "ご宿泊 平日 基本料金 7000 = 7000 (税 636) / ご休憩 23500"},
        BillCase{"RoomWithoutAClass", 31, "2026/07/01 14:00", "2026/07/01 15:00", 2,
                 "料金未設定: 部屋 031 はどの区分にも入っていません"},
        BillCase{"ClassGoneFromTheNewTable", 21, "2026/10/01 14:00", "2026/10/01 15:00", 2,
                 "料金未設定: 部屋 021 はどの区分にも入っていません"},
        BillCase{"NoTableInForce", 5, "2026/04/01 05:00", "2026/04/01 06:00", 2,
                 "料金未設定: 2026/03/31 に適用される料金表がありません"},
        BillCase{"EndNotAfterStart", 5, "2026/07/01 15:00", "2026/07/01 15:00", 2,
                 "料金未設定: 終了が開始より後ではありません"}));

TEST(Tax, IncludedInATaxInclusiveTotalRoundedOnce) {
    struct Row {
        Yen total;
        int rate;
        TaxRounding rounding;
        Yen tax;
    };
    for (const Row& r :
         {Row{11000, 10, TaxRounding::Down, 1000}, // exact
          Row{3000, 10, TaxRounding::Down, 272},   // 272.7
          Row{3000, 10, TaxRounding::HalfUp, 273}, Row{3000, 10, TaxRounding::Up, 273},
          Row{1050, 10, TaxRounding::HalfUp, 95}, // 95.45
          Row{1080, 8, TaxRounding::Down, 80}, Row{5000, 0, TaxRounding::Up, 0},
          Row{0, 10, TaxRounding::Up, 0}})
        EXPECT_EQ(taxIncluded(r.total, r.rate, r.rounding), r.tax) << r.total << " at " << r.rate;
}

} // namespace
} // namespace kavro
