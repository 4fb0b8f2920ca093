#include "core/records/record.h"

#include "core/records/civil_time.h"
#include "core/records/digits.h"

#include <algorithm>
#include <cstdio>

namespace kavro {

namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset where the last n UTF-8 characters of s begin.
std::size_t lastCharsOffset(std::string_view s, int n) {
    std::size_t pos = s.size();
    while (n > 0 && pos > 0) {
        --pos;
        while (pos > 0 && isContinuationByte(s[pos]))
            --pos;
        --n;
    }
    return pos;
}

} // namespace

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        auto comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            out.emplace_back(line.substr(start));
            return out;
        }
        out.emplace_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string joinRecord(const RecordFields& r) {
    std::string out;
    out.reserve(64);
    for (const std::string* f : {&r.id, &r.start, &r.unit, &r.end, &r.people, &r.room, &r.name}) {
        out += *f;
        out += ',';
    }
    out += r.status;
    return out;
}

RecordFields parseFields(std::string_view line) {
    auto f = splitFields(line);
    f.resize(std::max<std::size_t>(f.size(), FieldCount));
    return {f[FId], f[FStart], f[FUnit], f[FEnd], f[FPeople], f[FRoom], f[FName], f[FStatus]};
}

std::size_t fieldCount(std::string_view line) {
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1;
}

RecordView viewFields(std::string_view line) {
    std::string_view f[FieldCount];
    std::size_t start = 0;
    for (int i = 0; i < FieldCount; ++i) {
        const auto comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            f[i] = line.substr(start);
            break;
        }
        f[i] = line.substr(start, comma - start);
        start = comma + 1;
    }
    return {f[FId], f[FStart], f[FUnit], f[FEnd], f[FPeople], f[FRoom], f[FName], f[FStatus]};
}

std::string statusOf(std::string_view line) {
    return std::string(line.substr(lastCharsOffset(line, 2)));
}

std::string withStatus(std::string_view line, std::string_view status) {
    std::string out(line.substr(0, lastCharsOffset(line, 2)));
    out += status;
    return out;
}

std::string_view idOf(std::string_view line) { return line.substr(0, 9); }

std::optional<long> idNumber(std::string_view line) {
    auto id = idOf(line);
    if (id.size() != 9 || !isAllDigits(id))
        return std::nullopt;
    return digitsValue(id);
}

std::optional<long> groupNumberOf(std::string_view line) {
    if (line.size() < 9 || !isAllDigits(line.substr(3, 6)))
        return std::nullopt;
    return digitsValue(line.substr(3, 6));
}

std::string formatId(long number) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%09ld", number);
    return buf;
}

std::optional<int> roomIndexOfCode(std::string_view code) {
    if (code.size() != 3 || !isAllDigits(code))
        return std::nullopt;
    int n = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
    if (n < 1 || n > 34)
        return std::nullopt;
    return n - 1;
}

std::string roomCode(int roomIndex) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", roomIndex + 1);
    return buf;
}

bool isWellFormedRecord(std::string_view line) {
    // Read at every load for every line of the day: views, no copies.
    if (fieldCount(line) != FieldCount)
        return false;
    const RecordView f = viewFields(line);
    if (f.id.size() != 9 || !isAllDigits(f.id))
        return false;
    if (!roomIndexOfCode(f.room))
        return false;
    if (f.start.size() != 16 || !parseDateTime(f.start))
        return false;
    if (f.end.size() != 16 || !parseDateTime(f.end))
        return false;
    // Whole numbers only, and small enough that the day's sum cannot overflow.
    return isAllDigits(f.people) && f.people.size() <= 6;
}

std::size_t characterCount(std::string_view s) {
    std::size_t n = 0;
    for (char c : s)
        if (!isContinuationByte(c))
            ++n;
    return n;
}

} // namespace kavro
