#pragma once
// The record line of a day file: eight comma-separated fields, UTF-8 in memory.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

inline constexpr std::string_view kStatusUse = "利用";
inline constexpr std::string_view kStatusReserved = "予約";
inline constexpr std::string_view kStatusExtended = "延長";
inline constexpr std::string_view kStatusNotified = "通知";
inline constexpr std::string_view kStatusSettled = "精算";

enum Field { FId = 0, FStart, FUnit, FEnd, FPeople, FRoom, FName, FStatus, FieldCount };

struct RecordFields {
    std::string id, start, unit, end, people, room, name, status;
};

// The fields of a line as views into it, for readers that must not copy (the board
// painter reads every line at every repaint); missing trailing fields are empty.
struct RecordView {
    std::string_view id, start, unit, end, people, room, name, status;
};

std::vector<std::string> splitFields(std::string_view line);
std::string joinRecord(const RecordFields& r);
// Fields of a line; missing trailing fields are empty.
RecordFields parseFields(std::string_view line);
// The same fields as parseFields, viewing the line: valid while the line is.
RecordView viewFields(std::string_view line);
// The number of fields splitFields would give.
std::size_t fieldCount(std::string_view line);

// The last two characters of the line (the status word in a well-formed line).
std::string statusOf(std::string_view line);
// The line with its last two characters replaced by another status word.
std::string withStatus(std::string_view line, std::string_view status);

// The first nine characters of the line (the ID).
std::string_view idOf(std::string_view line);
// The ID read as a number, when its nine characters are digits.
std::optional<long> idNumber(std::string_view line);
// Characters 4-9: group number x 100 + sub-number.
std::optional<long> groupNumberOf(std::string_view line);
// A nine-digit ID text with leading zeros.
std::string formatId(long number);

// Room code "001".."034" as its room index 0..33.
std::optional<int> roomIndexOfCode(std::string_view code);
std::string roomCode(int roomIndex);

// A line that the program itself could have written: eight fields, a nine-digit ID,
// a room code of a bookable room, date-times in start and end, a whole number of people.
bool isWellFormedRecord(std::string_view line);

// Count of UTF-8 characters (code points).
std::size_t characterCount(std::string_view utf8);

} // namespace kavro
