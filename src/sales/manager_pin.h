#pragma once
// The manager's PIN, which guards the rate table (料金設定) and the shop settings. Kept only
// as a salted hash: libsodium's crypto_pwhash_str with Argon2id at its interactive limits
// (a fresh random salt each time; the string carries the algorithm, its limits and the
// salt, so a later program can raise the limits and still verify). The PIN itself is held
// only in a Pin, whose bytes are wiped (sodium_memzero) when it goes; it is never written,
// logged or copied into a std::string by this code.
//
// Rules: 4 to 8 ASCII digits. A PIN of 4 digits has only 10,000 values: it keeps the desk
// out of the manager's settings, it is no protection for a file someone has copied.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

inline constexpr std::size_t kPinMinDigits = 4;
inline constexpr std::size_t kPinMaxDigits = 8;

class Pin {
public:
    // The typed characters (only the first kPinMaxDigits + 1 are kept, so that a longer
    // entry is still refused as too long).
    explicit Pin(std::string_view typed);
    ~Pin();
    Pin(const Pin&) = delete;
    Pin& operator=(const Pin&) = delete;

    // Why the PIN cannot be set (Japanese); none when it follows the rules.
    std::optional<std::string> ruleProblem() const;

private:
    friend std::optional<std::string> hashPin(const Pin& pin);
    friend bool verifyPin(std::string_view hash, const Pin& pin);
    char digits_[kPinMaxDigits + 1] = {};
    std::size_t length_ = 0;
};

// The hash string to store ("$argon2id$v=19$m=...,t=...,p=...$salt$hash"); none when the
// PIN breaks the rules or the hash could not be made (out of memory).
std::optional<std::string> hashPin(const Pin& pin);
// Constant-time comparison inside libsodium; false for a malformed hash.
bool verifyPin(std::string_view hash, const Pin& pin);
// Whether text has the form of a hash this program writes (the settings file's check).
bool looksLikePinHash(std::string_view text);

} // namespace kavro
