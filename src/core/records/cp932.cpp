#include "core/records/cp932.h"

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
    thread_local Converter conv("CP932", "UTF-8");
    auto bytes = convertAfterAsciiHead(conv, utf8);
    // glibc maps a few characters one way (〜 to the bytes of ～, ¥ to a backslash) and drops the
    // tag characters U+E0000..U+E007F without an error: only text that reads back as it was
    // written is stored.
    if (bytes && decodeCp932(*bytes) != utf8)
        return std::nullopt;
    return bytes;
}

std::optional<std::string> decodeCp932(std::string_view bytes) {
    thread_local Converter conv("UTF-8", "CP932");
    return convertAfterAsciiHead(conv, bytes);
}

namespace {

std::size_t utf8Length(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

} // namespace

std::optional<std::string> firstUnencodableCharacter(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        auto ch = utf8.substr(i, utf8Length(static_cast<unsigned char>(utf8[i])));
        if (!encodeCp932(ch))
            return std::string(ch);
        i += ch.size();
    }
    return std::nullopt;
}

std::string cp932StoredForm(std::string_view utf8) {
    thread_local Converter encoder("CP932", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        auto ch = utf8.substr(i, utf8Length(static_cast<unsigned char>(utf8[i])));
        i += ch.size();
        std::optional<std::string> stored;
        if (static_cast<unsigned char>(ch[0]) >= 0x80 && !encodeCp932(ch)) {
            // Only a look-alike outside ASCII stands in: ¥ read back as a backslash, or ‾ as
            // a tilde, would be another character, so those stay and are refused.
            auto bytes = encoder.convert(ch);
            if (bytes && bytes->size() == 2)
                stored = decodeCp932(*bytes);
        }
        out += stored ? *stored : std::string(ch);
    }
    return out;
}

} // namespace kavro
