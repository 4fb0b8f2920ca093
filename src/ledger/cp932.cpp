#include "ledger/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace kavro {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> convert(std::string_view in) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 2 + 16, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::size_t written = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + written;
            std::size_t dstLeft = out.size() - written;
            std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            written = out.size() - dstLeft;
            if (r == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) {
                    out.resize(out.size() * 2);
                    continue;
                }
                return std::nullopt; // EILSEQ or EINVAL: not convertible
            }
            if (r != 0)
                return std::nullopt; // irreversible (lossy) conversions count as failures
        }
        out.resize(written);
        return out;
    }

private:
    iconv_t cd_;
};

// glibc drops the tag characters U+E0000..U+E007F without an error; they must not
// vanish from a name unnoticed.
bool containsTagCharacter(std::string_view utf8) {
    // U+E0000..U+E007F encode as F3 A0 80 80 .. F3 A0 81 BF
    for (std::size_t i = 0; i + 3 < utf8.size(); ++i) {
        auto b = [&](std::size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
        if (b(0) == 0xF3 && b(1) == 0xA0 && (b(2) == 0x80 || b(2) == 0x81))
            return true;
    }
    return false;
}

// Bytes below 0x80 are the same characters in UTF-8 and in CP932, and in both they are
// whole characters (a CP932 trail byte can be below 0x80, but only after a lead byte of
// 0x81 or more). A record line is mostly ASCII (ID, times, numbers) and every line of the
// day goes through here at every save and load, so the ASCII head is copied and only the
// rest goes through iconv, which costs far more per character.
std::optional<std::string> convertAfterAsciiHead(Converter& conv, std::string_view in) {
    std::size_t head = 0;
    while (head < in.size() && static_cast<unsigned char>(in[head]) < 0x80)
        ++head;
    if (head == in.size())
        return std::string(in);
    auto rest = conv.convert(in.substr(head));
    if (!rest)
        return std::nullopt;
    std::string out;
    out.reserve(head + rest->size());
    out.append(in.substr(0, head));
    out.append(*rest);
    return out;
}

} // namespace

std::optional<std::string> encodeCp932(std::string_view utf8) {
    if (containsTagCharacter(utf8))
        return std::nullopt;
    thread_local Converter conv("CP932", "UTF-8");
    return convertAfterAsciiHead(conv, utf8);
}

std::optional<std::string> decodeCp932(std::string_view bytes) {
    thread_local Converter conv("UTF-8", "CP932");
    return convertAfterAsciiHead(conv, bytes);
}

std::optional<std::string> firstUnencodableCharacter(std::string_view utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t len = 1;
        auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        auto ch = utf8.substr(i, len);
        if (!encodeCp932(ch))
            return std::string(ch);
        i += len;
    }
    return std::nullopt;
}

} // namespace kavro
