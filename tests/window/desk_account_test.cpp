// The program's directory as the package leaves it (root's, group-writable for the desk,
// setgid and sticky), used through the window by an unprivileged member of the group: the
// desk's account saves its check-ins there, and a day file of another account is refused
// with words that say why. That the desk cannot replace the program is checked on the
// installed package (tests/package).
#include "core/journal/journal_file.h"
#include "support/desk_by_name.h"
#include "support/form_fixture.h"
#include "window/board_half.h"
#include "window/timetable_board.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

// Ids no account of a test machine has.
constexpr uid_t kDeskUid = 61234;
constexpr uid_t kOtherUid = 61235;
constexpr gid_t kDeskGid = 61236;

class DeskAccount : public FormTest {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "handing files to other accounts needs root";
        ASSERT_EQ(::chown(dir().path().c_str(), 0, kDeskGid), 0);
        ASSERT_EQ(::chmod(dir().path().c_str(), 03775), 0); // as the package's postinst leaves it
    }
    void TearDown() override { becomeRoot(); }

    // The whole process acts as the desk's account until it becomes root again (the saved
    // user ID stays root).
    void becomeDesk() {
        ASSERT_EQ(::setgroups(1, &kDeskGid), 0);
        ASSERT_EQ(::setegid(kDeskGid), 0);
        ASSERT_EQ(::seteuid(kDeskUid), 0);
    }
    // The account that wrote the day file and its journal, back at the desk.
    void becomeOther() {
        becomeRoot();
        ASSERT_EQ(::setgroups(1, &kDeskGid), 0);
        ASSERT_EQ(::setegid(kDeskGid), 0);
        ASSERT_EQ(::seteuid(kOtherUid), 0);
    }
    // The day with one booking, its file and journal written by the other account.
    void dayOfTheOtherAccount(Date day) {
        writeDay(day, {"001100100,2026/12/05 19:00,1,2026/12/05 20:30,2,001,佐藤,利用"});
        DayJournal journal(journalPathFor(dayFile(day)));
        ASSERT_FALSE(journal.load().error);
        reconcileDay(journal, dayFile(day), at(2026, 12, 5, 19, 0)); // its first state
        for (const fs::path& file : {dayFile(day), journal.path()}) {
            ASSERT_EQ(::chown(file.c_str(), kOtherUid, kDeskGid), 0);
            ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
        }
    }
    void becomeRoot() {
        if (::geteuid() == 0)
            return;
        ASSERT_EQ(::seteuid(0), 0);
        ASSERT_EQ(::setegid(0), 0);
        ASSERT_EQ(::setgroups(0, nullptr), 0);
    }

    // A check-in through the window: a free place of a room's row at 20:10, a name, "利用".
    void checkIn(const QString& name, int row = 4) {
        BoardHalf* half = boardHalf(0);
        const double x = minuteDiff(board().span().start, at(2026, 12, 5, 20, 10)) + 0.2;
        QTest::mouseClick(half, Qt::LeftButton, {}, half->toPixels({x, 20.0 * row + 24}).toPoint());
        typeName(name);
        QTest::mouseClick(checkInButton(), Qt::LeftButton);
    }
};

TEST_F(DeskAccount, SavesACheckInAndReplacesItsOwnDayFile) {
    becomeDesk();
    start();
    checkIn(QStringLiteral("山田"));
    checkIn(QStringLiteral("鈴木"), 5); // the second save replaces the desk's own file
    struct stat st {};
    ASSERT_EQ(::stat(dayFile(ymd(2026, 12, 5)).c_str(), &st), 0);
    becomeRoot();
    EXPECT_EQ(st.st_uid, kDeskUid);
    EXPECT_EQ(st.st_gid, kDeskGid) << "new files belong to the desk's group";
    EXPECT_EQ(world().messages.size(), 0u) << lastMessageText().toStdString();
    EXPECT_EQ(readDay(ymd(2026, 12, 5)).size(), 2u);
}

TEST_F(DeskAccount, ADayFileOfAnotherAccountIsRefusedInPlainWords) {
    const Date day = ymd(2026, 12, 5);
    writeDay(day, {});
    ASSERT_EQ(::chown(dayFile(day).c_str(), kOtherUid, kDeskGid), 0);
    ASSERT_EQ(::chmod(dayFile(day).c_str(), 0644), 0);
    becomeDesk();
    start();
    checkIn(QStringLiteral("山田"));
    becomeRoot();
    EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
    const std::string text = lastMessageText().toStdString();
    EXPECT_NE(text.find("別のアカウント（UID 61235）"), std::string::npos) << text;
    EXPECT_NE(text.find("入力内容は画面に残っています"), std::string::npos) << text;
    EXPECT_TRUE(readDay(day).empty());
    for (const auto& entry : fs::directory_iterator(dir().path()))
        EXPECT_EQ(entry.path().filename().string().rfind(".kavro-tmp-", 0), std::string::npos)
            << "temporary file left: " << entry.path();
}

TEST_F(DeskAccount, AJournalOfAnotherAccountIsNamedAndTheBookingIsNeverShownAsStored) {
    const Date day = ymd(2026, 12, 5);
    dayOfTheOtherAccount(day);
    becomeDesk();
    start();
    checkInByName(form(), 4, QStringLiteral("山田"));
    const int hatched = unsavedHatchPixels(form(), 4);
    world().answer = false;
    QTest::mouseClick(control<QPushButton>(form(), "Command9"), Qt::LeftButton);
    becomeRoot();

    const std::string text = lastMessageText().toStdString();
    EXPECT_NE(text.find("このファイルは別のアカウント（UID 61235）が作成したため"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("UID 61235 でログインしてください"), std::string::npos) << text;
    EXPECT_NE(text.find(journalPathFor(dayFile(day)).string()), std::string::npos) << text;
    EXPECT_EQ(text.find("履歴ファイルを開けません"), std::string::npos) << text;
    EXPECT_GT(hatched, 20);
    ASSERT_EQ(world().questions.size(), 1u);
    EXPECT_NE(world().questions[0].text.indexOf(QStringLiteral("利用（005 山田）")), -1);
    EXPECT_EQ(world().quits, 1) << "いいえ ends without it";
    EXPECT_EQ(readDay(day).size(), 1u);
}

TEST_F(DeskAccount, YesAtExitSavesOnceTheOwnersAccountIsBack) {
    const Date day = ymd(2026, 12, 5);
    dayOfTheOtherAccount(day);
    becomeDesk();
    start();
    checkInByName(form(), 4, QStringLiteral("山田"));
    becomeOther();
    world().answer = true;
    QTest::mouseClick(control<QPushButton>(form(), "Command9"), Qt::LeftButton);
    becomeRoot();
    EXPECT_EQ(world().questions.size(), 1u);
    EXPECT_EQ(world().quits, 1);
    EXPECT_EQ(readDay(day).size(), 2u);
}

} // namespace
} // namespace kavro::test
