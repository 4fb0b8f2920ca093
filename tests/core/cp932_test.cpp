#include "core/records/cp932.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

std::string utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

TEST(Cp932RoundTrip, WhatEncodesReadsBackExactly) {
    int encodable = 0;
    for (char32_t c = 1; c < 0x30000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const std::string text = "山" + utf8(c) + "田";
        auto bytes = encodeCp932(text);
        if (!bytes)
            continue;
        ++encodable;
        ASSERT_EQ(decodeCp932(*bytes), text) << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_GT(encodable, 7000) << "the sweep reached the encoder";
}

struct OneWay {
    const char* typed;
    const char* stored; // what the day file would hold; the typed text when it is refused
};
void PrintTo(const OneWay& c, std::ostream* os) { *os << c.typed << " -> " << c.stored; }

class Cp932OneWay : public ::testing::TestWithParam<OneWay> {};

TEST_P(Cp932OneWay, IsRefusedAndShownAsItsLookAlikeWhenThereIsOne) {
    const std::string typed = std::string("佐") + GetParam().typed + "藤";
    const std::string stored = std::string("佐") + GetParam().stored + "藤";
    EXPECT_FALSE(encodeCp932(typed));
    EXPECT_EQ(firstUnencodableCharacter(typed), GetParam().typed);
    EXPECT_EQ(cp932StoredForm(typed), stored);
    if (stored != typed) {
        ASSERT_TRUE(encodeCp932(stored));
        EXPECT_EQ(decodeCp932(*encodeCp932(stored)), stored);
    }
}

INSTANTIATE_TEST_SUITE_P(GlibcMappings, Cp932OneWay,
                         ::testing::Values(OneWay{"〜", "～"}, OneWay{"−", "－"}, OneWay{"—", "―"},
                                           OneWay{"‖", "∥"}, OneWay{"¢", "￠"}, OneWay{"£", "￡"},
                                           OneWay{"¬", "￢"}, OneWay{"¥", "¥"}, OneWay{"‾", "‾"},
                                           OneWay{"\xF3\xA0\x80\x81", "\xF3\xA0\x80\x81"}));

TEST(Cp932RoundTrip, TheStoredFormLeavesOtherTextAlone) {
    for (const char* text : {"", "ﾔﾏﾀﾞ 太郎", "a~\\b", "😀", "山田～"})
        EXPECT_EQ(cp932StoredForm(text), text);
}

} // namespace
} // namespace kavro
