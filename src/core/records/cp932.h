#pragma once
// The day files' text encoding (Windows Shift_JIS, code page 932), through iconv.
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

// UTF-8 to CP932. Fails (nullopt) on any text that would not read back exactly as given:
// characters CP932 cannot hold, and those the encoder would silently drop or replace.
std::optional<std::string> encodeCp932(std::string_view utf8);
// CP932 to UTF-8. Fails on bytes that are not valid CP932.
std::optional<std::string> decodeCp932(std::string_view bytes);
// The first character of the UTF-8 text that CP932 cannot hold, if any.
std::optional<std::string> firstUnencodableCharacter(std::string_view utf8);
// The text as a day file will hold it: a character that CP932 keeps only as a full-width
// look-alike (〜 as ～, − as －, — as ―) becomes that look-alike, so that what is shown is
// what is stored. Every other character is left as it is; encodeCp932 refuses those it
// cannot hold exactly.
std::string cp932StoredForm(std::string_view utf8);

} // namespace kavro
