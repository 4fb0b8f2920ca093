#pragma once
// The day files' text encoding (Windows Shift_JIS, code page 932), through iconv.
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

// UTF-8 to CP932. Fails (nullopt) on any character CP932 cannot hold, instead of
// silently dropping or replacing it.
std::optional<std::string> encodeCp932(std::string_view utf8);
// CP932 to UTF-8. Fails on bytes that are not valid CP932.
std::optional<std::string> decodeCp932(std::string_view bytes);
// The first character of the UTF-8 text that CP932 cannot hold, if any.
std::optional<std::string> firstUnencodableCharacter(std::string_view utf8);

} // namespace kavro
