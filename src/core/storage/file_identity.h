#pragma once
// What a file's bytes were, in a few bytes: tells whether a file is still what this program
// last read or wrote (another program may have changed it), and whether a journaled change
// reached it. Not a security hash: it guards against accidents, not against an attacker.
#include <cstdint>
#include <string>
#include <string_view>

namespace kavro {

struct FileIdentity {
    bool exists = false;    // a missing file and an empty file differ
    std::uint64_t size = 0; // in bytes
    std::uint64_t hash = 0; // FNV-1a, 64 bits, of the bytes

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

FileIdentity identityOf(std::string_view bytes);
inline constexpr FileIdentity kMissingFile{};

// "size:hash" in hexadecimal, "-" for a missing file; the parser returns false on any other text.
std::string identityText(const FileIdentity& id);
bool parseIdentityText(std::string_view text, FileIdentity& out);

} // namespace kavro
