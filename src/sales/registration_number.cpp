#include "sales/registration_number.h"

#include "core/records/digits.h"

namespace kavro {

int corporateCheckDigit(std::string_view twelveDigits) {
    int sum = 0;
    for (std::size_t n = 1; n <= twelveDigits.size(); ++n) {
        const int p = twelveDigits[twelveDigits.size() - n] - '0';
        sum += p * (n % 2 == 1 ? 1 : 2);
    }
    return 9 - sum % 9;
}

RegistrationCheck checkRegistrationNumber(std::string_view text) {
    if (text.size() != 14 || text[0] != 'T' || !isAllDigits(text.substr(1)))
        return RegistrationCheck::BadForm;
    const int checkDigit = text[1] - '0';
    return checkDigit == corporateCheckDigit(text.substr(2)) ? RegistrationCheck::Valid
                                                             : RegistrationCheck::CheckDigitDiffers;
}

} // namespace kavro
