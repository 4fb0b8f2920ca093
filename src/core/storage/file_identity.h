#pragma once
// What a file's bytes were, in a few bytes: tells whether a file is still what this program
// last read or wrote (another program may have changed it), and whether a journaled change
// reached it. Not a security hash: it guards against accidents, not against an attacker.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

struct FileIdentity {
    bool exists = false;    // a missing file and an empty file differ
    std::uint64_t size = 0; // in bytes
    std::uint64_t hash = 0; // FNV-1a, 64 bits, of the bytes

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

FileIdentity identityOf(std::string_view bytes);
inline constexpr FileIdentity kMissingFile{};

// The hash's state every kTrailStride bytes along some bytes. A save changes a few lines of a
// day, so the identity of the new bytes is resumed from where they part from the old ones
// rather than worked out from the start.
inline constexpr std::size_t kTrailStride = 1024;
struct IdentityTrail {
    std::vector<std::uint64_t> states; // [i]: after the first i * kTrailStride bytes
};
FileIdentity identityOf(std::string_view bytes, IdentityTrail& trail);
// The identity of `bytes`, resumed from `known` and its trail; a trail that is not of bytes
// of `known`'s length is not used. The trail of `bytes` goes into `trail`.
FileIdentity identityResumed(std::string_view bytes, std::string_view known,
                             const IdentityTrail& knownTrail, IdentityTrail& trail);

// "size:hash" in hexadecimal, "-" for a missing file; the parser returns false on any other text.
std::string identityText(const FileIdentity& id);
bool parseIdentityText(std::string_view text, FileIdentity& out);

} // namespace kavro
