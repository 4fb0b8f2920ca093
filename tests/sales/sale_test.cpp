#include "sales/desk_day.h"
#include "sales/registration_number.h"
#include "sales/sale.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

struct PriceCase {
    const char* label;
    void (*change)(SaleInput&);
    SaleAmounts amounts; // subtotal, discount, total, tax, received, change
    const char* error;   // the refusal, or nullptr
};
void PrintTo(const PriceCase& c, std::ostream* os) { *os << c.label; }

class SalePrices : public ::testing::TestWithParam<PriceCase> {};

// From lines of 4000 and 800 yen, paid with 4800 yen in cash.
TEST_P(SalePrices, AreWorkedOutOrRefused) {
    SaleInput s = test::saleFor(5, test::kSalesNow);
    GetParam().change(s);
    const PricedSale p = priceSale(s);
    if (GetParam().error) {
        EXPECT_EQ(p.error.value_or("(none)"), GetParam().error);
    } else {
        EXPECT_EQ(p.error, std::nullopt);
        EXPECT_EQ(p.amounts, GetParam().amounts);
    }
}

constexpr DiscountKind kFixed = DiscountKind::Fixed, kPercent = DiscountKind::Percent;

INSTANTIATE_TEST_SUITE_P(
    Rows, SalePrices,
    ::testing::Values(
        PriceCase{"exact cash", [](SaleInput&) {}, {4800, 0, 4800, 436, 4800, 0}, nullptr},
        PriceCase{"change",
                  [](SaleInput& s) { s.received = 10000; },
                  {4800, 0, 4800, 436, 10000, 5200},
                  nullptr},
        PriceCase{"card takes the total",
                  [](SaleInput& s) {
                      s.method = PaymentMethod::CreditCard;
                      s.received = 0;
                  },
                  {4800, 0, 4800, 436, 4800, 0},
                  nullptr},
        PriceCase{"fixed discount",
                  [](SaleInput& s) {
                      s.discount = {kFixed, 500, "会員"};
                  },
                  {4800, 500, 4300, 390, 4800, 500},
                  nullptr},
        PriceCase{"15 % rounds the discount down",
                  [](SaleInput& s) {
                      s.discount = {kPercent, 15, "会員"};
                      s.lines[0].amount = 4001;
                  },
                  {4801, 720, 4081, 371, 4800, 719},
                  nullptr},
        PriceCase{"100 % is free",
                  [](SaleInput& s) {
                      s.discount = {kPercent, 100, "招待"};
                  },
                  {4800, 4800, 0, 0, 4800, 4800},
                  nullptr},
        PriceCase{"a cap line below zero",
                  [](SaleInput& s) {
                      s.lines.push_back({"宿泊上限", -1300});
                  },
                  {3500, 0, 3500, 318, 4800, 1300},
                  nullptr},
        PriceCase{"8 % rate",
                  [](SaleInput& s) { s.taxRatePercent = 8; },
                  {4800, 0, 4800, 355, 4800, 0},
                  nullptr},
        PriceCase{"short cash",
                  [](SaleInput& s) { s.received = 4799; },
                  {},
                  "お預かり金額が合計に足りません"},
        PriceCase{"discount without reason",
                  [](SaleInput& s) {
                      s.discount = {kFixed, 500, " "};
                  },
                  {},
                  "値引きの理由を入力してください"},
        PriceCase{"discount over subtotal",
                  [](SaleInput& s) {
                      s.discount = {kFixed, 4801, "誤"};
                  },
                  {},
                  "値引き額は1円から小計までで入力してください"},
        PriceCase{"percent 0",
                  [](SaleInput& s) {
                      s.discount = {kPercent, 0, "誤"};
                  },
                  {},
                  "値引き率は1から100までで入力してください"},
        PriceCase{"no lines", [](SaleInput& s) { s.lines.clear(); }, {}, "明細がありません"},
        PriceCase{"line name with a line break",
                  [](SaleInput& s) { s.lines[0].name = "基本\n料金"; },
                  {},
                  "明細の名前が正しくありません"},
        PriceCase{"line name not UTF-8",
                  [](SaleInput& s) { s.lines[0].name = "\x8a\xee"; },
                  {},
                  "明細の名前が正しくありません"},
        PriceCase{"negative subtotal",
                  [](SaleInput& s) {
                      s.lines.push_back({"誤", -5000});
                  },
                  {},
                  "小計が正しくありません"},
        PriceCase{"absurd amount",
                  [](SaleInput& s) { s.lines[0].amount = 1LL << 40; },
                  {},
                  "明細の金額が正しくありません"},
        PriceCase{"room 35", [](SaleInput& s) { s.room = 35; }, {}, "部屋が正しくありません"},
        PriceCase{"ID of 8 digits",
                  [](SaleInput& s) { s.bookingId = "00510050"; },
                  {},
                  "記録のIDが正しくありません"},
        PriceCase{"no people", [](SaleInput& s) { s.people = 0; }, {}, "人数が正しくありません"}));

TEST(SaleAmounts, ReceiptBeyondTheLimitIsRefusedWithoutOverflow) {
    SaleInput s = test::saleFor(5, test::kSalesNow);
    s.received = kMaxSaleAmount + 1;
    EXPECT_EQ(priceSale(s).error, "お預かり金額が正しくありません");
    s.discount = {DiscountKind::Percent, 100, "招待"};
    s.lines = {{"基本料金", kMaxSaleAmount}};
    s.received = kMaxSaleAmount;
    EXPECT_EQ(priceSale(s).amounts.change, kMaxSaleAmount);
}

TEST(RegistrationNumber, FormAndCorporateCheckDigit) {
    EXPECT_EQ(corporateCheckDigit("123456789012"), 7); // the ordinance's worked example
    const std::pair<const char*, RegistrationCheck> rows[] = {
        {"T7123456789012", RegistrationCheck::Valid},
        {"T4011001098993", RegistrationCheck::Valid},
        {"T2120901007402", RegistrationCheck::Valid},
        {"T1123456789012", RegistrationCheck::CheckDigitDiffers},
        {"7123456789012", RegistrationCheck::BadForm},
        {"t7123456789012", RegistrationCheck::BadForm},
        {"T712345678901", RegistrationCheck::BadForm},
        {"T71234567890123", RegistrationCheck::BadForm},
        {"T712345678901X", RegistrationCheck::BadForm},
        {"Ｔ7123456789012", RegistrationCheck::BadForm},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(checkRegistrationNumber(text), expected) << text;
}

} // namespace
} // namespace kavro
