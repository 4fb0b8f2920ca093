#include "sales/sale.h"

#include "core/records/digits.h"
#include "core/records/record.h"
#include "sales/code_table.h"
#include "sales/plain_text.h"

namespace kavro {

namespace {

constexpr CodeRow<PaymentMethod> kMethodWords[] = {
    {PaymentMethod::Cash, "現金"},
    {PaymentMethod::CreditCard, "クレジットカード"},
    {PaymentMethod::EMoney, "電子マネー"},
    {PaymentMethod::QrCode, "QRコード決済"},
};
constexpr CodeRow<PaymentMethod> kMethodCodes[] = {
    {PaymentMethod::Cash, "cash"},
    {PaymentMethod::CreditCard, "credit"},
    {PaymentMethod::EMoney, "emoney"},
    {PaymentMethod::QrCode, "qr"},
};
constexpr CodeRow<DiscountKind> kDiscountCodes[] = {{DiscountKind::None, "none"},
                                                    {DiscountKind::Fixed, "fixed"},
                                                    {DiscountKind::Percent, "percent"}};

PricedSale refused(std::string text) { return {{}, std::move(text)}; }

// The checks of everything but the money, in the order the 会計 window shows its fields.
std::optional<std::string> bookingProblem(const SaleInput& s) {
    if (s.bookingId.size() != 9 || !isAllDigits(s.bookingId) || !s.bookingDate.ok())
        return "記録のIDが正しくありません";
    if (s.room < 1 || s.room > 34)
        return "部屋が正しくありません";
    if (s.minutes < 0)
        return "利用時間が正しくありません";
    if (s.people < 1 || s.people > 99)
        return "人数が正しくありません";
    if (!isPlainText(s.plan, kMaxTextCharacters))
        return "料金プランの名前が正しくありません";
    if (s.taxRatePercent < 0 || s.taxRatePercent > 100)
        return "税率が正しくありません";
    return std::nullopt;
}

bool withinLimit(long long yen) { return yen >= -kMaxSaleAmount && yen <= kMaxSaleAmount; }

} // namespace

std::string_view methodWord(PaymentMethod method) { return codeIn(kMethodWords, method); }
std::string_view methodCode(PaymentMethod method) { return codeIn(kMethodCodes, method); }
std::optional<PaymentMethod> methodFromCode(std::string_view code) {
    return valueIn(kMethodCodes, code);
}
std::string_view discountCode(DiscountKind kind) { return codeIn(kDiscountCodes, kind); }
std::optional<DiscountKind> discountFromCode(std::string_view code) {
    return valueIn(kDiscountCodes, code);
}

long long taxIncludedIn(long long total, int ratePercent) {
    return total * ratePercent / (100 + ratePercent);
}

std::string_view bookingOf(std::string_view recordId) { return recordId.substr(0, 7); }

PricedSale priceSale(const SaleInput& s) {
    if (auto problem = bookingProblem(s))
        return refused(*problem);
    if (s.lines.empty())
        return refused("明細がありません");
    SaleAmounts a;
    for (const BillLine& line : s.lines) {
        if (!isPlainText(line.name, kMaxTextCharacters))
            return refused("明細の名前が正しくありません");
        if (!withinLimit(line.amount))
            return refused("明細の金額が正しくありません");
        a.subtotal += line.amount;
    }
    if (a.subtotal < 0 || a.subtotal > kMaxSaleAmount)
        return refused("小計が正しくありません");

    const Discount& d = s.discount;
    if (d.kind != DiscountKind::None && !isPlainText(d.reason, kMaxTextCharacters))
        return refused("値引きの理由を入力してください");
    if (d.kind == DiscountKind::Fixed) {
        if (d.value < 1 || d.value > a.subtotal)
            return refused("値引き額は1円から小計までで入力してください");
        a.discount = d.value;
    } else if (d.kind == DiscountKind::Percent) {
        if (d.value < 1 || d.value > 100)
            return refused("値引き率は1から100までで入力してください");
        a.discount = a.subtotal * d.value / 100;
    }
    a.total = a.subtotal - a.discount;
    a.taxIncluded = taxIncludedIn(a.total, s.taxRatePercent);

    if (s.method != PaymentMethod::Cash) {
        a.received = a.total;
    } else if (s.received > kMaxSaleAmount) {
        return refused("お預かり金額が正しくありません");
    } else if (s.received < a.total) {
        return refused("お預かり金額が合計に足りません");
    } else {
        a.received = s.received;
    }
    a.change = a.received - a.total;
    return {a, std::nullopt};
}

} // namespace kavro
