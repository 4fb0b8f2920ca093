#include "charges/rate_store.h"
#include "golden_rates.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

// Every message of a text, as the loader gives them: reading first, then the check.
std::string messagesOf(const std::string& text) {
    const RateFileParse parsed = parseRateFile(text);
    std::string out;
    for (const RateProblem& p :
         parsed.problems.empty() ? checkRateBook(parsed.book) : parsed.problems)
        out += (out.empty() ? "" : "\n") + problemMessage(p);
    return out;
}

TEST(RateFile, GoldenFileReadsBackAsWritten) {
    const std::string golden = test::goldenRatesText();
    const RateFileParse parsed = parseRateFile(golden);
    ASSERT_EQ(messagesOf(golden), "");
    EXPECT_EQ(serializeRateBook(parsed.book), golden);
    EXPECT_EQ(parseRateFile(serializeRateBook(parsed.book)).book, parsed.book);
    EXPECT_EQ(parsed.book.tables.size(), 2u);
}

TEST(RateFile, ReadsWhatAPersonTypes) {
    // A byte-order mark, CR LF, comments, full-width spaces, hours without their zero.
    const std::string typed =
        "\xEF\xBB\xBF# 料金\r\nkavro-rates 1\r\n適用開始日 2026/04/01\r\n"
        "税率　10 # 消費税\r\n区分 A 1-3,005\r\n"
        "ご休憩\tA 平日 60 3000 30 1000\r\nご休憩 A 休前日 60 3000 30 1000\r\n"
        "ご休憩 A 土日祝 60 3000 30 1000\r\n深夜 A 平日 22:00-5:00 500\r\n";
    ASSERT_EQ(messagesOf(typed), "");
    const RateBook book = parseRateFile(typed).book;
    EXPECT_EQ(formatRooms(book.tables[0].classes[0].rooms), "001-003,005");
    EXPECT_EQ(book.tables[0].classes[0].rates[0].lateNight->until, 5 * 60);
    EXPECT_EQ(parseRateFile(serializeRateBook(book)).book, book);
}

struct ProblemCase {
    const char* name;
    const char* lines;    // the file's 8th line and any after it, or the whole file
    const char* messages; // every message, one a line
    bool wholeFile = false;
};
void PrintTo(const ProblemCase& c, std::ostream* os) { *os << c.name; }

class RateProblems : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(RateProblems, NameTheLine) {
    const std::string sound = "kavro-rates 1\n適用開始日 2026/04/01\n税率 10\n区分 A 001-020\n"
                              "ご休憩 A 平日 60 3000 30 1000\nご休憩 A 休前日 60 3000 30 1000\n"
                              "ご休憩 A 土日祝 60 3000 30 1000\n";
    const ProblemCase& c = GetParam();
    EXPECT_EQ(messagesOf(c.wholeFile ? std::string(c.lines) : sound + c.lines), c.messages);
}

#define AT8 "kavro-rates.txt の 8 行目: "
INSTANTIATE_TEST_SUITE_P(
    EachBadLine, RateProblems,
    ::testing::Values(
        ProblemCase{"PriceNotANumber", "ご休憩 A 平日 60 三千 30 1000",
                    AT8 "ご休憩の料金が数字ではありません"},
        ProblemCase{"TooLargeANumber", "追加人数 A 平日 2 10000000",
                    AT8 "追加人数の一人の料金が大きすぎます（7 桁まで）"},
        ProblemCase{"ZeroMinutes", "ご休憩 A 平日 0 3000 30 1000",
                    AT8 "ご休憩の最初の分数は 1 以上です"},
        ProblemCase{"TwiceForOneClassAndDay", "ご休憩 A 平日 60 3000 30 1000",
                    AT8 "ご休憩（A・平日）が 5 行目にもあります"},
        ProblemCase{"UnknownDayType", "ご休憩 A 祝日 60 3000 30 1000",
                    AT8 "曜日区分「祝日」は 平日・休前日・土日祝 のどれかです"},
        ProblemCase{"UnknownClass", "ご休憩 B 平日 60 3000 30 1000",
                    AT8 "区分「B」がこの適用開始日の表にありません（区分の行を先に書きます）"},
        ProblemCase{"FieldMissing", "ご宿泊 A 平日 20:00-02:00 11:00 7000 60",
                    AT8 "ご宿泊の項目が足りません（区分 曜日区分 受付時間 退室時刻 料金 延長の分数 "
                        "延長の料金）"},
        ProblemCase{"FieldTooMany", "深夜 A 平日 22:00-05:00 500 600",
                    AT8 "深夜の項目が多すぎます（区分 曜日区分 時間帯 料金）"},
        ProblemCase{"WindowNotTimes", "ご宿泊 A 平日 20時-2時 11:00 7000 60 1000",
                    AT8 "ご宿泊の受付時間が正しくありません（例 20:00-02:00）"},
        ProblemCase{"EmptyWindow", "深夜 A 平日 22:00-22:00 500",
                    AT8 "深夜の時間帯の始めと終わりが同じです"},
        ProblemCase{"MorningInsideTheWindow", "ご宿泊 A 平日 20:00-02:00 01:00 7000 60 1000",
                    AT8 "ご宿泊の退室時刻 01:00 が受付時間の中にあります"},
        ProblemCase{"RoomThatDoesNotExist", "区分 B 030-035",
                    AT8 "部屋 035 はありません（001〜034）"},
        ProblemCase{"RoomListUnreadable", "区分 B 030〜034",
                    AT8 "区分の部屋が正しくありません（例 001-010,012）"},
        ProblemCase{"RoomInTwoClasses",
                    "区分 B 020-021\nご休憩 B 平日 60 1 30 1\nご休憩 B 休前日 60 1 30 1\n"
                    "ご休憩 B 土日祝 60 1 30 1",
                    AT8 "部屋 020 が区分「A」（4 行目）にもあります"},
        ProblemCase{"ClassWithoutItsRests", "区分 B 021",
                    AT8 "区分「B」の平日のご休憩がありません\n" AT8
                        "区分「B」の休前日のご休憩がありません\n" AT8
                        "区分「B」の土日祝のご休憩がありません"},
        ProblemCase{"SecondTaxLine", "税率 8", AT8 "税率の行が二つあります"},
        ProblemCase{"TaxAboveAHundred", "kavro-rates 1\n適用開始日 2026/04/01\n税率 110\n",
                    "kavro-rates.txt の 3 行目: 税率は 0 から 100 までです", true},
        ProblemCase{"UnknownRounding", "端数 五捨六入",
                    AT8 "端数は 切り捨て・四捨五入・切り上げ のどれかです"},
        ProblemCase{"UnknownKeyword", "料金 A 3000", AT8 "「料金」で始まる行は料金表にありません"},
        ProblemCase{"NotUtf8", "ご休憩 \x82\xA0",
                    AT8
                    "UTF-8 の文字として読めません（文字コードを UTF-8 にして保存してください）"},
        ProblemCase{"ShopDayOffNotADate", "店休日 2026/13/01",
                    AT8 "店休日の日付が正しくありません（例 2026/12/31）"},
        ProblemCase{"TableDateNotADate", "適用開始日 2026/02/30\n税率 10",
                    AT8 "適用開始日の日付が正しくありません（例 2026/04/01）"},
        ProblemCase{"TableWithoutTax", "適用開始日 2026/05/01\n区分 A 001",
                    AT8 "この適用開始日の表に税率の行がありません"},
        ProblemCase{"TablesOutOfOrder",
                    "適用開始日 2026/03/01\n税率 10\n区分 A 001\nご休憩 A 平日 60 1 30 1\n"
                    "ご休憩 A 休前日 60 1 30 1\nご休憩 A 土日祝 60 1 30 1",
                    AT8 "適用開始日 2026/03/01 が前の表（2 行目）の日付より後ではありません"},
        ProblemCase{"EmptyFile", "# nothing yet\n",
                    "kavro-rates.txt: 料金表が空です（最初の行は kavro-rates 1）", true},
        ProblemCase{"NoFormatLine", "店休日 2026/12/31\n税率 10\n",
                    "kavro-rates.txt の 1 行目: 最初の行が形式の行（kavro-rates 1）ではありません",
                    true},
        ProblemCase{"LaterFormat", "kavro-rates 2\n料金区分 A 平日 3000\n",
                    "kavro-rates.txt の 1 行目: 形式「2」の料金表はこの版では読めません", true},
        ProblemCase{"NoTable", "kavro-rates 1\n店休日 2026/12/31\n",
                    "kavro-rates.txt: 適用開始日の行がありません（料金の表が一つもありません）",
                    true},
        ProblemCase{"LineBeforeAnyTable", "kavro-rates 1\n税率 10\n",
                    "kavro-rates.txt の 2 行目: 税率の行が適用開始日の行より前にあります", true}));
#undef AT8

TEST(RateStore, SavesAtomicallyAndLoadsOnlyASoundFile) {
    test::TempDir dir;
    RatesLoad missing = loadRates(dir.path());
    EXPECT_FALSE(missing.exists);
    EXPECT_FALSE(missing.book);
    EXPECT_TRUE(missing.errors.empty());

    ASSERT_TRUE(saveRates(dir.path(), test::goldenBook()).empty());
    EXPECT_EQ(test::readBytes(ratesFilePath(dir.path())), test::goldenRatesText());
    EXPECT_EQ(loadRates(dir.path()).book, test::goldenBook());

    // A book that would not load again is refused, and the file stays as it was.
    RateBook broken = test::goldenBook();
    broken.tables[1].classes[0].rates[0].rest.reset();
    broken.tables[0].classes[0].rates[0].stay->price = -1;
    EXPECT_FALSE(saveRates(dir.path(), broken).empty());
    EXPECT_EQ(test::readBytes(ratesFilePath(dir.path())), test::goldenRatesText());

    // A file cut short (a copy interrupted, an editor's crash) gives no book at all.
    const std::string golden = test::goldenRatesText();
    test::writeBytes(ratesFilePath(dir.path()), golden.substr(0, golden.find("区分 デラックス")));
    RatesLoad cut = loadRates(dir.path());
    EXPECT_TRUE(cut.exists);
    EXPECT_FALSE(cut.book);
    ASSERT_FALSE(cut.errors.empty());
    EXPECT_EQ(cut.errors[0],
              "kavro-rates.txt の 9 行目: 区分「スタンダード」の平日のご休憩がありません");
}

} // namespace
} // namespace kavro
