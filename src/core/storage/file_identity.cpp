#include "core/storage/file_identity.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace kavro {

namespace {

constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

// Hashes on from `block` strides in, where the hash stood at `h`, noting the state after
// each whole stride; the trail already holds the states before `block`.
FileIdentity hashOnward(std::string_view bytes, std::size_t block, std::uint64_t h,
                        IdentityTrail& trail) {
    std::size_t at = block * kTrailStride;
    trail.states.push_back(h);
    while (at < bytes.size()) {
        const std::size_t end = std::min(at + kTrailStride, bytes.size());
        for (; at < end; ++at) {
            h ^= static_cast<unsigned char>(bytes[at]);
            h *= kFnvPrime;
        }
        if (at % kTrailStride == 0)
            trail.states.push_back(h);
    }
    return FileIdentity{true, bytes.size(), h};
}

} // namespace

FileIdentity identityOf(std::string_view bytes) {
    std::uint64_t h = kFnvOffset;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= kFnvPrime;
    }
    return FileIdentity{true, bytes.size(), h};
}

FileIdentity identityOf(std::string_view bytes, IdentityTrail& trail) {
    trail.states.clear();
    return hashOnward(bytes, 0, kFnvOffset, trail);
}

FileIdentity identityResumed(std::string_view bytes, std::string_view known,
                             const IdentityTrail& knownTrail, IdentityTrail& trail) {
    if (knownTrail.states.size() != known.size() / kTrailStride + 1)
        return identityOf(bytes, trail);
    // Whole strides the two begin with alike: the state after them is known.
    const std::size_t shorter = std::min(bytes.size(), known.size());
    std::size_t same = 0;
    while ((same + 1) * kTrailStride <= shorter &&
           std::memcmp(bytes.data() + same * kTrailStride, known.data() + same * kTrailStride,
                       kTrailStride) == 0)
        ++same;
    trail.states.assign(knownTrail.states.begin(),
                        knownTrail.states.begin() + static_cast<std::ptrdiff_t>(same));
    return hashOnward(bytes, same, knownTrail.states[same], trail);
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
