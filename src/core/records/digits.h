#pragma once
#include <string_view>

namespace kavro {

// At least one character, and every character an ASCII digit.
constexpr bool isAllDigits(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The value of a text already known to be digits (at most nine of them).
constexpr int digitsValue(std::string_view digits) {
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

} // namespace kavro
