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

} // namespace kavro
