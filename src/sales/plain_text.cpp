#include "sales/plain_text.h"

namespace kavro {

namespace {

// The code point starting at text[i] and its length in bytes; length 0 when malformed.
std::pair<char32_t, std::size_t> decodeAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size())
        return {0, 0};
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return {0, 0};
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {0, 0};
    return {cp, length};
}

bool isControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }
bool isSpace(char32_t cp) { return cp == U' ' || cp == U'\u3000'; }

} // namespace

bool isPlainText(std::string_view text, std::size_t maxCharacters) {
    std::size_t characters = 0;
    bool visible = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto [cp, length] = decodeAt(text, i);
        if (length == 0 || isControl(cp) || ++characters > maxCharacters)
            return false;
        visible |= !isSpace(cp);
        i += length;
    }
    return visible;
}

} // namespace kavro
