#pragma once
// A sale as the 会計 window confirms it, and the arithmetic that turns the bill into what is
// stored and printed. Money is whole yen in 64-bit integers, tax included, as Japanese
// consumer prices are shown.
//
// - The subtotal is the sum of the bill's lines (a line may be negative, such as a cap
//   that brings a stay down to the overnight price); it must not be below zero.
// - A discount is a fixed amount (1 yen up to the subtotal) or a percentage (1 to 100) of
//   the subtotal, rounded down to the yen: the shop never gives more than it says. Every
//   discount carries a reason.
// - The tax included in the total is total × rate / (100 + rate), rounded down, once per
//   sale (a receipt carries one rate), as a simplified qualified invoice may state it.
// - Cash: the amount received is at least the total and the change is the difference.
//   The other methods take the exact total: received is the total, change 0.
// - No guest names, ever: a sale knows its booking by the day file's date and the record ID.
#include "core/records/civil_time.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

enum class PaymentMethod { Cash, CreditCard, EMoney, QrCode };
inline constexpr std::array kPaymentMethods{PaymentMethod::Cash, PaymentMethod::CreditCard,
                                            PaymentMethod::EMoney, PaymentMethod::QrCode};
// 現金, クレジットカード, 電子マネー, QRコード決済: what the desk sees.
std::string_view methodWord(PaymentMethod method);
// cash, credit, emoney, qr: what the sales file stores, so that a word shown at the desk
// can change without touching years of stored sales.
std::string_view methodCode(PaymentMethod method);
std::optional<PaymentMethod> methodFromCode(std::string_view code);

struct BillLine {
    std::string name; // 基本料金, 延長, 追加人数, 深夜 ...
    long long amount = 0;

    friend bool operator==(const BillLine&, const BillLine&) = default;
};

enum class DiscountKind { None, Fixed, Percent };
std::string_view discountCode(DiscountKind kind); // none, fixed, percent
std::optional<DiscountKind> discountFromCode(std::string_view code);

struct Discount {
    DiscountKind kind = DiscountKind::None;
    long long value = 0; // yen (Fixed) or percent (Percent)
    std::string reason;

    friend bool operator==(const Discount&, const Discount&) = default;
};

inline constexpr int kDefaultTaxRatePercent = 10;
inline constexpr long long kMaxSaleAmount = 10'000'000; // far beyond any stay: a typo guard
inline constexpr std::size_t kMaxTextCharacters = 40;   // line names, plan, reasons

// What the desk confirms in the 会計 window.
struct SaleInput {
    DateTime soldAt{};     // the sale's business date follows from it
    Date bookingDate{};    // the day file that holds the booking
    std::string bookingId; // the settled record's ID (nine digits)
    int room = 0;          // 1..34, where the party stayed (the record's room field)
    int minutes = 0;       // the whole stay, extensions included
    int people = 0;
    std::string plan; // ご休憩, ご宿泊, サービスタイム ...
    std::vector<BillLine> lines;
    Discount discount;
    int taxRatePercent = kDefaultTaxRatePercent;
    PaymentMethod method = PaymentMethod::Cash;
    long long received = 0; // cash only; the other methods take the total

    friend bool operator==(const SaleInput&, const SaleInput&) = default;
};

struct SaleAmounts {
    long long subtotal = 0;
    long long discount = 0;
    long long total = 0;
    long long taxIncluded = 0;
    long long received = 0;
    long long change = 0;

    friend bool operator==(const SaleAmounts&, const SaleAmounts&) = default;
};

struct PricedSale {
    SaleAmounts amounts;
    std::optional<std::string> error; // Japanese, for the 会計 window; nothing is stored then
};
PricedSale priceSale(const SaleInput& sale);

// total × rate / (100 + rate), rounded down.
long long taxIncludedIn(long long total, int ratePercent);

// The booking a record belongs to: the first seven characters of its ID (room code and
// group number), shared by the record and its extensions.
std::string_view bookingOf(std::string_view recordId);

} // namespace kavro
