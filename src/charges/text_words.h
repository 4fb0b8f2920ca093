#pragma once
// Splitting the rate file's text: lines, words, lists.
#include <string_view>
#include <vector>

namespace kavro {

// The parts between the separators (empty parts included: "a,,b" has three).
std::vector<std::string_view> splitOn(std::string_view text, char separator);
// The words between spaces, tabs and full-width spaces (U+3000), which a desk's input
// method types as easily as a space.
std::vector<std::string_view> splitWords(std::string_view text);
// Well-formed UTF-8: no stray continuation bytes, no overlong or surrogate forms.
bool isValidUtf8(std::string_view text);

} // namespace kavro
