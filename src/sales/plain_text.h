#pragma once
// Text the desk types into the sales file or the shop settings: printed on receipts, read
// back for years, so it must be well-formed UTF-8 on one line.
#include <cstddef>
#include <string_view>

namespace kavro {

// Well-formed UTF-8 (no overlong forms, no surrogates), no control characters, at least one
// character that is not a space and at most maxCharacters characters.
bool isPlainText(std::string_view text, std::size_t maxCharacters);

} // namespace kavro
