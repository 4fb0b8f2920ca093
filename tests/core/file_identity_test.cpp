#include "core/storage/file_identity.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kavro {
namespace {

TEST(FileIdentity, TellsContentsApartAndReadsBackItsText) {
    EXPECT_NE(identityOf(""), kMissingFile);
    EXPECT_NE(identityOf("a\r\n"), identityOf("a\n"));
    EXPECT_EQ(identityOf("same"), identityOf(std::string("same")));
    for (const FileIdentity& id : {kMissingFile, identityOf(""), identityOf("001100001,x\r\n")}) {
        FileIdentity back{true, 1, 1};
        ASSERT_TRUE(parseIdentityText(identityText(id), back)) << identityText(id);
        EXPECT_EQ(back, id);
    }
    FileIdentity unused;
    for (const char* bad : {"", ":", "1:", ":1", "x:1", "1:1z", "1;1"})
        EXPECT_FALSE(parseIdentityText(bad, unused)) << bad;
}

// A save's identity is resumed from the old bytes' trail: it must be the identity from the start,
// wherever the bytes part, and leave the trail a fresh hash would.
TEST(FileIdentity, ResumedFromTheOldBytesItIsTheIdentityFromTheStart) {
    std::string old;
    for (int i = 0; old.size() < 5 * kTrailStride + 300; ++i)
        old += "001" + std::to_string(100000 + i) + ",2026/12/05 22:00,1,2026/12/05 23:00\r\n";
    IdentityTrail oldTrail;
    ASSERT_EQ(identityOf(old, oldTrail), identityOf(old));
    auto changedAt = [&](std::size_t at) {
        std::string s = old;
        s[at] = 'X';
        return s;
    };
    const std::vector<std::string> news = {
        old,
        changedAt(0),
        changedAt(kTrailStride - 1),
        changedAt(kTrailStride),
        changedAt(3 * kTrailStride + 5),
        changedAt(old.size() - 1),
        old + "002100001,2026/12/05 22:00\r\n",
        old.substr(0, 2 * kTrailStride),
        old.substr(0, 2 * kTrailStride + 1),
        "",
    };
    for (std::size_t i = 0; i < news.size(); ++i) {
        IdentityTrail resumed, fresh;
        EXPECT_EQ(identityResumed(news[i], old, oldTrail, resumed), identityOf(news[i])) << i;
        identityOf(news[i], fresh);
        EXPECT_EQ(resumed.states, fresh.states) << i;
    }
    IdentityTrail notOld, unused;
    identityOf(old + "x", notOld); // a trail of bytes of another length is not used
    EXPECT_EQ(identityResumed(old, old, notOld, unused), identityOf(old));
}

} // namespace
} // namespace kavro
