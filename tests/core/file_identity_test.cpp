#include "core/storage/file_identity.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace kavro
