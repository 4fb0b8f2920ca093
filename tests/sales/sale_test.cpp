#include "sales/desk_day.h"
#include "sales/registration_number.h"
#include "sales/sale.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

constexpr DiscountKind kFixed = DiscountKind::Fixed, kPercent = DiscountKind::Percent;

// Changes to a sale of lines 4000 + 800 yen, paid with 4800 yen in cash.
struct PriceCase {
    const char* label;
    Discount discount = {};
    long long extraLine = 0; // a third line, when not 0
    PaymentMethod method = PaymentMethod::Cash;
    long long received = 4800;
    int taxRate = 10;
    SaleAmounts amounts = {}; // subtotal, discount, total, tax, received, change
    const char* error = nullptr;
};
void PrintTo(const PriceCase& c, std::ostream* os) { *os << c.label; }

class SalePrices : public ::testing::TestWithParam<PriceCase> {};

TEST_P(SalePrices, AreWorkedOutOrRefused) {
    const PriceCase& c = GetParam();
    SaleInput s = test::saleFor(5, test::kSalesNow);
    s.discount = c.discount;
    if (c.extraLine)
        s.lines.push_back({"宿泊上限", c.extraLine});
    s.method = c.method;
    s.received = c.received;
    s.taxRatePercent = c.taxRate;
    const PricedSale p = priceSale(s);
    EXPECT_EQ(p.error.value_or(""), c.error ? c.error : "");
    if (!c.error) {
        EXPECT_EQ(p.amounts, c.amounts);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SalePrices,
    ::testing::Values(
        PriceCase{.label = "exact cash", .amounts = {4800, 0, 4800, 436, 4800, 0}},
        PriceCase{
            .label = "change", .received = 10000, .amounts = {4800, 0, 4800, 436, 10000, 5200}},
        PriceCase{.label = "card",
                  .method = PaymentMethod::CreditCard,
                  .received = 0,
                  .amounts = {4800, 0, 4800, 436, 4800, 0}},
        PriceCase{.label = "fixed",
                  .discount = {kFixed, 500, "会員"},
                  .amounts = {4800, 500, 4300, 390, 4800, 500}},
        PriceCase{.label = "15 % down",
                  .discount = {kPercent, 15, "会員"},
                  .extraLine = 1,
                  .amounts = {4801, 720, 4081, 371, 4800, 719}},
        PriceCase{.label = "free",
                  .discount = {kPercent, 100, "招待"},
                  .amounts = {4800, 4800, 0, 0, 4800, 4800}},
        PriceCase{.label = "cap line",
                  .extraLine = -1300,
                  .amounts = {3500, 0, 3500, 318, 4800, 1300}},
        PriceCase{.label = "8 %", .taxRate = 8, .amounts = {4800, 0, 4800, 355, 4800, 0}},
        PriceCase{
            .label = "short cash", .received = 4799, .error = "お預かり金額が合計に足りません"},
        PriceCase{.label = "absurd cash",
                  .received = kMaxSaleAmount + 1,
                  .error = "お預かり金額が正しくありません"},
        PriceCase{.label = "no reason",
                  .discount = {kFixed, 500, " "},
                  .error = "値引きの理由を入力してください"},
        PriceCase{.label = "over subtotal",
                  .discount = {kFixed, 4801, "誤"},
                  .error = "値引き額は1円から小計までで入力してください"},
        PriceCase{.label = "0 %",
                  .discount = {kPercent, 0, "誤"},
                  .error = "値引き率は1から100までで入力してください"},
        PriceCase{.label = "below zero", .extraLine = -5000, .error = "小計が正しくありません"},
        PriceCase{.label = "absurd line",
                  .extraLine = 1LL << 40,
                  .error = "明細の金額が正しくありません"}));

TEST(SaleRefusals, NameWhatIsWrong) {
    const std::pair<void (*)(SaleInput&), const char*> rows[] = {
        {[](SaleInput& s) { s.lines.clear(); }, "明細がありません"},
        {[](SaleInput& s) { s.lines[0].name = "基本\n料金"; }, "明細の名前が正しくありません"},
        {[](SaleInput& s) { s.lines[0].name = "\x8a\xee"; }, "明細の名前が正しくありません"},
        {[](SaleInput& s) { s.room = 35; }, "部屋が正しくありません"},
        {[](SaleInput& s) { s.bookingId = "00510050"; }, "記録のIDが正しくありません"},
        {[](SaleInput& s) { s.people = 0; }, "人数が正しくありません"},
    };
    for (const auto& [change, error] : rows) {
        SaleInput s = test::saleFor(5, test::kSalesNow);
        change(s);
        EXPECT_EQ(priceSale(s).error.value_or("(none)"), error);
    }
}

TEST(RegistrationNumber, FormAndCorporateCheckDigit) {
    EXPECT_EQ(corporateCheckDigit("123456789012"), 7); // the ordinance's worked example
    using R = RegistrationCheck;
    const std::pair<const char*, R> rows[] = {
        {"T7123456789012", R::Valid},   {"T4011001098993", R::Valid},
        {"T2120901007402", R::Valid},   {"T1123456789012", R::CheckDigitDiffers},
        {"7123456789012", R::BadForm},  {"t7123456789012", R::BadForm},
        {"T712345678901", R::BadForm},  {"T71234567890123", R::BadForm},
        {"T712345678901X", R::BadForm}, {"Ｔ7123456789012", R::BadForm},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(checkRegistrationNumber(text), expected) << text;
}

} // namespace
} // namespace kavro
