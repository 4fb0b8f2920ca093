#include "core/rules/entry_check.h"

#include "core/records/cp932.h"
#include "core/records/record.h"
#include "core/rules/time_entry.h"

#include <cstdio>

namespace kavro {

namespace {

constexpr std::size_t kMaxPeopleDigits = 6; // what a day file line may hold
constexpr double kMaxUnitHours = 24;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal: digits with at most one decimal point, at least one digit. What goes
// into the record's unit field must read back as the same number.
bool isPlainDecimal(std::string_view s) {
    bool digit = false, point = false;
    for (char c : s) {
        if (isDigit(c))
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

bool validUnit(std::string_view unit) {
    if (!isPlainDecimal(unit))
        return false;
    double hours = leadingNumber(unit);
    return hours > 0 && hours <= kMaxUnitHours;
}

bool validPeople(std::string_view people) {
    if (people.empty() || people.size() > kMaxPeopleDigits)
        return false;
    bool nonZero = false;
    for (char c : people) {
        if (!isDigit(c))
            return false;
        nonZero = nonZero || c != '0';
    }
    return nonZero;
}

char32_t decodeOne(std::string_view ch) {
    auto b = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(ch[i]));
    };
    switch (ch.size()) {
    case 1:
        return b(0);
    case 2:
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3:
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    default:
        return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    }
}

} // namespace

std::optional<std::string> unusableNameCharacter(std::string_view name) {
    std::size_t i = 0;
    while (i < name.size()) {
        auto lead = static_cast<unsigned char>(name[i]);
        std::size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        std::string_view ch = name.substr(i, std::min(len, name.size() - i));
        char32_t cp = decodeOne(ch);
        // A line break would split the record; "," would split its fields.
        if (cp == U',' || cp < 0x20 || cp == 0x7F || !encodeCp932(ch))
            return std::string(ch);
        i += ch.size();
    }
    return std::nullopt;
}

std::string codePointLabel(std::string_view ch) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(ch.empty() ? 0 : decodeOne(ch)));
    return buf;
}

EntryCheck checkEntry(const EntryFields& f) {
    auto fail = [](EntryProblem p) { return EntryCheck{p, {}}; };
    if (!isStorableTime(f.start))
        return fail(EntryProblem::StartTime);
    if (!isStorableTime(f.end))
        return fail(EntryProblem::EndTime);
    if (f.name.empty())
        return fail(EntryProblem::NameEmpty);
    if (!roomIndexOfCode(f.room))
        return fail(EntryProblem::Room);
    if (!validUnit(f.unit))
        return fail(EntryProblem::Unit);
    if (!validPeople(f.people))
        return fail(EntryProblem::People);
    if (auto ch = unusableNameCharacter(f.name))
        return EntryCheck{EntryProblem::NameCharacter, *ch};
    return {};
}

bool isStatusWord(std::string_view text) {
    for (auto word :
         {kStatusUse, kStatusReserved, kStatusExtended, kStatusNotified, kStatusSettled})
        if (text == word)
            return true;
    return false;
}

} // namespace kavro
