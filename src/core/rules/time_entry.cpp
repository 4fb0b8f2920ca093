#include "core/rules/time_entry.h"

#include "core/records/civil_time.h"
#include "core/rules/day_totals.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace kavro {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

// The text cut into its UTF-8 characters.
std::vector<std::string_view> characters(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        auto lead = static_cast<unsigned char>(s[i]);
        std::size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        len = std::min(len, s.size() - i);
        out.push_back(s.substr(i, len));
        i += len;
    }
    return out;
}

// A digit typed either way: ASCII "0"-"9" or full-width "０"-"９" (U+FF10-U+FF19).
std::optional<int> digitValue(std::string_view ch) {
    if (ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9')
        return ch[0] - '0';
    if (ch.size() == 3 && static_cast<unsigned char>(ch[0]) == 0xEF &&
        static_cast<unsigned char>(ch[1]) == 0xBC) {
        auto last = static_cast<unsigned char>(ch[2]);
        if (last >= 0x90 && last <= 0x99)
            return last - 0x90;
    }
    return std::nullopt;
}

std::optional<int> twoDigits(std::string_view a, std::string_view b) {
    auto hi = digitValue(a), lo = digitValue(b);
    if (!hi || !lo)
        return std::nullopt;
    return *hi * 10 + *lo;
}

std::string formatMinutesOfDay(long minutes) {
    minutes %= kMinutesPerDay;
    if (minutes < 0)
        minutes += kMinutesPerDay;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld", minutes / 60, minutes % 60);
    return buf;
}

} // namespace

std::optional<std::string> rewriteTypedTime(std::string_view text) {
    auto chars = characters(text);
    if (chars.size() <= 3 || chars[2] == ":")
        return std::string(text);
    auto hours = twoDigits(chars[0], chars[1]);
    auto minutes = twoDigits(chars[chars.size() - 2], chars[chars.size() - 1]);
    if (!hours || !minutes)
        return std::nullopt;
    return formatMinutesOfDay(*hours * 60L + *minutes);
}

double leadingNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    double sign = 1;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        sign = s[i] == '-' ? -1 : 1;
        ++i;
    }
    double value = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        value = value * 10 + (s[i++] - '0');
    if (i < s.size() && s[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            value += (s[i++] - '0') * scale;
            scale /= 10;
        }
    }
    return sign * value;
}

std::optional<int> readTimeOfDay(std::string_view s) {
    if ((s.size() != 4 && s.size() != 5) || s[2] != ':')
        return std::nullopt;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (i != 2 && (s[i] < '0' || s[i] > '9'))
            return std::nullopt;
    int h = (s[0] - '0') * 10 + (s[1] - '0');
    int m = s.size() == 5 ? (s[3] - '0') * 10 + (s[4] - '0') : s[3] - '0';
    if (h > 23 || m > 59)
        return std::nullopt;
    return h * 60 + m;
}

std::optional<std::string> endTimeFor(std::string_view startText, std::string_view unitText) {
    auto start = readTimeOfDay(startText);
    if (!start)
        return std::nullopt;
    // Whole days drop out before rounding, so no typed unit can overflow the arithmetic.
    double unitMinutes = std::fmod(leadingNumber(unitText) * 60.0, kMinutesPerDay);
    if (!std::isfinite(unitMinutes))
        return std::nullopt;
    return formatMinutesOfDay(*start + roundHalfEven(unitMinutes));
}

bool isStorableTime(std::string_view text) { return parseHhNn(text).has_value(); }

} // namespace kavro
