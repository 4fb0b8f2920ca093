#include "core/rules/time_entry.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

struct RewriteCase {
    const char* typed;
    const char* shown; // nullptr: not a time
};

class TypedTimeRewrite : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(TypedTimeRewrite, ShowsTheTimeOrRefuses) {
    const auto& c = GetParam();
    auto r = rewriteTypedTime(c.typed);
    if (c.shown)
        EXPECT_EQ(r, std::optional<std::string>(c.shown)) << c.typed;
    else
        EXPECT_FALSE(r) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TypedTimeRewrite,
    ::testing::Values(
        RewriteCase{"0930", "09:30"}, RewriteCase{"2215", "22:15"},
        RewriteCase{"1275", "13:15"},  // minutes carry into the hours
        RewriteCase{"2530", "01:30"},  // hours wrap past midnight
        RewriteCase{"2399", "00:39"},  // both at once
        RewriteCase{"12345", "12:45"}, // first two and last two characters
        RewriteCase{"0000", "00:00"},
        // still being typed, or already a time (even an unreadable one): left as it is
        RewriteCase{"", ""}, RewriteCase{"9", "9"}, RewriteCase{"930", "930"},
        RewriteCase{"09:", "09:"}, RewriteCase{"09:30", "09:30"}, RewriteCase{"12:7x", "12:7x"},
        RewriteCase{"**:**", "**:**"},
        // not digits where the time is read
        RewriteCase{"9:30", nullptr}, RewriteCase{"ab30", nullptr}, RewriteCase{"09 3x", nullptr},
        RewriteCase{"-130", nullptr}, RewriteCase{"**:**1", "**:**1"},
        // an input method's full-width digits are digits too
        RewriteCase{"０９３０", "09:30"}, RewriteCase{"あいうえ", nullptr}));

struct EndCase {
    const char* start;
    const char* unit;
    const char* end; // nullptr: the start cannot be read
};

class EndTimeRecompute : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndTimeRecompute, AddsTheUnitToTheStart) {
    const auto& c = GetParam();
    auto r = endTimeFor(c.start, c.unit);
    if (c.end)
        EXPECT_EQ(r, std::optional<std::string>(c.end)) << c.start << " + " << c.unit;
    else
        EXPECT_FALSE(r) << c.start;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EndTimeRecompute,
    ::testing::Values(EndCase{"09:30", "1.5", "11:00"}, EndCase{"23:30", "1", "00:30"},
                      EndCase{"22:00", "0.5", "22:30"}, EndCase{"05:30", "0.5", "06:00"},
                      EndCase{"20:00", "", "20:00"}, // no number: nothing added
                      EndCase{"20:00", "abc", "20:00"},
                      EndCase{"20:00", "2時間", "22:00"}, // the leading number counts
                      EndCase{"20:00", "48", "20:00"},    // whole days drop out
                      EndCase{"20:00", "1e999999", "21:00"},
                      EndCase{"09:3", "1", "10:03"}, // minutes still being typed
                      EndCase{"12:7x", "1", nullptr}, EndCase{"24:00", "1", nullptr},
                      EndCase{"12:60", "1", nullptr}, EndCase{"930", "1", nullptr}));

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    EXPECT_DOUBLE_EQ(leadingNumber("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber(" 2x"), 2);
    EXPECT_DOUBLE_EQ(leadingNumber("-1"), -1);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
}

TEST(StorableTime, OnlyCompleteTimesOfTheDay) {
    EXPECT_TRUE(isStorableTime("00:00"));
    EXPECT_TRUE(isStorableTime("23:59"));
    for (const char* bad : {"", "**:**", "09:3", "930", "24:00", "12:60", "12:7x", "0930"})
        EXPECT_FALSE(isStorableTime(bad)) << bad;
}

} // namespace
} // namespace kavro
