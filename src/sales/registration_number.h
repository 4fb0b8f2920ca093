#pragma once
// The registration number a qualified invoice carries: "T" and 13 digits. For a company
// the digits are its corporate number (法人番号), whose first digit is a check digit fixed
// by ordinance: 9 - (sum of P(n) x Q(n) for n = 1..12, modulo 9), P(n) being the n-th
// digit from the right of the other twelve, Q(n) 1 for odd n and 2 for even n. Sole
// proprietors get 13 digits of their own, for which no check digit rule is published: a
// number that fails the corporate rule is therefore only questioned, never refused.
#include <string_view>

namespace kavro {

enum class RegistrationCheck {
    Valid,             // the form, and the corporate check digit
    CheckDigitDiffers, // the form; not the corporate check digit (a sole proprietor's?)
    BadForm,           // not "T" and 13 digits
};

RegistrationCheck checkRegistrationNumber(std::string_view text);

// The check digit of a corporate number's other twelve digits.
int corporateCheckDigit(std::string_view twelveDigits);

} // namespace kavro
