#include "sales/manager_pin.h"
#include "sales/shop_settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

const std::string kHeader = "# kavro shop settings, format 1\n";

struct ParseCase {
    const char* label;
    std::string file;
    std::vector<std::string> errors;
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.label; }

class ShopSettingsLines : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ShopSettingsLines, AreRefusedWithTheirLineNumber) {
    const auto parsed = parseShopSettings(GetParam().file);
    EXPECT_EQ(parsed.errors, GetParam().errors);
    if (!GetParam().errors.empty()) {
        EXPECT_EQ(parsed.settings, ShopSettings{}) << "nothing of a refused file is used";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShopSettingsLines,
    ::testing::Values(
        ParseCase{"good, CR LF, comments",
                  kHeader + "name = ホテル カブロ\r\n\r\n# note\r\npaper=80mm\r\n",
                  {}},
        ParseCase{"later format",
                  "# kavro shop settings, format 2\nname=x\n",
                  {"1行目: 新しい版のプログラムの形式のため読み込めません"}},
        ParseCase{"no header", "name=x\n", {"1行目: 店の設定ファイルの見出しがありません"}},
        ParseCase{
            "unknown key", kHeader + "paper=A4\nnmae=x\n", {"3行目: 知らない項目「nmae」です"}},
        ParseCase{"no equals", kHeader + "paper A4\n", {"2行目: 「項目=値」の形ではありません"}},
        ParseCase{
            "twice", kHeader + "paper=A4\n\npaper=A5\n", {"4行目: 「paper」は2行目にもあります"}},
        ParseCase{"bad paper and number",
                  kHeader + "paper=B5\nregistration=T123\n",
                  {"2行目: 用紙は A5, A4, 58mm, 80mm のどれかです",
                   "3行目: 登録番号は T に続く13桁の数字です"}},
        ParseCase{"name too long",
                  kHeader + "name=" + std::string(41, 'x') + "\n",
                  {"2行目: 店名は40文字までの1行で入力してください"}},
        ParseCase{"a PIN in clear",
                  kHeader + "pin=1234\n",
                  {"2行目: 暗証番号の記録が正しくありません（暗証番号を設定し直してください）"}}));

TEST(ShopSettingsFile, WritesAtomicallyReadsBackAndQuestionsAnOddCheckDigit) {
    test::TempDir dir;
    EXPECT_EQ(readShopSettings(dir.path()).settings, ShopSettings{}) << "none yet: the defaults";
    ShopSettings s{"ホテル カブロ", "T1123456789012", ReceiptPaper::Roll58, ""};
    ASSERT_EQ(writeShopSettings(dir.path(), s), std::nullopt);
    const auto back = readShopSettings(dir.path());
    EXPECT_EQ(back.settings, s);
    ASSERT_EQ(back.notices.size(), 1u) << "a sole proprietor's number may fail the corporate rule";
    EXPECT_EQ(back.notices[0].rfind("3行目: ", 0), 0u);

    s.name = " 前に空白";
    EXPECT_TRUE(writeShopSettings(dir.path(), s));
    s.name = "改行\npaper=A4";
    EXPECT_TRUE(writeShopSettings(dir.path(), s));
    EXPECT_EQ(readShopSettings(dir.path()).settings.name, "ホテル カブロ") << "the file as it was";
}

TEST(ManagerPin, FollowsTheRulesAndOnlyItsSaltedHashIsStored) {
    const std::pair<const char*, bool> rules[] = {{"1234", true},  {"73915820", true},
                                                  {"123", false},  {"123456789", false},
                                                  {"12a4", false}, {"１２３４", false}};
    for (const auto& [typed, ok] : rules)
        EXPECT_EQ(!Pin(typed).ruleProblem(), ok) << typed;
    EXPECT_FALSE(hashPin(Pin("123")));

    const auto hash = hashPin(Pin("73915820"));
    ASSERT_TRUE(hash);
    EXPECT_EQ(hash->rfind("$argon2id$", 0), 0u);
    EXPECT_NE(*hash, *hashPin(Pin("73915820"))) << "a fresh salt each time";
    EXPECT_TRUE(verifyPin(*hash, Pin("73915820")));
    EXPECT_FALSE(verifyPin(*hash, Pin("73915821")));
    EXPECT_FALSE(verifyPin("$argon2id$broken", Pin("73915820")));

    test::TempDir dir;
    ASSERT_EQ(writeShopSettings(dir.path(), {"ホテル", "", ReceiptPaper::A5, *hash}), std::nullopt);
    const std::string bytes = test::readBytes(dir / "kavro-shop.txt");
    EXPECT_EQ(bytes.find("73915820"), std::string::npos);
    EXPECT_TRUE(verifyPin(readShopSettings(dir.path()).settings.pinHash, Pin("73915820")));
}

} // namespace
} // namespace kavro
