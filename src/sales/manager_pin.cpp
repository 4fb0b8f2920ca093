#include "sales/manager_pin.h"

#include <algorithm>
#include <cstring>
#include <sodium.h>

namespace kavro {

namespace {

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

constexpr std::string_view kHashPrefix = "$argon2id$";

} // namespace

Pin::Pin(std::string_view typed) {
    length_ = std::min(typed.size(), sizeof digits_);
    std::memcpy(digits_, typed.data(), length_);
}

Pin::~Pin() { sodium_memzero(digits_, sizeof digits_); }

std::optional<std::string> Pin::ruleProblem() const {
    if (length_ < kPinMinDigits || length_ > kPinMaxDigits)
        return "暗証番号は4桁から8桁の数字で入力してください";
    for (std::size_t i = 0; i < length_; ++i)
        if (digits_[i] < '0' || digits_[i] > '9')
            return "暗証番号は数字だけで入力してください";
    return std::nullopt;
}

std::optional<std::string> hashPin(const Pin& pin) {
    if (pin.ruleProblem() || !sodiumReady())
        return std::nullopt;
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, pin.digits_, pin.length_, crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        return std::nullopt;
    return std::string(out);
}

bool verifyPin(std::string_view hash, const Pin& pin) {
    if (!looksLikePinHash(hash) || !sodiumReady())
        return false;
    const std::string terminated(hash); // crypto_pwhash_str_verify reads a C string
    return crypto_pwhash_str_verify(terminated.c_str(), pin.digits_, pin.length_) == 0;
}

bool looksLikePinHash(std::string_view text) {
    if (text.size() >= crypto_pwhash_STRBYTES || text.substr(0, kHashPrefix.size()) != kHashPrefix)
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '$' || c == '=' || c == ',' || c == '+' || c == '/';
    });
}

} // namespace kavro
