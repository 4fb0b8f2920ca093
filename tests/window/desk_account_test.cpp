// The program's directory as the package leaves it (root's, group-writable for the desk,
// setgid and sticky), used through the window by an unprivileged member of the group: the
// desk's account saves its check-ins there, and a day file of another account is refused
// with words that say why. That the desk cannot replace the program is checked on the
// installed package (tests/package).
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

} // namespace
} // namespace kavro::test
