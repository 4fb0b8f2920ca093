#include "core/storage/file_identity.h"

#include <charconv>

namespace kavro {

FileIdentity identityOf(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 0x100000001b3ULL;
    }
    return FileIdentity{true, bytes.size(), h};
}

std::string identityText(const FileIdentity& id) {
    if (!id.exists)
        return "-";
    char buf[40];
    auto end = std::to_chars(buf, buf + sizeof buf, id.size, 16).ptr;
    *end++ = ':';
    end = std::to_chars(end, buf + sizeof buf, id.hash, 16).ptr;
    return std::string(buf, end);
}

bool parseIdentityText(std::string_view text, FileIdentity& out) {
    if (text == "-") {
        out = kMissingFile;
        return true;
    }
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size())
        return false;
    FileIdentity id{true, 0, 0};
    const char* first = text.data();
    const char* mid = first + colon;
    const char* last = first + text.size();
    const auto a = std::from_chars(first, mid, id.size, 16);
    const auto b = std::from_chars(mid + 1, last, id.hash, 16);
    if (a.ec != std::errc() || a.ptr != mid || b.ec != std::errc() || b.ptr != last)
        return false;
    out = id;
    return true;
}

} // namespace kavro
