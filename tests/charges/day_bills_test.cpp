#include "charges/day_bills.h"
#include "charges/record_reader.h"
#include "core/records/record.h"
#include "golden_rates.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

using test::ymd;

// 2026/07/01, a Wednesday: room 005 from 23:00, extended at 03:00 to 07:00 with a third
// guest; the 06:00 carry copied the extension into 07/02's file.
const std::vector<std::string> kJuly1 = {
    "005100100,2026/07/01 23:00,4,2026/07/02 03:00,2,005,ヤマダ,延長",
    "005100101,2026/07/02 03:00,4,2026/07/02 07:00,3,005,ヤマダ,利用",
    "010100200,2026/07/01 14:00,1,2026/07/01 15:00,2,010,スズキ,精算",
};

// 07/02's own booking: two hours in room 010, the second an extension.
const std::vector<std::string> kJuly2Own = {
    "010100200,2026/07/02 14:00,1,2026/07/02 15:00,2,010,タナカ,延長",
    "a line the desk cannot read",
    "010100201,2026/07/02 15:00,1,2026/07/02 16:00,2,010,タナカ,精算",
};

struct CarryCase {
    const char* name;
    std::vector<std::string> copied; // what 07/02's file holds of the stay in room 005
};
void PrintTo(const CarryCase& c, std::ostream* os) { *os << c.name; }

class CarriedStay : public ::testing::TestWithParam<CarryCase> {};

// Joined: 23:00 to 07:00, 480 min, three guests, priced on 07/01 (Wednesday night):
// stay 7000 + 1 extra guest 1000 = 8000; as a rest 3000 + 14 × 1000 + 1000 + 深夜 500.
TEST_P(CarriedStay, IsBilledFromItsArrivalTheDayBefore) {
    std::vector<std::string> july2 = GetParam().copied;
    july2.insert(july2.end(), kJuly2Own.begin(), kJuly2Own.end());
    const auto bills = billsOfDay(test::goldenBook(), ymd(2026, 7, 2), july2, kJuly1);
    ASSERT_EQ(bills.size(), 2u);
    const BookingChain& carried = bills[0].chain;
    EXPECT_EQ(carried.arrival, Arrival::PreviousDay);
    EXPECT_EQ(formatRecordTime(carried.start), "2026/07/01 23:00");
    EXPECT_EQ(formatRecordTime(carried.end), "2026/07/02 07:00");
    EXPECT_EQ(carried.minutes, 480);
    EXPECT_EQ(carried.people, 3);
    EXPECT_EQ(carried.status, "精算");
    EXPECT_EQ(carried.records.front(), kJuly1[0]);
    EXPECT_EQ(test::describe(bills[0].bill),
              "ご宿泊 平日 基本料金 7000 追加人数(1) 1000 = 8000 (税 727) / ご休憩 18500");

    // 07/02 (Thursday) 14:00-16:00: rest 3000 + 2 × 1000 = 5000, service time 4500.
    const BookingChain& own = bills[1].chain;
    EXPECT_EQ(own.arrival, Arrival::ThisDay);
    EXPECT_EQ(own.records.size(), 2u);
    EXPECT_EQ(own.id, "010100200");
    EXPECT_EQ(test::describe(bills[1].bill),
              "サービスタイム 平日 基本料金 4500 = 4500 (税 409) / ご休憩 5000");
}

INSTANTIATE_TEST_SUITE_P(
    AsTheCarryCopiesIt, CarriedStay,
    ::testing::Values(
        // Renumbered as a first record, and settled on the new day.
        CarryCase{"CopiedAsABase",
                  {"005100100,2026/07/02 03:00,4,2026/07/02 07:00,3,005,ヤマダ,精算"}},
        // Keeping its sub-number: a continuation without its base.
        CarryCase{"CopiedAsAContinuation",
                  {"005100101,2026/07/02 03:00,4,2026/07/02 07:00,3,005,ヤマダ,精算"}},
        // Base and extension both copied: nothing to take from the day before but the
        // knowledge that nothing is missing.
        CarryCase{"CopiedWhole",
                  {"005100100,2026/07/01 23:00,4,2026/07/02 03:00,2,005,ヤマダ,延長",
                   "005100101,2026/07/02 03:00,4,2026/07/02 07:00,3,005,ヤマダ,精算"}},
        // The copy's name corrected on the new day: found by its room and start.
        CarryCase{"CopyCorrected",
                  {"005100100,2026/07/02 03:00,4,2026/07/02 07:00,3,005,ヤマダ様,精算"}}));

TEST(CarriedStay, WithoutThePreviousDayIsMarkedAsBilledInPart) {
    const std::vector<std::string> july2 = {
        "005100101,2026/07/02 03:00,4,2026/07/02 07:00,3,005,ヤマダ,精算"};
    for (const auto& bills : {billsOfDay(test::goldenBook(), ymd(2026, 7, 2), july2),
                              billsOfDay(test::goldenBook(), ymd(2026, 7, 2), july2, {})}) {
        ASSERT_EQ(bills.size(), 1u);
        EXPECT_EQ(bills[0].chain.arrival, Arrival::Unjoined);
        EXPECT_EQ(bills[0].chain.minutes, 240);
    }
    // The day before knows that its stay went on: the carry continued it.
    const auto july1 = chainsOfDay(ymd(2026, 7, 1), kJuly1);
    ASSERT_EQ(july1.size(), 2u);
    EXPECT_TRUE(july1[0].runsPastDay);
    EXPECT_FALSE(july1[1].runsPastDay);
}

// The billing reader converts each date once; it must take exactly the lines the ledger
// takes for records, the second line of a date (read from its cache) included.
TEST(RecordReader, TakesWhatTheLedgerTakesForARecord) {
    const std::string good = "005100100,2026/07/01 23:00,4,2026/07/02 03:00,2,005,ヤマダ,延長";
    const std::vector<std::string> lines = {
        good,
        good,
        "005100100,2026/07/01 24:00,4,2026/07/02 03:00,2,005,ヤマダ,延長",
        "005100100,2026/07/01 23:00,4,2026/07/02 03:60,2,005,ヤマダ,延長",
        "005100100,2026/07/01 23:00,4,2026/07/02 0300,2,005,ヤマダ,延長",
        "005100100,2026/07/01 23:00,4,2026/07/02 03:00,2,005,ヤマダ,",
        "005100100,2026/07/01 23:00,4,2026/07/02 03:00,2,005,ヤマダ",
        "005100100,2026/07/01 23:00,4,2026/07/02 03:00,2,005,ヤマダ,延長,",
        "00510010,2026/07/01 23:00,4,2026/07/02 03:00,2,005,ヤマダ,延長",
        "005100100,2026/07/01 23:00,4,2026/07/02 03:00,2,035,ヤマダ,延長",
        "005100100,2026/07/01 23:00,4,2026/07/02 03:00,二,005,ヤマダ,延長",
        "005100100,2026/02/30 23:00,4,2026/07/02 03:00,2,005,ヤマダ,延長",
        "",
    };
    RecordReader reader;
    for (const std::string& line : lines)
        EXPECT_EQ(reader.read(line).has_value(), isWellFormedRecord(line)) << line;
    const auto r = RecordReader().read(good);
    ASSERT_TRUE(r);
    EXPECT_EQ(formatRecordTime(r->end), "2026/07/02 03:00");
    EXPECT_EQ(r->chainKey, 51001);
    EXPECT_EQ(r->sub, 0);
}

} // namespace
} // namespace kavro
