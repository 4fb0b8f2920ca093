#include "charges/text_words.h"

namespace kavro {

namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

// The length of the separator at the start of text, 0 when none stands there.
std::size_t separatorAt(std::string_view text) {
    if (text[0] == ' ' || text[0] == '\t')
        return 1;
    return text.substr(0, 3) == kFullWidthSpace ? 3 : 0;
}

} // namespace

std::vector<std::string_view> splitOn(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0, i = 0;
    while (i < text.size()) {
        if (const std::size_t sep = separatorAt(text.substr(i))) {
            if (i > start)
                words.push_back(text.substr(start, i - start));
            i += sep;
            start = i;
        } else {
            ++i;
        }
    }
    if (i > start)
        words.push_back(text.substr(start, i - start));
    return words;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80                ? 1
                                   : c >= 0xC2 && c < 0xE0 ? 2
                                   : c >= 0xE0 && c < 0xF0 ? 3
                                   : c >= 0xF0 && c < 0xF5 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        const auto second = static_cast<unsigned char>(text[i + 1 < text.size() ? i + 1 : i]);
        if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second >= 0xA0) ||
            (c == 0xF0 && second < 0x90) || (c == 0xF4 && second >= 0x90))
            return false;
        i += length;
    }
    return true;
}

} // namespace kavro
