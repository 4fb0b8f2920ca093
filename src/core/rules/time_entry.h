#pragma once
// The two rules that run while a time is typed into the entry panel: the typed-time
// rewrite ("0930" becomes "09:30") and the end time that follows start and unit.
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

// What a time box shows for a time that cannot be read.
inline constexpr std::string_view kInvalidTimeMarker = "**:**";

// The text a time box shows after the typed-time rewrite. Hours are the first two
// characters and minutes the last two ("12345" gives 12:45); minutes of 60 and more carry
// into the hours and hours wrap past midnight ("1275" gives 13:15, "2530" gives 01:30).
// Texts of up to three characters are still being typed and texts with ":" in third place
// are already times: both are returned unchanged. nullopt when the characters read are not
// digits (full-width digits, as an input method types them, count as digits).
std::optional<std::string> rewriteTypedTime(std::string_view text);

// The leading numeric part of a text, the way the unit box has always been read:
// "1.5" gives 1.5, "2h" gives 2, "" and "abc" give 0.
double leadingNumber(std::string_view text);

// Minutes after midnight of a time box's text: "hh:nn", or "hh:n" while the minutes are
// still being typed. nullopt for anything else or out of range.
std::optional<int> readTimeOfDay(std::string_view text);

// The end-time recompute: start plus the unit in hours, "hh:nn", wrapped past midnight.
// nullopt when the start cannot be read.
std::optional<std::string> endTimeFor(std::string_view startText, std::string_view unitText);

// A complete time "hh:nn" that can go into a record line.
bool isStorableTime(std::string_view text);

} // namespace kavro
