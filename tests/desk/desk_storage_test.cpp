// The shown day's file through the desk model: lines it cannot read kept byte for byte and
// reported once, a change that could not be stored kept until a save can write it, a day that
// could not be read never written over.
#include "desk/desk_fixture.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

using DeskStorage = DeskTest;

const std::string kRecord = "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,利用";

bool says(const Reply& reply, const char* title, const char* words) {
    return std::any_of(reply.notices.begin(), reply.notices.end(), [&](const Notice& n) {
        return n.title == QString::fromUtf8(title) && n.text.contains(QString::fromUtf8(words));
    });
}

TEST_F(DeskStorage, OddLinesAreReportedOnceAndSurviveEverySave) {
    const std::string odd = "this is not a record";
    writeBytes(dayFile(), *encodeCp932(kRecord) + "\r\n" + odd + "\r\n\x81\r\n");
    const Reply started = model.startUp();
    ASSERT_EQ(started.notices.size(), 1u) << texts(started);
    EXPECT_TRUE(started.notices[0].text.contains("20261205.txt"));
    EXPECT_TRUE(started.notices[0].text.contains("2, 3"));

    const Outcome in = model.checkIn(panel("005", "20:00", "21:00", "佐藤"));
    ASSERT_TRUE(in.stored) << texts(in.reply);
    EXPECT_TRUE(in.reply.notices.empty()) << "not reported again after a save";
    EXPECT_TRUE(model.showDate(addDays(kDay, -1)).notices.empty());
    EXPECT_TRUE(model.showDate(kDay).notices.empty()) << "nor when the day is read again";
    const std::string bytes = readBytes(dayFile());
    const std::string tail = odd + "\r\n\x81\r\n";
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    EXPECT_EQ(lines().size(), 4u);
}

TEST_F(DeskStorage, AFailedSaveKeepsTheChangeAndTheFile) {
    writeBytes(dayFile(), *encodeCp932(kRecord) + "\r\n");
    model.startUp();
    const std::string before = readBytes(dayFile());
    // Another program puts a folder where the file was: the save cannot replace it.
    fs::rename(dayFile(), dir / "moved.txt");
    fs::create_directory(dayFile());

    const Outcome in = model.checkIn(panel("002", "20:00", "21:00", "鈴木"));
    EXPECT_TRUE(in.done);
    EXPECT_FALSE(in.stored);
    EXPECT_TRUE(says(in.reply, "ファイルエラー", "利用（002 鈴木）")) << texts(in.reply);
    EXPECT_EQ(model.records().recordCount(1), 1) << "the change is still on screen";
    EXPECT_EQ(model.records().recordCount(0), 1);

    fs::remove(dayFile());
    fs::rename(dir / "moved.txt", dayFile());
    EXPECT_EQ(readBytes(dayFile()), before);
    EXPECT_TRUE(model.checkIn(panel("003", "20:00", "21:00", "佐藤")).stored);
    EXPECT_EQ(lines().size(), 3u) << "the next save writes the kept change too";
}

TEST_F(DeskStorage, ADayThatCouldNotBeReadIsNeverOverwritten) {
    fs::create_directory(dayFile());
    EXPECT_TRUE(says(model.startUp(), "ファイルエラー", "")) << "the day is not read";
    const Outcome in = model.checkIn(panel("005", "20:00", "21:00", "佐藤"));
    EXPECT_FALSE(in.stored);
    EXPECT_TRUE(says(in.reply, "ファイルエラー", "日付ファイルを読み込めなかったため"))
        << texts(in.reply);
    EXPECT_TRUE(fs::is_directory(dayFile()));
}

} // namespace
} // namespace kavro::test
